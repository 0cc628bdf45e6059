#pragma once
// The query editor panel's values grid widget: field drops and the Insert and Delete keys.

#include "controls/stringgrid.h"
#include "editors/fielddrag.h"
#include "zelwidgets_export.h"

// The values grid: accepts fields dragged from a table window, Insert and Delete run the
// panel's commands; its row titles stay in place when it scrolls sideways.
class ZELWIDGETS_EXPORT TzelValuesGrid : public TzelStringGrid {
  Q_OBJECT
public:
  explicit TzelValuesGrid(QWidget *parent = nullptr);

signals:
  void fieldDropped(const TzelDraggedField &field, int column);
  void insertPressed();
  void deletePressed();

protected:
  void keyPressEvent(QKeyEvent *event) override;
  void dragEnterEvent(QDragEnterEvent *event) override;
  void dragMoveEvent(QDragMoveEvent *event) override;
  void dropEvent(QDropEvent *event) override;
};
