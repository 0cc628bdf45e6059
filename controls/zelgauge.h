// SPDX-License-Identifier: MIT
#pragma once
// A progress gauge: text only, a horizontal or vertical bar, a pie or a needle dial, showing
// where Progress stands between MinValue and MaxValue, optionally with the percent as text
// that stays readable over the bar and the background alike. Its accessible name is that
// percent.

#include "zelwidgets_export.h"

#include <QColor>
#include <QWidget>

class QPainterPath;

class ZELWIDGETS_EXPORT TzelGauge : public QWidget {
  Q_OBJECT
  Q_PROPERTY(TzelGaugeKind Kind READ Kind WRITE SetKind)
  Q_PROPERTY(bool ShowText READ ShowText WRITE SetShowText)
  Q_PROPERTY(TBorderStyle BorderStyle READ BorderStyle WRITE SetBorderStyle)
  Q_PROPERTY(QColor ForeColor READ ForeColor WRITE SetForeColor)
  Q_PROPERTY(QColor BackColor READ BackColor WRITE SetBackColor)
  Q_PROPERTY(int MinValue READ MinValue WRITE SetMinValue)
  Q_PROPERTY(int MaxValue READ MaxValue WRITE SetMaxValue)
  Q_PROPERTY(int Progress READ Progress WRITE SetProgress)
  Q_PROPERTY(QColor Color READ Color WRITE SetColor)
  Q_PROPERTY(int PercentDone READ PercentDone STORED false)
  Q_CLASSINFO("zel.default.Kind", "gkHorizontalBar")
  Q_CLASSINFO("zel.default.ShowText", "True")
  Q_CLASSINFO("zel.default.BorderStyle", "bsSingle")
  Q_CLASSINFO("zel.default.ForeColor", "#000000")
  Q_CLASSINFO("zel.default.BackColor", "#ffffff")
  Q_CLASSINFO("zel.default.MinValue", "0")
  Q_CLASSINFO("zel.default.MaxValue", "100")
  Q_CLASSINFO("zel.default.Progress", "0")
public:
  enum TzelGaugeKind { gkText, gkHorizontalBar, gkVerticalBar, gkPie, gkNeedle };
  Q_ENUM(TzelGaugeKind)
  enum TBorderStyle { bsNone, bsSingle };
  Q_ENUM(TBorderStyle)

  explicit TzelGauge(QWidget *parent = nullptr);

  TzelGaugeKind Kind() const { return m_kind; }
  void SetKind(TzelGaugeKind kind);
  bool ShowText() const { return m_showText; }
  void SetShowText(bool show);
  TBorderStyle BorderStyle() const { return m_borderStyle; }
  void SetBorderStyle(TBorderStyle style);
  QColor ForeColor() const { return m_foreColor; }
  void SetForeColor(const QColor &color);
  QColor BackColor() const { return m_backColor; }
  void SetBackColor(const QColor &color);
  int MinValue() const { return m_minValue; }
  void SetMinValue(int value);
  int MaxValue() const { return m_maxValue; }
  void SetMaxValue(int value);
  int Progress() const { return m_progress; }
  // Only a new value within MinValue..MaxValue is taken; others are ignored.
  void SetProgress(int value);
  // The colour around a pie or a needle dial.
  QColor Color() const;
  void SetColor(const QColor &color);

  // Where Progress stands, 0 to 100 while it lies within MinValue..MaxValue; 0 when the two
  // are equal.
  int PercentDone() const;
  // The gauge as drawn on screen, at the given device pixel ratio.
  QPixmap paintImage(qreal devicePixelRatio = 1.0) const;

protected:
  void paintEvent(QPaintEvent *event) override;

private:
  template <typename T> void change(T &field, const T &value);
  QRect area() const;
  void paintBorder(QPainter &painter) const;
  // Each kind paints its area and returns the region drawn in ForeColor that text crosses.
  QPainterPath paintKind(QPainter &painter, const QRect &area) const;
  QPainterPath paintBar(QPainter &painter, const QRect &area) const;
  QPainterPath paintPie(QPainter &painter, const QRect &area) const;
  QPainterPath paintNeedle(QPainter &painter, const QRect &area) const;
  void paintText(QPainter &painter, const QRect &area, const QPainterPath &filled) const;
  void refresh();

  TzelGaugeKind m_kind = gkHorizontalBar;
  bool m_showText = true;
  TBorderStyle m_borderStyle = bsSingle;
  QColor m_foreColor = Qt::black;
  QColor m_backColor = Qt::white;
  int m_minValue = 0;
  int m_maxValue = 100;
  int m_progress = 0;
};
