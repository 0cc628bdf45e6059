// SPDX-License-Identifier: MIT
#include "editors/tableform.h"

#include "editors/tablelist.h"

#include <QAccessibleWidget>
#include <QCloseEvent>
#include <QMouseEvent>
#include <algorithm>

namespace {

// The stock interface of a child window reads its caption only; this one reads the name the
// window gives itself ("Orders table, 6 fields").
QAccessibleInterface *accessibleTableForm(const QString &className, QObject *object) {
  auto *window = qobject_cast<TzelTableForm *>(object);
  if (!window || className != QLatin1String(TzelTableForm::staticMetaObject.className()))
    return nullptr;
  return new QAccessibleWidget(window, QAccessible::Window);
}

} // namespace

TzelTableForm::TzelTableForm(QWidget *parent)
    : QMdiSubWindow(parent, Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_list(new TzelTableList) {
  setObjectName(QStringLiteral("frmTable"));
  static const bool factoryInstalled = [] {
    QAccessible::installFactory(accessibleTableForm);
    return true;
  }();
  Q_UNUSED(factoryInstalled)
  setAttribute(Qt::WA_DeleteOnClose);
  setSystemMenu(nullptr);
  setWidget(m_list);
  setMinimumSize(0, 0);
  m_list->setObjectName(QStringLiteral("lstFields"));
  connect(this, &QWidget::windowTitleChanged, m_list, [this](const QString &title) {
    m_list->setAccessibleName(title + tr(" fields"));
    describe();
  });
  connect(m_list, &TzelTableList::pressed, this, [this] { raise(); });
  connect(m_list, &TzelTableList::deleteRequested, this, [this] { close(); });
  connect(m_list, &TzelTableList::moveRequested, this, &TzelTableForm::moveBy);
  connect(m_list, &TzelTableList::rollRequested, this, &TzelTableForm::toggleRolledUp);
}

void TzelTableForm::moveBy(const QPoint &step) {
  const QPoint to = pos() + step;
  move(std::max(0, to.x()), std::max(0, to.y()));
}

void TzelTableForm::describe() {
  setAccessibleName(accessibleNameOf(windowTitle(), std::max(0, m_list->count() - 1)));
}

QString TzelTableForm::accessibleNameOf(const QString &alias, int fieldCount) {
  return tr("%1 table, %2 fields").arg(alias).arg(fieldCount);
}

QString TzelTableForm::ActiveFields() const {
  return m_list->ActiveFields();
}

int TzelTableForm::captionHeight() const {
  const QMargins frame = contentsMargins();
  return frame.top() + frame.bottom();
}

QSize TzelTableForm::minimumSizeHint() const {
  return {QMdiSubWindow::minimumSizeHint().width(), captionHeight()};
}

void TzelTableForm::toggleRolledUp() {
  if (isShaded())
    showNormal();
  else if (isRolledUp())
    resize(width(), defaultSize.height());
  else
    showShaded();
}

void TzelTableForm::moveEvent(QMoveEvent *event) {
  QMdiSubWindow::moveEvent(event);
  emit moved();
}

void TzelTableForm::resizeEvent(QResizeEvent *event) {
  QMdiSubWindow::resizeEvent(event);
  emit resized();
}

void TzelTableForm::closeEvent(QCloseEvent *event) {
  if (closeQuery && !closeQuery(this)) {
    event->ignore();
    return;
  }
  QMdiSubWindow::closeEvent(event);
}

void TzelTableForm::mouseDoubleClickEvent(QMouseEvent *event) {
  if (event->button() == Qt::LeftButton && event->position().y() < contentsMargins().top()) {
    event->accept();
    toggleRolledUp();
    return;
  }
  QMdiSubWindow::mouseDoubleClickEvent(event);
}
