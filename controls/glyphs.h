// SPDX-License-Identifier: MIT
#pragma once
// Glyphs and bitmaps by their resource names ("ZEL_TOOLBAR_HELP", "ZEL_TABLELIST_STAR1"):
// our own SVG drawings under :/glyphs/<name>.svg, sharp at any scale. QIcon derives the
// disabled look of buttons from them.

#include "zelwidgets_export.h"

#include <QIcon>
#include <QPixmap>
#include <QString>

ZELWIDGETS_EXPORT QIcon zelGlyph(const QString &name);
// A toolbar glyph as the desktop's icon theme draws it where the theme has a sensible icon for
// it (Freedesktop names: document-new, edit-undo...), else our own drawing.
ZELWIDGETS_EXPORT QIcon zelToolbarIcon(const QString &glyph);
// The glyph drawn at size (device-independent pixels) for a screen of the given ratio.
ZELWIDGETS_EXPORT QPixmap zelGlyphPixmap(const QString &name, QSize size,
                                         qreal devicePixelRatio = 1.0);
