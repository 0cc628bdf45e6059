// The query editor panel's values grid widget: field drops and the Insert and Delete keys.
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
