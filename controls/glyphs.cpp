#include "controls/glyphs.h"

QIcon zelGlyph(const QString &name) {
  return QIcon(QStringLiteral(":/glyphs/") + name + QStringLiteral(".svg"));
}

QPixmap zelGlyphPixmap(const QString &name, QSize size, qreal devicePixelRatio) {
  return zelGlyph(name).pixmap(size, devicePixelRatio);
}
