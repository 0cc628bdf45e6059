// A stored font as the platform's font and colour, and back; the report and the windows
// draw with them, so they live with the painting library.
#include "model/zelpage.h"

#include <QColor>
#include <QFont>
#include <cmath>

QColor TzelFont::toQColor() const {
  const int bgr = int(Color());
  return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

QFont TzelFont::toQFont() const {
  QFont font(Name());
  if (Height() < 0)
    font.setPointSize(qMax(1, Size()));
  else if (Height() > 0)
    font.setPixelSize(Height());
  font.setBold(Style().testFlag(fsBold));
  font.setItalic(Style().testFlag(fsItalic));
  font.setUnderline(Style().testFlag(fsUnderline));
  font.setStrikeOut(Style().testFlag(fsStrikeOut));
  return font;
}

void TzelFont::fromQFont(const QFont &font) {
  SetName(font.family());
  if (font.pointSizeF() > 0)
    SetHeight(-int(std::lround(font.pointSizeF() * 96.0 / 72.0)));
  else
    SetHeight(-font.pixelSize());
  TFontStyles style;
  style.setFlag(fsBold, font.bold());
  style.setFlag(fsItalic, font.italic());
  style.setFlag(fsUnderline, font.underline());
  style.setFlag(fsStrikeOut, font.strikeOut());
  SetStyle(style);
}
