#pragma once
// A stored font as the platform's font and colour, and back; the report and the windows
// draw with them, so they live with the painting library.

#include "model/zelpage.h"

#include <QColor>
#include <QFont>

QColor toQColor(const TzelFont &font);
QFont toQFont(const TzelFont &font);
// Takes face, size and style from qfont; the colour stays.
void fromQFont(TzelFont &font, const QFont &qfont);
