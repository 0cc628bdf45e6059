// SPDX-License-Identifier: MIT
#include "workspace/toolbarfit.h"

#include <QEvent>
#include <QMenu>
#include <QStackedWidget>
#include <QToolButton>

#include <algorithm>

namespace {
constexpr int kEdge = 2;       // kept free at the panel's right end
constexpr int kMoreWidth = 14; // the overflow button: a narrow chevron
const char *const kFocusKept = "zelFocusBeforeOverflow";

int rightOf(const QWidget *w, const QWidget *row) {
  return w->mapTo(row, QPoint(w->width(), 0)).x();
}
} // namespace

TzelToolbarFit::TzelToolbarFit(QWidget *panel, QWidget *row, QToolButton *help, QWidget *pages)
    : QObject(panel), m_panel(panel), m_row(row), m_help(help), m_pages(pages),
      m_more(new QToolButton(row)), m_menu(new QMenu(m_more)), m_pagesWidth(pages->width()) {
  m_more->setObjectName(QStringLiteral("cmdMore"));
  m_more->setText(QStringLiteral("»"));
  m_more->setToolTip(QStringLiteral("More commands"));
  m_more->setAccessibleName(QStringLiteral("More commands"));
  m_more->setAutoRaise(true);
  m_more->setPopupMode(QToolButton::InstantPopup);
  m_more->setStyleSheet(QStringLiteral("QToolButton::menu-indicator { image: none; }"));
  m_more->setMenu(m_menu);
  m_more->setGeometry(0, 0, kMoreWidth, help->height());
  m_more->hide();
  // Narrower than the fixed commands, then the overflow button and Help, the bar cannot be.
  panel->setMinimumWidth(pages->x() + kMoreWidth + help->width() + kEdge);
  connect(m_menu, &QMenu::aboutToShow, this, &TzelToolbarFit::fillMenu);
  panel->installEventFilter(this);
}

bool TzelToolbarFit::eventFilter(QObject *watched, QEvent *event) {
  if (watched == m_panel && (event->type() == QEvent::Resize || event->type() == QEvent::Show))
    fit();
  return QObject::eventFilter(watched, event);
}

QList<QToolButton *> TzelToolbarFit::pageCommands() const {
  const auto *notebook = qobject_cast<const QStackedWidget *>(m_pages);
  const QWidget *page = notebook ? notebook->currentWidget() : m_pages;
  QList<QToolButton *> commands;
  if (!page)
    return commands;
  for (QToolButton *b : page->findChildren<QToolButton *>())
    if (b->isVisibleTo(m_panel))
      commands << b;
  std::sort(commands.begin(), commands.end(),
            [](const QToolButton *a, const QToolButton *b) { return a->x() < b->x(); });
  return commands;
}

int TzelToolbarFit::limit() const {
  return m_more->isHidden() ? m_help->x() : m_more->x();
}

void TzelToolbarFit::fit() {
  if (!m_panel->isVisible())
    return; // laid out when it shows, at the width it has then
  const int width = m_panel->width();
  m_row->resize(width, m_row->height());
  const int helpLeft = width - kEdge - m_help->width();
  m_help->move(helpLeft, m_help->y());
  m_pages->resize(m_pagesWidth, m_pages->height());
  const QList<QToolButton *> commands = pageCommands();
  const bool over = std::any_of(commands.begin(), commands.end(),
                                [&](const QToolButton *b) { return rightOf(b, m_row) > helpLeft; });
  m_more->setVisible(over);
  if (over) {
    m_more->move(helpLeft - kMoreWidth, m_help->y());
    m_pages->resize(std::max(0, m_more->x() - m_pages->x()), m_pages->height());
  }
  for (QToolButton *b : commands) {
    const bool clipped = rightOf(b, m_row) > limit();
    if (clipped && !b->property(kFocusKept).isValid()) {
      b->setProperty(kFocusKept, int(b->focusPolicy()));
      b->setFocusPolicy(Qt::NoFocus);
    } else if (!clipped && b->property(kFocusKept).isValid()) {
      b->setFocusPolicy(Qt::FocusPolicy(b->property(kFocusKept).toInt()));
      b->setProperty(kFocusKept, QVariant());
    }
  }
}

QList<QToolButton *> TzelToolbarFit::overflowed() const {
  QList<QToolButton *> out;
  if (m_more->isHidden())
    return out;
  for (QToolButton *b : pageCommands())
    if (rightOf(b, m_row) > limit())
      out << b;
  return out;
}

// The clipped commands as the buttons stand now: enabled and checked as they are.
void TzelToolbarFit::fillMenu() {
  m_menu->clear();
  for (QToolButton *b : overflowed()) {
    QAction *a = m_menu->addAction(b->icon(), b->toolTip());
    a->setEnabled(b->isEnabled());
    a->setCheckable(b->isCheckable());
    a->setChecked(b->isChecked());
    connect(a, &QAction::triggered, b, &QToolButton::click);
  }
}
