// SPDX-License-Identifier: MIT
#include "controls/zelspinedit.h"

#include "controls/zelcontrolregistry.h"
#include "controls/zelspinbutton.h"
#include "model/displayformat.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMenu>
#include <QStyleOptionFrame>
#include <algorithm>
#include <cmath>

namespace {
const ZelRegisterControl<TzelSpinEdit> registerTzelSpinEdit;

// The height of a horizontal window border, as the minimum height counts it.
constexpr int BorderHeight = 1;

bool isControlChar(QChar c) {
  return c.category() == QChar::Other_Control;
}

// The character a key types: with Ctrl held a letter types its control character, as the
// Ctrl+V of a paste does.
QChar typedChar(const QKeyEvent *event) {
  const QString text = event->text();
  if (text.isEmpty())
    return {};
  const QChar c = text.front().toUpper();
  if (event->modifiers().testFlag(Qt::ControlModifier) && c >= u'A' && c <= u'Z')
    return QChar(c.unicode() - u'@');
  return text.front();
}

QChar decimalSeparator() {
  return QLocale().decimalPoint().at(0);
}
} // namespace

TzelSpinEdit::TzelSpinEdit(QWidget *parent) : QLineEdit(parent) {
  setText(QStringLiteral("0"));
  m_button = new TzelSpinButton(this);
  m_button->setObjectName(QStringLiteral("spnButton"));
  m_button->resize(15, 17);
  m_button->SetFocusControl(this);
  connect(m_button, &TzelSpinButton::UpClick, this, [this] { UpClick(); });
  connect(m_button, &TzelSpinButton::DownClick, this, [this] { DownClick(); });
  updateMinimumHeight();
  placeButton();
}

void TzelSpinEdit::SetAutoSize(bool autoSize) {
  m_autoSize = autoSize;
  updateMinimumHeight();
}

QColor TzelSpinEdit::Color() const {
  return palette().color(QPalette::Base);
}

void TzelSpinEdit::SetColor(const QColor &color) {
  QPalette p = palette();
  p.setColor(QPalette::Base, color);
  setPalette(p);
}

void TzelSpinEdit::SetMaxLength(int length) {
  // Enforced on typing only, so that a written value is never cut short.
  m_maxLength = std::max(0, length);
}

double TzelSpinEdit::Value() const {
  QLocale locale;
  locale.setNumberOptions(QLocale::RejectGroupSeparator);
  bool ok = false;
  const double value = locale.toDouble(text().trimmed(), &ok);
  return ok && std::isfinite(value) ? value : m_minValue;
}

void TzelSpinEdit::SetValue(double value) {
  setText(TzelDisplayFormatter().number(QStringLiteral("0.00"), Clamp(value)));
}

double TzelSpinEdit::Clamp(double value) const {
  if (m_maxValue == m_minValue)
    return value;
  return value < m_minValue ? m_minValue : value > m_maxValue ? m_maxValue : value;
}

void TzelSpinEdit::UpClick() {
  if (isReadOnly())
    QApplication::beep();
  else
    SetValue(Value() + m_increment);
}

void TzelSpinEdit::DownClick() {
  if (isReadOnly())
    QApplication::beep();
  else
    SetValue(Value() - m_increment);
}

bool TzelSpinEdit::IsValidChar(QChar key) const {
  const bool printableOrEnter = key == u'\r' || !isControlChar(key);
  const bool numeric =
      key == u'+' || key == u'-' || (key >= u'0' && key <= u'9') || key == decimalSeparator();
  if (printableOrEnter && !numeric)
    return false;
  return m_editorEnabled || (isControlChar(key) && key != u'\b');
}

bool TzelSpinEdit::blocksKey(QKeyEvent *event) const {
  if (event->matches(QKeySequence::Paste) || event->matches(QKeySequence::Cut))
    return !canChangeByClipboard();
  // Delete types no character, yet it edits the text as Backspace does.
  if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier)
    return !m_editorEnabled;
  return false;
}

void TzelSpinEdit::keyPressEvent(QKeyEvent *event) {
  if (event->key() == Qt::Key_Up)
    UpClick();
  else if (event->key() == Qt::Key_Down)
    DownClick();
  if (blocksKey(event))
    return event->accept();
  const QChar typed = typedChar(event);
  if (!typed.isNull() && !IsValidChar(typed)) {
    QApplication::beep();
    return event->accept();
  }
  const bool printable = !typed.isNull() && !isControlChar(typed);
  if (printable && m_maxLength > 0 && text().size() - selectedText().size() >= m_maxLength) {
    QApplication::beep();
    return event->accept();
  }
  QLineEdit::keyPressEvent(event);
  // The arrows step the value and go no further, as in a plain edit box.
  if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down)
    event->accept();
}

void TzelSpinEdit::focusInEvent(QFocusEvent *event) {
  QLineEdit::focusInEvent(event);
  const bool byMouse = event->reason() == Qt::MouseFocusReason ||
                       QGuiApplication::mouseButtons().testFlag(Qt::LeftButton);
  if (m_autoSelect && !byMouse)
    selectAll();
}

void TzelSpinEdit::focusOutEvent(QFocusEvent *event) {
  QLineEdit::focusOutEvent(event);
  const double value = Value();
  if (Clamp(value) != value)
    SetValue(value);
}

int TzelSpinEdit::minimumEditHeight() const {
  const int fontHeight = QFontMetrics(font()).height();
  const int systemHeight = QFontMetrics(QApplication::font()).height();
  return fontHeight + std::min(systemHeight, fontHeight) / 4 + 4 * BorderHeight + 2;
}

void TzelSpinEdit::updateMinimumHeight() {
  setMinimumHeight(minimumEditHeight());
  if (m_autoSize)
    resize(width(), minimumEditHeight());
}

void TzelSpinEdit::placeButton() {
  QStyleOptionFrame option;
  initStyleOption(&option);
  const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, this);
  const int buttonWidth = m_button->width();
  m_button->setGeometry(width() - frame - buttonWidth, frame, buttonWidth, height() - 2 * frame);
  setTextMargins(0, 0, buttonWidth + 2, 0);
}

void TzelSpinEdit::resizeEvent(QResizeEvent *event) {
  QLineEdit::resizeEvent(event);
  placeButton();
}

void TzelSpinEdit::changeEvent(QEvent *event) {
  QLineEdit::changeEvent(event);
  if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
    updateMinimumHeight();
    placeButton();
  }
}

QMenu *TzelSpinEdit::createSpinContextMenu() {
  // Built as for a read-only edit, the menu offers no paste, cut, delete or undo.
  const bool readOnly = isReadOnly();
  setReadOnly(readOnly || !m_editorEnabled);
  QMenu *menu = createStandardContextMenu();
  setReadOnly(readOnly);
  return menu;
}

void TzelSpinEdit::contextMenuEvent(QContextMenuEvent *event) {
  QMenu *menu = createSpinContextMenu();
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->popup(event->globalPos());
}

void TzelSpinEdit::mouseReleaseEvent(QMouseEvent *event) {
  // The middle button pastes the selection on some systems.
  if (event->button() == Qt::MiddleButton && !canChangeByClipboard())
    return event->accept();
  QLineEdit::mouseReleaseEvent(event);
}

void TzelSpinEdit::dragEnterEvent(QDragEnterEvent *event) {
  if (!canChangeByClipboard())
    return event->ignore();
  QLineEdit::dragEnterEvent(event);
}
