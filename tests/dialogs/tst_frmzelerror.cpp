// SPDX-License-Identifier: MIT
#include "dialogs/frmzelerror.h"
#include "dialogs/guiinteraction.h"
#include "messages/zelmessages.h"
#include "support/recordingmessages.h"

#include <QCheckBox>
#include <QClipboard>
#include <QFileDialog>
#include <QLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

class TestFrmZelError : public QObject {
  Q_OBJECT
  static QByteArray readAll(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }

private slots:
  void initTestCase() { zelInstallGui(*qApp); }

  void emptyListBeforeFirstUseCreatesNothing() {
    QStringList none;
    QVERIFY(!ShowMessages(none, QStringLiteral("TzelQuerion")));
    QVERIFY(TfrmZelError::instance() == nullptr);
  }

  void showMessagesCreatesTheWindowOnceAndReplacesItsLines() {
    QStringList first{QStringLiteral("Error 1: The Querion property of zelQueryDialog1 has not "
                                     "been assigned"),
                      QStringLiteral("Error 2: second")};
    QVERIFY(ShowMessages(first, QStringLiteral("TzelQueryDialog")));
    QVERIFY(first.isEmpty());
    TfrmZelError *window = TfrmZelError::instance();
    QVERIFY(window);
    QVERIFY(window->isVisible());
    QCOMPARE(window->windowTitle(), QStringLiteral("TzelQueryDialog Messages"));
    QCOMPARE(window->lines().size(), 2);
    QCOMPARE(window->lines().at(1), QStringLiteral("Error 2: second"));

    QStringList second{QStringLiteral("Error 1: other")};
    QVERIFY(ShowMessages(second, QStringLiteral("TzelQuerion")));
    QVERIFY(second.isEmpty());
    QCOMPARE(TfrmZelError::instance(), window);
    QCOMPARE(window->lines(), QStringList{QStringLiteral("Error 1: other")});
    QCOMPARE(window->windowTitle(), QStringLiteral("TzelQuerion Messages"));
    QCOMPARE(window->findChildren<QPlainTextEdit *>().size(), 1);
  }

  void emptyListHidesTheVisibleWindow() {
    QStringList lines{QStringLiteral("Error 1: x")};
    QVERIFY(ShowMessages(lines, QStringLiteral("TzelQuerion")));
    TfrmZelError *window = TfrmZelError::instance();
    QVERIFY(window->isVisible());
    QVERIFY(!ShowMessages(lines, QStringLiteral("TzelQuerion")));
    QVERIFY(!window->isVisible());
    QCOMPARE(TfrmZelError::instance(), window);
    QStringList again{QStringLiteral("Error 1: back")};
    QVERIFY(ShowMessages(again, QStringLiteral("TzelQuerion")));
    QVERIFY(window->isVisible());
  }

  void freshWindowIsSetUpAsDesigned() {
    TfrmZelError window;
    QCOMPARE(window.windowTitle(), QStringLiteral("System Messages"));
    QVERIFY(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QCOMPARE(window.size(), QSize(527, 113));
    QVERIFY(window.memLines->isReadOnly());
    QCOMPARE(window.memLines->lineWrapMode(), QPlainTextEdit::NoWrap);
    QCOMPARE(window.memLines->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(window.memLines->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(window.cmdClose->text(), QStringLiteral("&Close"));
    QCOMPARE(window.cmdSave->text(), QStringLiteral("&Save"));
    QCOMPARE(window.chkTop->text(), QStringLiteral("Stay on top"));
    QVERIFY(window.chkTop->isChecked());
    QCOMPARE(window.dlgSave->windowTitle(), QStringLiteral("Save Messages"));
    QCOMPARE(window.dlgSave->defaultSuffix(), QStringLiteral("txt"));
    QCOMPARE(window.dlgSave->nameFilters(), QStringList{QStringLiteral("Text files (*.txt)")});
    QCOMPARE(window.dlgSave->acceptMode(), QFileDialog::AcceptSave);
    QVERIFY(!window.dlgSave->testOption(QFileDialog::DontConfirmOverwrite));
    QCOMPARE(QFileInfo(window.dlgSave->selectedFiles().value(0)).fileName(),
             QStringLiteral("Messages.txt"));
    // The memo fills the window left of the action panel.
    window.layout()->activate();
    QVERIFY(window.panActions->geometry().left() >= window.memLines->geometry().right());
  }

  void saveEndsEveryLineWithCrLf() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Messages.txt"));
    TfrmZelError window;
    window.setLines({QStringLiteral("Error 1: a"), QStringLiteral("Error 2: b")});
    RecordingMessages rec;
    QVERIFY(window.saveToFile(path));
    QCOMPARE(readAll(path), QByteArray("Error 1: a\r\nError 2: b\r\n"));
    window.setLines({QStringLiteral("Error 1: shorter")});
    QVERIFY(window.saveToFile(path));
    QCOMPARE(readAll(path), QByteArray("Error 1: shorter\r\n"));
    QVERIFY(rec.messages.isEmpty());
  }

  void failedSaveIsReportedAndLeavesNoFile() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("missing/Messages.txt"));
    TfrmZelError window;
    window.setLines({QStringLiteral("Error 1: a")});
    RecordingMessages rec;
    QVERIFY(!window.saveToFile(path));
    QVERIFY(!QFile::exists(path));
    QCOMPARE(rec.messages.size(), 1);
    QVERIFY(
        rec.lastText().startsWith(QStringLiteral("Error: The messages could not be saved to [") +
                                  path + QStringLiteral("]")));
    QCOMPARE(rec.messages[0].kind, TzelMessageKind::Error);
  }

  void saveCommandRunsTheDialogAndAddsTheExtension() {
    QTemporaryDir dir;
    TfrmZelError window;
    window.setLines({QStringLiteral("Error 1: a")});
    window.dlgSave->setOption(QFileDialog::DontUseNativeDialog);
    QTimer::singleShot(0, window.dlgSave, [&] {
      window.dlgSave->selectFile(dir.filePath(QStringLiteral("report")));
      QMetaObject::invokeMethod(window.dlgSave, "accept");
    });
    window.cmdSave->click();
    QCOMPARE(readAll(dir.filePath(QStringLiteral("report.txt"))), QByteArray("Error 1: a\r\n"));

    QTimer::singleShot(0, window.dlgSave, [&] { window.dlgSave->reject(); });
    window.cmdSave->click();
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("report.txt")});
  }

  void closeHidesAndStayOnTopFollowsTheCheckBox() {
    TfrmZelError window;
    window.show();
    window.chkTop->click();
    QVERIFY(!window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(window.isVisible());
    window.chkTop->click();
    QVERIFY(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    window.cmdClose->click();
    QVERIFY(!window.isVisible());
  }

  void ctrlCCopiesTheSelection() {
    TfrmZelError window;
    window.setLines({QStringLiteral("Error 1: a"), QStringLiteral("Error 2: b")});
    window.show();
    QGuiApplication::clipboard()->clear();
    window.memLines->selectAll();
    QTest::keyClick(window.memLines, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("Error 1: a\nError 2: b"));
  }

  void snapshot() {
    // Developer aid: ZEL_SNAPSHOTS=<folder> writes a picture of the window there.
    const QString folder = qEnvironmentVariable("ZEL_SNAPSHOTS");
    if (folder.isEmpty())
      QSKIP("ZEL_SNAPSHOTS not set");
    TfrmZelError window;
    window.setWindowTitle(QStringLiteral("TzelQuerion Messages"));
    window.setLines({QStringLiteral("Error 1: The Querion property of zelQueryDialog1 has not "
                                    "been assigned"),
                     QStringLiteral("Error 2: The DataModel property of zelQuerion1 has not been "
                                    "assigned")});
    window.show();
    QVERIFY(window.grab().save(folder + QStringLiteral("/frmzelerror.png")));
  }
};

QTEST_MAIN(TestFrmZelError)
#include "tst_frmzelerror.moc"
