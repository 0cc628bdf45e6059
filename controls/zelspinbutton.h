// SPDX-License-Identifier: MIT
#pragma once
// A pair of repeating arrow buttons, up above down. A press on either gives the keyboard
// focus to FocusControl (the edit it steps) when that can take it and has not, otherwise to
// the pair itself when it is a tab stop. With the focus, Space clicks the focused button and the Up
// and Down arrows focus and click their button.

#include "zelwidgets_export.h"

#include <QPointer>
#include <QWidget>

class TzelTimerSpeedButton;

class ZELWIDGETS_EXPORT TzelSpinButton : public QWidget {
  Q_OBJECT
  Q_PROPERTY(QWidget *FocusControl READ FocusControl WRITE SetFocusControl)
  Q_PROPERTY(bool TabStop READ TabStop WRITE SetTabStop)
  Q_CLASSINFO("zel.default.TabStop", "False")
public:
  static constexpr int MinWidth = 15;

  explicit TzelSpinButton(QWidget *parent = nullptr);

  QWidget *FocusControl() const { return m_focusControl; }
  void SetFocusControl(QWidget *control) { m_focusControl = control; }
  bool TabStop() const { return focusPolicy() != Qt::NoFocus; }
  void SetTabStop(bool tabStop) { setFocusPolicy(tabStop ? Qt::StrongFocus : Qt::NoFocus); }

  TzelTimerSpeedButton *upButton() const { return m_up; }
  TzelTimerSpeedButton *downButton() const { return m_down; }
  // The button Space clicks and the focus rectangle marks.
  TzelTimerSpeedButton *focusedButton() const { return m_focused; }

signals:
  void UpClick();
  void DownClick();

protected:
  bool eventFilter(QObject *watched, QEvent *event) override;
  void keyPressEvent(QKeyEvent *event) override;
  void focusInEvent(QFocusEvent *event) override;
  void focusOutEvent(QFocusEvent *event) override;
  void resizeEvent(QResizeEvent *event) override;

private:
  TzelTimerSpeedButton *makeButton(const QString &glyph, const QString &objectName,
                                   const QString &spokenName);
  void layoutButtons();
  void setFocusedButton(TzelTimerSpeedButton *button);
  void showFocusRect(bool shown);
  void takeFocusOnPress();

  TzelTimerSpeedButton *m_up;
  TzelTimerSpeedButton *m_down;
  TzelTimerSpeedButton *m_focused;
  QPointer<QWidget> m_focusControl;
};
