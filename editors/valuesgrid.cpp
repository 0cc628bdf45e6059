// SPDX-License-Identifier: MIT
// The query editor panel's values grid widget: field drops, the Insert and Delete keys, F2 or
// Enter for the value editor and Shift+F10 for the popup.
#include "editors/valuesgrid.h"

#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>

TzelValuesGrid::TzelValuesGrid(QWidget *parent) : TzelStringGrid(parent) {
  setAcceptDrops(true);
  viewport()->setAcceptDrops(true);
  setDragDropMode(QAbstractItemView::DropOnly);
  setDropIndicatorShown(false);
}

void TzelValuesGrid::keyPressEvent(QKeyEvent *event) {
  if (event->key() == Qt::Key_Insert) {
    emit insertPressed();
    return;
  }
  if (event->key() == Qt::Key_Delete) {
    emit deletePressed();
    return;
  }
  if (event->key() == Qt::Key_F2 || event->key() == Qt::Key_Return ||
      event->key() == Qt::Key_Enter) {
    emit editPressed();
    return;
  }
  if (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier) {
    // The Menu key raises the popup by itself; Shift+F10 opens it over the current cell too.
    emit customContextMenuRequested(visualRect(currentIndex()).center());
    return;
  }
  TzelStringGrid::keyPressEvent(event);
}

void TzelValuesGrid::dragEnterEvent(QDragEnterEvent *event) {
  if (event->mimeData()->hasFormat(zelFieldMimeType()))
    event->acceptProposedAction();
  else
    event->ignore();
}

void TzelValuesGrid::dragMoveEvent(QDragMoveEvent *event) {
  if (event->mimeData()->hasFormat(zelFieldMimeType()))
    event->acceptProposedAction();
  else
    event->ignore();
}

void TzelValuesGrid::dropEvent(QDropEvent *event) {
  TzelDraggedField field;
  if (!zelDecodeField(event->mimeData(), field)) {
    event->ignore();
    return;
  }
  event->acceptProposedAction();
  const int column = columnUnder(event->position().toPoint().x());
  emit fieldDropped(field, qMax(0, column));
}
