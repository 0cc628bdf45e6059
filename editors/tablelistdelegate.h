// SPDX-License-Identifier: MIT
#pragma once
// Draws the rows of a table window's field list: the star of row 0, the field aliases (row 1
// bold), and the active markers; all rows share one height, measured from the font.

#include "zelwidgets_export.h"

#include <QStyledItemDelegate>

class ZELWIDGETS_EXPORT TzelTableListDelegate : public QStyledItemDelegate {
  Q_OBJECT
public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter *painter, const QStyleOptionViewItem &option,
             const QModelIndex &index) const override;
  QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

  static constexpr int textIndent = 12;
  static constexpr QSize starSize{9, 9};
  static constexpr QSize markerSize{8, 10};
};
