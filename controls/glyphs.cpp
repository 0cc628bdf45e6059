// SPDX-License-Identifier: MIT
#include "controls/glyphs.h"

#include <QHash>

QIcon zelGlyph(const QString &name) {
  return QIcon(QStringLiteral(":/glyphs/") + name + QStringLiteral(".svg"));
}

QPixmap zelGlyphPixmap(const QString &name, QSize size, qreal devicePixelRatio) {
  return zelGlyph(name).pixmap(size, devicePixelRatio);
}

QIcon zelToolbarIcon(const QString &glyph) {
  static const QHash<QString, QString> theme{{"ZEL_TOOLBAR_NEW", "document-new"},
                                             {"ZEL_TOOLBAR_UNDO", "edit-undo"},
                                             {"ZEL_TOOLBAR_REDO", "edit-redo"},
                                             {"ZEL_TOOLBAR_OPEN", "document-open"},
                                             {"ZEL_TOOLBAR_SAVE", "document-save"},
                                             {"ZEL_TOOLBAR_SETUP", "document-page-setup"},
                                             {"ZEL_TOOLBAR_HELP", "help-contents"},
                                             {"ZEL_TOOLBAR_CUT", "edit-cut"},
                                             {"ZEL_TOOLBAR_COPY", "edit-copy"},
                                             {"ZEL_TOOLBAR_PASTE", "edit-paste"},
                                             {"ZEL_TOOLBAR_BOLD", "format-text-bold"},
                                             {"ZEL_TOOLBAR_ITALICS", "format-text-italic"},
                                             {"ZEL_TOOLBAR_UNDERLINE", "format-text-underline"},
                                             {"ZEL_TOOLBAR_LEFT", "format-justify-left"},
                                             {"ZEL_TOOLBAR_CENTER", "format-justify-center"},
                                             {"ZEL_TOOLBAR_RIGHT", "format-justify-right"},
                                             {"ZEL_TOOLBAR_PRINT", "document-print"},
                                             {"ZEL_TOOLBAR_PREVIEW", "document-print-preview"},
                                             {"ZEL_TOOLBAR_FIRST", "go-first"},
                                             {"ZEL_TOOLBAR_PREVIOUS", "go-previous"},
                                             {"ZEL_TOOLBAR_NEXT", "go-next"},
                                             {"ZEL_TOOLBAR_LAST", "go-last"},
                                             {"ZEL_TOOLBAR_CANCEL", "process-stop"},
                                             {"ZEL_TOOLBAR_SQL", "view-refresh"}};
  const QIcon own = zelGlyph(glyph);
  const QString name = theme.value(glyph);
  return name.isEmpty() ? own : QIcon::fromTheme(name, own);
}
