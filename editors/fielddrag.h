// SPDX-License-Identifier: MIT
#pragma once
// The drag of a field row out of a table window: the table alias and the field alias under
// a MIME type of our own, so every control that accepts fields reads the same drag.

#include "zelwidgets_export.h"

#include <QByteArray>
#include <QDataStream>
#include <QIODevice>
#include <QMimeData>
#include <QString>

inline const QString &zelFieldMimeType() {
  static const QString type = QStringLiteral("application/x-pellox-field");
  return type;
}

struct ZELWIDGETS_EXPORT TzelDraggedField {
  QString tableAlias;
  QString fieldAlias; // "*" stands for all fields of the table
};

// A new MIME object (the drag takes ownership) carrying the field.
inline QMimeData *zelEncodeField(const TzelDraggedField &field) {
  QByteArray bytes;
  QDataStream out(&bytes, QIODevice::WriteOnly);
  out << field.tableAlias << field.fieldAlias;
  auto *mime = new QMimeData;
  mime->setData(zelFieldMimeType(), bytes);
  return mime;
}

// False when the data carries no field (another format, or damaged data).
inline bool zelDecodeField(const QMimeData *mime, TzelDraggedField &field) {
  if (!mime || !mime->hasFormat(zelFieldMimeType()))
    return false;
  QDataStream in(mime->data(zelFieldMimeType()));
  TzelDraggedField read;
  in >> read.tableAlias >> read.fieldAlias;
  if (in.status() != QDataStream::Ok || read.tableAlias.isEmpty() || read.fieldAlias.isEmpty())
    return false;
  field = read;
  return true;
}
