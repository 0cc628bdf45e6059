// SPDX-License-Identifier: MIT
#include "controls/zelgauge.h"

#include "controls/zelcontrolregistry.h"

#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QPixmap>
#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace {
const ZelRegisterControl<TzelGauge> registerTzelGauge;

QPainterPath rectPath(const QRect &rect) {
  QPainterPath path;
  path.addRect(rect);
  return path;
}
} // namespace

TzelGauge::TzelGauge(QWidget *parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  resize(100, 100);
  refresh();
}

template <typename T> void TzelGauge::change(T &field, const T &value) {
  if (field == value)
    return;
  field = value;
  refresh();
}

void TzelGauge::SetKind(TzelGaugeKind kind) {
  change(m_kind, kind);
}

void TzelGauge::SetShowText(bool show) {
  change(m_showText, show);
}

void TzelGauge::SetBorderStyle(TBorderStyle style) {
  change(m_borderStyle, style);
}

void TzelGauge::SetForeColor(const QColor &color) {
  change(m_foreColor, color);
}

void TzelGauge::SetBackColor(const QColor &color) {
  change(m_backColor, color);
}

void TzelGauge::SetMinValue(int value) {
  change(m_minValue, value);
}

void TzelGauge::SetMaxValue(int value) {
  change(m_maxValue, value);
}

void TzelGauge::SetProgress(int value) {
  if (value >= m_minValue && value <= m_maxValue)
    change(m_progress, value);
}

QColor TzelGauge::Color() const {
  return palette().color(QPalette::Window);
}

void TzelGauge::SetColor(const QColor &color) {
  QPalette p = palette();
  p.setColor(QPalette::Window, color);
  setPalette(p);
  update();
}

int TzelGauge::PercentDone() const {
  const qint64 range = qint64(m_maxValue) - m_minValue;
  if (range == 0)
    return 0;
  // Wide arithmetic: a Progress left outside a narrowed range must not overflow.
  const qint64 percent = (qint64(m_progress) - m_minValue) * 100 / range;
  return int(std::clamp<qint64>(percent, std::numeric_limits<int>::min(),
                                std::numeric_limits<int>::max()));
}

void TzelGauge::refresh() {
  setAccessibleName(QString::number(PercentDone()) + u'%');
  update();
}

QRect TzelGauge::area() const {
  return m_borderStyle == bsSingle ? rect().adjusted(1, 1, -1, -1) : rect();
}

QPixmap TzelGauge::paintImage(qreal devicePixelRatio) const {
  QPixmap image(size() * devicePixelRatio);
  image.setDevicePixelRatio(devicePixelRatio);
  image.fill(Color());
  QPainter painter(&image);
  paintBorder(painter);
  const QRect inside = area();
  const QPainterPath filled = paintKind(painter, inside);
  if (m_showText)
    paintText(painter, inside, filled);
  return image;
}

void TzelGauge::paintEvent(QPaintEvent *) {
  QPainter(this).drawPixmap(0, 0, paintImage(devicePixelRatioF()));
}

void TzelGauge::paintBorder(QPainter &painter) const {
  if (m_borderStyle != bsSingle)
    return;
  painter.setPen(palette().color(QPalette::WindowText));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

QPainterPath TzelGauge::paintKind(QPainter &painter, const QRect &area) const {
  switch (m_kind) {
  case gkText:
    painter.fillRect(area, m_backColor);
    return {};
  case gkHorizontalBar:
  case gkVerticalBar:
    return paintBar(painter, area);
  case gkPie:
    return paintPie(painter, area);
  case gkNeedle:
    return paintNeedle(painter, area);
  }
  return {};
}

QPainterPath TzelGauge::paintBar(QPainter &painter, const QRect &area) const {
  painter.fillRect(area, m_backColor);
  const qint64 percent = PercentDone();
  QRect bar;
  if (m_kind == gkHorizontalBar) {
    const int w = int(std::min<qint64>(area.width() * percent / 100, area.width()));
    if (w > 0)
      bar = QRect(area.left(), area.top(), w, area.height());
  } else {
    int h = int(std::min<qint64>(area.height() * percent / 100, area.height()));
    if (h >= area.height())
      h = area.height() - 1;
    if (h > 0)
      bar = QRect(area.left(), area.bottom() + 1 - h, area.width(), h);
  }
  if (bar.isEmpty())
    return {};
  painter.fillRect(bar, m_foreColor);
  return rectPath(bar);
}

QPainterPath TzelGauge::paintPie(QPainter &painter, const QRect &area) const {
  painter.fillRect(area, Color());
  painter.setRenderHint(QPainter::Antialiasing);
  const QRectF dial = QRectF(area).adjusted(0.5, 0.5, -0.5, -0.5);
  painter.setPen(m_foreColor);
  painter.setBrush(m_backColor);
  painter.drawEllipse(dial);
  const int percent = PercentDone();
  if (percent < 1)
    return {};
  // From the top, counter-clockwise: the sector ends at (percent * 0.02 + 0.5) * pi.
  QPainterPath pie;
  pie.moveTo(dial.center());
  pie.arcTo(dial, 90, std::min(percent, 100) * 3.6);
  pie.closeSubpath();
  painter.setBrush(m_foreColor);
  painter.drawPath(pie);
  return pie;
}

QPainterPath TzelGauge::paintNeedle(QPainter &painter, const QRect &area) const {
  painter.fillRect(area, Color());
  painter.setRenderHint(QPainter::Antialiasing);
  // The dial is the upper half of an ellipse whose centre sits on the area's bottom edge.
  const QPointF base(area.left() + area.width() / 2.0, area.bottom() + 0.5);
  const QRectF ellipse(area.left() + 0.5, area.top() + 0.5, area.width() - 1.0,
                       2.0 * (area.height() - 1.0));
  painter.setPen(m_foreColor);
  painter.setBrush(m_backColor);
  painter.drawChord(ellipse, 0, 180 * 16);
  const int percent = PercentDone();
  if (percent <= 0)
    return {};
  // From the left end of the dial (0 %) over the top to its right end (100 %).
  const double angle = std::min(percent, 100) * 0.01 * std::numbers::pi;
  const QPointF tip(base.x() - std::cos(angle) * ellipse.width() / 2.0,
                    base.y() - std::sin(angle) * ellipse.height() / 2.0);
  QPainterPath needle(base);
  needle.lineTo(tip);
  QPainterPathStroker stroker;
  stroker.setWidth(2);
  const QPainterPath stroke = stroker.createStroke(needle);
  // Drawn as sharp as the text is clipped to it, so no half-tone edge hides the text.
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.fillPath(stroke, m_foreColor);
  return stroke;
}

void TzelGauge::paintText(QPainter &painter, const QRect &area, const QPainterPath &filled) const {
  const QString text = QString::number(PercentDone()) + u'%';
  painter.setFont(font());
  // The text is drawn twice, each time clipped to one side of the bar's edge, in the colour
  // of the other side.
  painter.save();
  painter.setClipPath(rectPath(area).subtracted(filled));
  painter.setPen(m_foreColor);
  painter.drawText(area, Qt::AlignCenter, text);
  painter.restore();
  if (filled.isEmpty())
    return;
  painter.save();
  painter.setClipPath(filled);
  painter.setPen(m_backColor);
  painter.drawText(area, Qt::AlignCenter, text);
  painter.restore();
}
