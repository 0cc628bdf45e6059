// SPDX-License-Identifier: MIT
#pragma once
// The support helpers that need the platform's font and screen types, so that the core runs
// without them.

#include "zelprint_export.h"

class QFont;

// Face "Arial" at the point size, bold from 14 points on (TzelFont::SetDefault). Text colour
// is black by default wherever the font is used; a QFont carries no colour.
ZELPRINT_EXPORT void SetDefaultFont(QFont &font, int pointSize);
// A length designed at 96 pixels per inch, scaled to the primary screen (integer division).
ZELPRINT_EXPORT int ScaleToScreen(int value);
