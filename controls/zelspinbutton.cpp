// SPDX-License-Identifier: MIT
#include "controls/zelspinbutton.h"

#include "controls/glyphs.h"
#include "controls/zelcontrolregistry.h"
#include "controls/zeltimerspeedbutton.h"

#include <QKeyEvent>
#include <algorithm>

namespace {
const ZelRegisterControl<TzelSpinButton> registerTzelSpinButton;

// The arrow glyphs are drawn on this pixel grid.
constexpr QSize GlyphSize(7, 4);

bool canTakeFocus(const QWidget *w) {
  return w->isVisible() && w->isEnabled() && w->focusPolicy() != Qt::NoFocus;
}
} // namespace

TzelSpinButton::TzelSpinButton(QWidget *parent) : QWidget(parent) {
  setFocusPolicy(Qt::NoFocus);
  setAccessibleName(tr("Spin button"));
  setMinimumWidth(MinWidth);
  m_up = makeButton(QStringLiteral("ZEL_CONTROLS_SPINUP"), QStringLiteral("cmdUp"), tr("Up"));
  m_down =
      makeButton(QStringLiteral("ZEL_CONTROLS_SPINDOWN"), QStringLiteral("cmdDown"), tr("Down"));
  m_focused = m_up;
  connect(m_up, &TzelTimerSpeedButton::clicked, this, &TzelSpinButton::UpClick);
  connect(m_down, &TzelTimerSpeedButton::clicked, this, &TzelSpinButton::DownClick);
  resize(20, 25);
}

TzelTimerSpeedButton *TzelSpinButton::makeButton(const QString &glyph, const QString &objectName,
                                                 const QString &spokenName) {
  auto *button = new TzelTimerSpeedButton(this);
  button->setObjectName(objectName);
  button->setAccessibleName(spokenName);
  button->setIcon(zelGlyph(glyph));
  button->setIconSize(GlyphSize);
  button->SetTimeBtnStates(TzelTimerSpeedButton::tbAllowTimer);
  button->installEventFilter(this);
  return button;
}

void TzelSpinButton::layoutButtons() {
  const int w = std::max(width(), MinWidth);
  m_up->setGeometry(0, 0, w, height() / 2);
  const int upHeight = m_up->height();
  m_down->setGeometry(0, upHeight - 1, w, height() - upHeight + 1);
}

void TzelSpinButton::resizeEvent(QResizeEvent *event) {
  QWidget::resizeEvent(event);
  layoutButtons();
}

bool TzelSpinButton::eventFilter(QObject *watched, QEvent *event) {
  if (event->type() == QEvent::MouseButtonPress && (watched == m_up || watched == m_down)) {
    setFocusedButton(static_cast<TzelTimerSpeedButton *>(watched));
    takeFocusOnPress();
  }
  return QWidget::eventFilter(watched, event);
}

void TzelSpinButton::takeFocusOnPress() {
  if (m_focusControl && canTakeFocus(m_focusControl) && !m_focusControl->hasFocus())
    m_focusControl->setFocus(Qt::MouseFocusReason);
  else if (canTakeFocus(this))
    setFocus(Qt::MouseFocusReason);
}

void TzelSpinButton::keyPressEvent(QKeyEvent *event) {
  switch (event->key()) {
  case Qt::Key_Space:
    m_focused->click();
    break;
  case Qt::Key_Up:
    setFocusedButton(m_up);
    m_up->click();
    break;
  case Qt::Key_Down:
    setFocusedButton(m_down);
    m_down->click();
    break;
  default:
    return QWidget::keyPressEvent(event);
  }
}

void TzelSpinButton::setFocusedButton(TzelTimerSpeedButton *button) {
  if (button == m_focused)
    return;
  showFocusRect(false);
  m_focused = button;
  showFocusRect(hasFocus());
}

void TzelSpinButton::showFocusRect(bool shown) {
  auto state = m_focused->TimeBtnStates();
  state.setFlag(TzelTimerSpeedButton::tbFocusRect, shown);
  m_focused->SetTimeBtnStates(state);
}

void TzelSpinButton::focusInEvent(QFocusEvent *event) {
  QWidget::focusInEvent(event);
  showFocusRect(true);
}

void TzelSpinButton::focusOutEvent(QFocusEvent *event) {
  QWidget::focusOutEvent(event);
  showFocusRect(false);
}
