// SPDX-License-Identifier: MIT
#pragma once
// The query editor panel's values grid widget: field drops, the Insert and Delete keys, F2 or
// Enter for the value editor and Shift+F10 for the popup.

#include "controls/stringgrid.h"
#include "editors/fielddrag.h"
#include "zelwidgets_export.h"

// The values grid: accepts fields dragged from a table window, Insert and Delete run the
// panel's commands, F2 or Enter opens the value editor; its row titles stay in place when it
// scrolls sideways.
class ZELWIDGETS_EXPORT TzelValuesGrid : public TzelStringGrid {
  Q_OBJECT
public:
  explicit TzelValuesGrid(QWidget *parent = nullptr);

signals:
  void fieldDropped(const TzelDraggedField &field, int column);
  void insertPressed();
  void deletePressed();
  void editPressed();

protected:
  void keyPressEvent(QKeyEvent *event) override;
  void dragEnterEvent(QDragEnterEvent *event) override;
  void dragMoveEvent(QDragMoveEvent *event) override;
  void dropEvent(QDropEvent *event) override;
};
