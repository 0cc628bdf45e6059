// SPDX-License-Identifier: MIT
#pragma once
// A numeric edit box with a spin button at its right edge. Value reads the text as a number
// in the locale's form (MinValue when it is none) and writes it with two decimals, kept
// within MinValue..MaxValue unless the two are equal. The arrows, the Up and Down keys and
// the button step it by Increment. Only signs, digits and the locale's decimal separator can
// be typed; with EditorEnabled false nothing can be typed, pasted or cut, but the value still
// steps.

#include "zelwidgets_export.h"

#include <QLineEdit>

class QMenu;
class TzelSpinButton;

class ZELWIDGETS_EXPORT TzelSpinEdit : public QLineEdit {
  Q_OBJECT
  Q_PROPERTY(bool AutoSelect READ AutoSelect WRITE SetAutoSelect)
  Q_PROPERTY(bool AutoSize READ AutoSize WRITE SetAutoSize)
  Q_PROPERTY(QColor Color READ Color WRITE SetColor)
  Q_PROPERTY(bool EditorEnabled READ EditorEnabled WRITE SetEditorEnabled)
  Q_PROPERTY(double Increment READ Increment WRITE SetIncrement)
  Q_PROPERTY(double MaxValue READ MaxValue WRITE SetMaxValue)
  Q_PROPERTY(double MinValue READ MinValue WRITE SetMinValue)
  Q_PROPERTY(double Value READ Value WRITE SetValue)
  Q_PROPERTY(int MaxLength READ MaxLength WRITE SetMaxLength)
  Q_PROPERTY(bool ReadOnly READ ReadOnly WRITE SetReadOnly)
  Q_PROPERTY(bool TabStop READ TabStop WRITE SetTabStop)
  Q_CLASSINFO("zel.default.AutoSelect", "True")
  Q_CLASSINFO("zel.default.AutoSize", "True")
  Q_CLASSINFO("zel.default.EditorEnabled", "True")
  Q_CLASSINFO("zel.default.Increment", "1")
  Q_CLASSINFO("zel.default.MaxValue", "0")
  Q_CLASSINFO("zel.default.MinValue", "0")
  Q_CLASSINFO("zel.default.Value", "0")
  Q_CLASSINFO("zel.default.MaxLength", "0")
  Q_CLASSINFO("zel.default.ReadOnly", "False")
  Q_CLASSINFO("zel.default.TabStop", "True")
public:
  explicit TzelSpinEdit(QWidget *parent = nullptr);

  bool AutoSelect() const { return m_autoSelect; }
  void SetAutoSelect(bool autoSelect) { m_autoSelect = autoSelect; }
  bool AutoSize() const { return m_autoSize; }
  void SetAutoSize(bool autoSize);
  // The background; the window colour at creation.
  QColor Color() const;
  void SetColor(const QColor &color);
  bool EditorEnabled() const { return m_editorEnabled; }
  void SetEditorEnabled(bool enabled) { m_editorEnabled = enabled; }
  double Increment() const { return m_increment; }
  void SetIncrement(double increment) { m_increment = increment; }
  double MaxValue() const { return m_maxValue; }
  void SetMaxValue(double value) { m_maxValue = value; }
  double MinValue() const { return m_minValue; }
  void SetMinValue(double value) { m_minValue = value; }
  double Value() const;
  void SetValue(double value);
  // 0: no limit.
  int MaxLength() const { return m_maxLength; }
  void SetMaxLength(int length);
  bool ReadOnly() const { return isReadOnly(); }
  void SetReadOnly(bool readOnly) { setReadOnly(readOnly); }
  bool TabStop() const { return focusPolicy() != Qt::NoFocus; }
  void SetTabStop(bool tabStop) { setFocusPolicy(tabStop ? Qt::StrongFocus : Qt::NoFocus); }

  // The value kept within MinValue..MaxValue; any value while the two are equal.
  double Clamp(double value) const;
  // The smallest height the font allows; smaller heights are raised to it.
  int minimumEditHeight() const;
  TzelSpinButton *Button() const { return m_button; }

  virtual void UpClick();
  virtual void DownClick();
  // Whether a typed character goes into the text (false: swallowed with a beep).
  virtual bool IsValidChar(QChar key) const;
  // The edit's context menu; without the editor it offers nothing that changes the text.
  QMenu *createSpinContextMenu();

protected:
  void keyPressEvent(QKeyEvent *event) override;
  void focusInEvent(QFocusEvent *event) override;
  void focusOutEvent(QFocusEvent *event) override;
  void resizeEvent(QResizeEvent *event) override;
  void changeEvent(QEvent *event) override;
  void contextMenuEvent(QContextMenuEvent *event) override;
  void mouseReleaseEvent(QMouseEvent *event) override;
  void dragEnterEvent(QDragEnterEvent *event) override;

private:
  bool canChangeByClipboard() const { return m_editorEnabled && !isReadOnly(); }
  bool blocksKey(QKeyEvent *event) const;
  void updateMinimumHeight();
  void placeButton();

  TzelSpinButton *m_button;
  bool m_autoSelect = true;
  bool m_autoSize = true;
  bool m_editorEnabled = true;
  double m_increment = 1.0;
  double m_minValue = 0;
  double m_maxValue = 0;
  int m_maxLength = 0;
};
