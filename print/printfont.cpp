// SPDX-License-Identifier: MIT
#include "print/printfont.h"

#include <cmath>

QColor toQColor(const TzelFont &font) {
  const int bgr = int(font.Color());
  return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

QFont toQFont(const TzelFont &font) {
  QFont qfont(font.Name());
  if (font.Height() < 0)
    qfont.setPointSize(qMax(1, font.Size()));
  else if (font.Height() > 0)
    qfont.setPixelSize(font.Height());
  qfont.setBold(font.Style().testFlag(TzelFont::fsBold));
  qfont.setItalic(font.Style().testFlag(TzelFont::fsItalic));
  qfont.setUnderline(font.Style().testFlag(TzelFont::fsUnderline));
  qfont.setStrikeOut(font.Style().testFlag(TzelFont::fsStrikeOut));
  return qfont;
}

void fromQFont(TzelFont &font, const QFont &qfont) {
  font.SetName(qfont.family());
  if (qfont.pointSizeF() > 0)
    font.SetHeight(-int(std::lround(qfont.pointSizeF() * 96.0 / 72.0)));
  else
    font.SetHeight(-qfont.pixelSize());
  TzelFont::TFontStyles style;
  style.setFlag(TzelFont::fsBold, qfont.bold());
  style.setFlag(TzelFont::fsItalic, qfont.italic());
  style.setFlag(TzelFont::fsUnderline, qfont.underline());
  style.setFlag(TzelFont::fsStrikeOut, qfont.strikeOut());
  font.SetStyle(style);
}
