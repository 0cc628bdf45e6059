// SPDX-License-Identifier: MIT
#pragma once
// A stored font as the platform's font and colour, and back; the report and the windows
// draw with them, so they live with the painting library.

#include "model/zelpage.h"
#include "zelprint_export.h"

#include <QColor>
#include <QFont>

ZELPRINT_EXPORT QColor toQColor(const TzelFont &font);
ZELPRINT_EXPORT QFont toQFont(const TzelFont &font);
// Takes face, size and style from qfont; the colour stays.
ZELPRINT_EXPORT void fromQFont(TzelFont &font, const QFont &qfont);
