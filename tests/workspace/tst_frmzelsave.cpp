// SPDX-License-Identifier: MIT
#include "support/modaldriver.h"
#include "workspace/frmzelsave.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

Q_DECLARE_METATYPE(TzelSaveMethod)

class TestFrmZelSave : public QObject {
  Q_OBJECT
private slots:
  void creation() {
    TfrmZelSave dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Save Method"));
    QCOMPARE(dialog.labMsg->text(), QStringLiteral("Save changes to:"));
    QCOMPARE(dialog.optForm->text(), QStringLiteral("a component on a form?"));
    QCOMPARE(dialog.optFile->text(), QStringLiteral("an operating system file?"));
    QCOMPARE(dialog.cmdOK->text(), QStringLiteral("&Yes"));
    QCOMPARE(dialog.cmdNo->text(), QStringLiteral("&No"));
    QCOMPARE(dialog.cmdCancel->text(), QStringLiteral("&Cancel"));
    QVERIFY(dialog.cmdOK->isDefault());
    QVERIFY(!dialog.windowFlags().testFlag(Qt::WindowCloseButtonHint));
    dialog.show();
    QVERIFY(dialog.optForm->isChecked());
    QCOMPARE(dialog.SaveChoice, 1);
    QVERIFY(dialog.imgForm->isVisible());
    QVERIFY(!dialog.imgFile->isVisible());
    QTest::mouseClick(dialog.optFile, Qt::LeftButton);
    QCOMPARE(dialog.SaveChoice, 2);
    QVERIFY(!dialog.imgForm->isVisible());
    QVERIFY(dialog.imgFile->isVisible());
    QVERIFY(!dialog.imgFile->pixmap().isNull());
    QTest::mouseClick(dialog.optForm, Qt::LeftButton);
    QCOMPARE(dialog.SaveChoice, 1);
    QVERIFY(dialog.imgForm->isVisible());
  }

  // The prompt's answer for each way of closing the dialog.
  void answers_data() {
    QTest::addColumn<bool>("chooseFile");
    QTest::addColumn<QString>("close");
    QTest::addColumn<TzelSaveMethod>("answer");
    QTest::newRow("yes, form") << false << "cmdOK" << TzelSaveMethod::Form;
    QTest::newRow("yes, file") << true << "cmdOK" << TzelSaveMethod::File;
    QTest::newRow("no") << true << "cmdNo" << TzelSaveMethod::No;
    QTest::newRow("cancel") << false << "cmdCancel" << TzelSaveMethod::Cancel;
    QTest::newRow("escape after choosing a file") << true << "escape" << TzelSaveMethod::Cancel;
  }
  void answers() {
    QFETCH(bool, chooseFile);
    QFETCH(QString, close);
    QFETCH(TzelSaveMethod, answer);
    whenModal([&](QWidget *w) {
      auto *dialog = qobject_cast<TfrmZelSave *>(w);
      if (!dialog)
        return;
      if (chooseFile)
        dialog->optFile->click();
      if (close == QLatin1String("escape"))
        QTest::keyClick(dialog, Qt::Key_Escape);
      else
        dialog->findChild<QPushButton *>(close)->click();
    });
    QCOMPARE(TfrmZelSave::Ask(), answer);
  }
};

QTEST_MAIN(TestFrmZelSave)
#include "tst_frmzelsave.moc"
