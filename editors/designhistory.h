// SPDX-License-Identifier: MIT
#pragma once
// The undo history of one open design (a query, or the data model window's model copy). Every
// step holds the design's stored form before and after it, compressed; undo and redo bring the
// same object to that text, reading again only the tables, joins and values that differ, so the
// editors redraw only what the step changed and the stored form is restored byte for byte. The
// editors call record() where they already know that the user changed something; an unchanged
// design records nothing.

#include "model/zelcomponent.h"
#include "zelwidgets_export.h"

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <functional>

class QUndoStack;
struct ZelFormPatch;

class ZELWIDGETS_EXPORT TzelDesignHistory : public QObject {
  Q_OBJECT
public:
  explicit TzelDesignHistory(QObject *parent = nullptr);
  ~TzelDesignHistory() override;

  QUndoStack *stack() const { return m_stack; }
  TzelComponent *design() const { return m_design; }
  // Starts a new history at the design's present form (the stack is emptied and clean).
  void setDesign(TzelComponent *design);
  // Records the change since the last step as one step named for what the user did; false
  // (and nothing recorded) when the stored form did not change or while restoring.
  bool record(const QString &name);
  // Records one step once the present event is handled, and a drag once the mouse button is
  // released: a user action that changes the design in several calls becomes one step, named by its
  // first call that is not a fallback (a general name such as "Edit Value", given where the action
  // is not known).
  void schedule(const QString &name, bool fallback = false);
  void flush(); // records the scheduled step now
  void dropPending();
  // Run before the form is read for a step (the values grid writes its cells to the query);
  // false skips the step.
  void setPrepare(std::function<bool()> prepare) { m_prepare = std::move(prepare); }
  void undo();
  void redo();
  // Takes the present form as the last recorded one without a step (a reload from a file).
  void resync();
  bool isRestoring() const { return m_restoring; }
  // The bytes the steps hold (a form shared by two neighbouring steps counts once).
  qint64 undoBytes() const;

  // Reads a compressed form back into the design, changing only the children that differ;
  // used by the steps.
  void restore(const QByteArray &packed);
  // While restored() is handled: what the undo or redo changed.
  const ZelFormPatch *patch() const { return m_patch; }

signals:
  // After an undo or redo rewrote the design: the editors show what patch() changed.
  void restored();

private:
  void flushWhenReleased();
  bool showPatched(const QString &target);
  ZelFormPatch patchFrom(const QString &target);

  QUndoStack *m_stack;
  QPointer<TzelComponent> m_design;
  QByteArray m_last;  // the compressed form after the last step
  QString m_lastText; // the same, as text: the design's present form
  bool m_changedWhileRestoring = false;
  bool m_restoring = false;
  const ZelFormPatch *m_patch = nullptr;
  QString m_pending;
  bool m_pendingFallback = false;
  std::function<bool()> m_prepare;
};
