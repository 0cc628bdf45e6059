#include "editors/designhistory.h"

#include "model/storedform.h"
#include "model/storedformpatch.h"
#include "model/zelquery.h"

#include <QScopedValueRollback>
#include <QSet>
#include <QTimer>
#include <QUndoCommand>
#include <QUndoStack>

namespace {

// One design step: the compressed forms before and after it.
class DesignStep : public QUndoCommand {
public:
  DesignStep(TzelDesignHistory *history, const QString &name, QByteArray before, QByteArray after)
      : QUndoCommand(name), m_history(history), m_before(std::move(before)),
        m_after(std::move(after)) {}
  void undo() override { m_history->restore(m_before); }
  void redo() override {
    // The first redo comes from push(): the design already is in the after state.
    if (m_pushed)
      m_history->restore(m_after);
    m_pushed = true;
  }
  const QByteArray &before() const { return m_before; }
  const QByteArray &after() const { return m_after; }

private:
  TzelDesignHistory *m_history;
  QByteArray m_before;
  QByteArray m_after;
  bool m_pushed = false;
};

} // namespace

TzelDesignHistory::TzelDesignHistory(QObject *parent)
    : QObject(parent), m_stack(new QUndoStack(this)) {}

// The stack empties itself when it goes: its signals would reach windows already gone.
TzelDesignHistory::~TzelDesignHistory() {
  m_stack->blockSignals(true);
}

void TzelDesignHistory::setDesign(TzelComponent *design) {
  m_design = design;
  m_stack->clear();
  resync();
  m_stack->setClean();
}

void TzelDesignHistory::resync() {
  m_last = m_design ? packedForm() : QByteArray();
}

QByteArray TzelDesignHistory::packedForm() const {
  return qCompress(StoredFormWriter().write(*m_design).toUtf8());
}

void TzelDesignHistory::schedule(const QString &name, bool fallback) {
  if (!m_design || m_restoring)
    return;
  if (!m_pending.isEmpty()) {
    // A named call of the same action names the step rather than a general edit.
    if (m_pendingFallback && !fallback) {
      m_pending = name;
      m_pendingFallback = false;
    }
    return;
  }
  m_pending = name;
  m_pendingFallback = fallback;
  QTimer::singleShot(0, this, &TzelDesignHistory::flush);
}

void TzelDesignHistory::flush() {
  if (m_pending.isEmpty())
    return;
  const QString name = std::exchange(m_pending, QString());
  record(name);
}

void TzelDesignHistory::dropPending() {
  m_pending.clear();
}

void TzelDesignHistory::undo() {
  flush();
  m_stack->undo();
}

void TzelDesignHistory::redo() {
  flush();
  m_stack->redo();
}

bool TzelDesignHistory::record(const QString &name) {
  if (!m_design || m_restoring || (m_prepare && !m_prepare()))
    return false;
  QByteArray now = packedForm();
  if (now == m_last)
    return false;
  // The new step's before is the last step's after: one shared buffer.
  m_stack->push(new DesignStep(this, name, m_last, now));
  m_last = std::move(now);
  return true;
}

void TzelDesignHistory::restore(const QByteArray &packed) {
  if (!m_design)
    return;
  {
    const QScopedValueRollback<bool> guard(m_restoring, true);
    const QString present = StoredFormWriter().write(*m_design);
    ZelFormPatch patch =
        patchStoredForm(*m_design, present, QString::fromUtf8(qUncompress(packed)));
    const QScopedValueRollback<const ZelFormPatch *> shown(m_patch, &patch);
    emit restored();
  }
  // The editors may settle what the form leaves open (a window's size): that is no step.
  m_last = packed;
  if (packedForm() != packed)
    resync();
  m_pending.clear();
}

qint64 TzelDesignHistory::undoBytes() const {
  QSet<const char *> seen;
  qint64 bytes = 0;
  const auto count = [&](const QByteArray &form) {
    if (!seen.contains(form.constData())) {
      seen.insert(form.constData());
      bytes += form.size();
    }
  };
  for (int i = 0; i < m_stack->count(); ++i) {
    const auto *step = static_cast<const DesignStep *>(m_stack->command(i));
    count(step->before());
    count(step->after());
  }
  return bytes;
}
