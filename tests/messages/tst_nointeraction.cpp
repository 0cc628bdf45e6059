// SPDX-License-Identifier: MIT
// A program that installs no interaction is told so on standard error at its first request,
// once, and every request is answered as the console answers it: never a silent cancel.
#include "messages/busycursor.h"
#include "messages/zelfiledialog.h"
#include "messages/zelmessages.h"

#include <QTemporaryFile>
#include <QtTest>
#include <cstdio>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// Standard error written into a file for the object's lifetime.
class CapturedStderr {
public:
  CapturedStderr() {
    QVERIFY(m_file.open());
    std::fflush(stderr);
    m_saved = ::dup(STDERR_FILENO);
    ::dup2(m_file.handle(), STDERR_FILENO);
  }
  ~CapturedStderr() { restore(); }
  QStringList lines() {
    restore();
    m_file.seek(0);
    return QString::fromUtf8(m_file.readAll()).split(u'\n', Qt::SkipEmptyParts);
  }

private:
  void restore() {
    if (m_saved < 0)
      return;
    std::fflush(stderr);
    ::dup2(m_saved, STDERR_FILENO);
    ::close(m_saved);
    m_saved = -1;
  }
  QTemporaryFile m_file;
  int m_saved = -1;
};

} // namespace

class TestNoInteraction : public QObject {
  Q_OBJECT
private slots:
  void toldOnceAndAnsweredAsTheConsole() {
    CapturedStderr captured;
    { TzelBusyCursor busy; }
    QCOMPARE(zelMessageBox(u"Replace it?"_s, TzelMessageKind::Confirmation, TzelButtons::YesNo),
             TzelAnswer::Yes);
    QString name = u"kept"_s;
    QVERIFY(!zelOpenFileName({}, name));
    QCOMPARE(name, u"kept"_s);
    zelShowError(u"Error: second"_s);
    QCOMPARE(captured.lines(),
             (QStringList{u"Error: No interaction is installed; call zelInstallGui(app) or "
                          u"zelInstallInteraction(interaction) at start-up."_s,
                          u"Replace it?"_s, u"Error: second"_s}));
  }
};

QTEST_GUILESS_MAIN(TestNoInteraction)
#include "tst_nointeraction.moc"
