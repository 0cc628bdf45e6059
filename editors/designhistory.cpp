// SPDX-License-Identifier: MIT
#include "editors/designhistory.h"

#include "messages/zelerror.h"
#include "messages/zelmessages.h"
#include "model/storedform.h"
#include "model/storedformpatch.h"
#include "model/zelquery.h"

#include <QGuiApplication>
#include <QScopedValueRollback>
#include <QSet>
#include <QTimer>
#include <QUndoCommand>
#include <QUndoStack>

namespace {

constexpr int kReleasePoll = 30; // ms between looks at the mouse buttons during a drag

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
  m_lastText = m_design ? StoredFormWriter().write(*m_design) : QString();
  m_last = m_design ? qCompress(m_lastText.toUtf8()) : QByteArray();
}

void TzelDesignHistory::schedule(const QString &name, bool fallback) {
  if (m_restoring) // an editor settling what the restored form leaves open
    m_changedWhileRestoring = true;
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
  QTimer::singleShot(0, this, &TzelDesignHistory::flushWhenReleased);
}

void TzelDesignHistory::flush() {
  if (m_pending.isEmpty())
    return;
  const QString name = std::exchange(m_pending, QString());
  record(name);
}

// A drag moves a window, or resizes it, in many events: the step ends with the button's
// release, so the whole drag is one step.
void TzelDesignHistory::flushWhenReleased() {
  if (QGuiApplication::mouseButtons() != Qt::NoButton && !m_pending.isEmpty()) {
    QTimer::singleShot(kReleasePoll, this, &TzelDesignHistory::flushWhenReleased);
    return;
  }
  flush();
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
  QString text = StoredFormWriter().write(*m_design);
  if (text == m_lastText)
    return false;
  QByteArray now = qCompress(text.toUtf8());
  // The new step's before is the last step's after: one shared buffer.
  m_stack->push(new DesignStep(this, name, m_last, now));
  m_last = std::move(now);
  m_lastText = std::move(text);
  return true;
}

void TzelDesignHistory::restore(const QByteArray &packed) {
  if (!m_design)
    return;
  QString target = QString::fromUtf8(qUncompress(packed));
  m_changedWhileRestoring = false;
  const bool shown = showPatched(target);
  m_pending.clear();
  if (!shown) {
    resync();
    return;
  }
  m_last = packed;
  m_lastText = std::move(target);
  // The editors may settle what the form leaves open (a window's size): that is no step.
  if (m_changedWhileRestoring)
    resync();
}

// False after the message of a form that cannot be read; the design is then as it was.
bool TzelDesignHistory::showPatched(const QString &target) {
  const QScopedValueRollback<bool> guard(m_restoring, true);
  try {
    ZelFormPatch patch = patchFrom(target);
    const QScopedValueRollback<const ZelFormPatch *> shown(m_patch, &patch);
    emit restored();
    return true;
  } catch (const EzelError &e) {
    zelShowError(e.message());
    return false;
  }
}

// The design normally is at the last recorded form; written afresh when something changed
// its children unrecorded.
ZelFormPatch TzelDesignHistory::patchFrom(const QString &target) {
  try {
    return patchStoredForm(*m_design, m_lastText, target);
  } catch (const EzelError &) {
    return patchStoredForm(*m_design, StoredFormWriter().write(*m_design), target);
  }
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
