// SPDX-License-Identifier: MIT
// The rename dialog: its edits and the blank checks in the order alias, name, database.
#include "editors/frmzelrename.h"
#include "model/zelmodel.h"
#include "support/modaldriver.h"
#include "support/recordingmessages.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

class TestFrmZelRename : public QObject {
  Q_OBJECT

private slots:
  void captionsAndValues() {
    TfrmZelRename dialog;
    QCOMPARE(dialog.objectName(), QStringLiteral("frmZelRename"));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Rename Table"));
    QCOMPARE(dialog.size(), QSize(409, 125));
    QVERIFY(dialog.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(!dialog.windowFlags().testFlag(Qt::WindowCloseButtonHint));
    const auto labelFor = [&dialog](QWidget *edit) {
      const QList<QLabel *> labels = dialog.findChildren<QLabel *>();
      for (QLabel *label : labels)
        if (label->buddy() == edit)
          return label->text();
      return QString();
    };
    QCOMPARE(labelFor(dialog.txtTableAlias), QStringLiteral("Table &Alias"));
    QCOMPARE(labelFor(dialog.txtTableName), QStringLiteral("Table &Name"));
    QCOMPARE(labelFor(dialog.txtDatabase), QStringLiteral("&Database"));
    QVERIFY(dialog.cmdOk->isDefault());
    dialog.setValues(QStringLiteral("Customers"), QStringLiteral("CUSTOMER.DB"),
                     QStringLiteral("PELLOX"));
    dialog.txtTableAlias->setText(QStringLiteral("Clients"));
    QCOMPARE(dialog.tableAlias(), QStringLiteral("Clients"));
    QCOMPARE(dialog.tableName(), QStringLiteral("CUSTOMER.DB"));
    QCOMPARE(dialog.databaseName(), QStringLiteral("PELLOX"));
  }

  void blankChecks_data() {
    QTest::addColumn<QString>("alias");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("database");
    QTest::addColumn<QString>("message");
    QTest::newRow("all blank") << ""
                               << ""
                               << ""
                               << "Error: Table Alias cannot be blank";
    QTest::newRow("spaces alias") << "   "
                                  << "T.DB"
                                  << "D"
                                  << "Error: Table Alias cannot be blank";
    QTest::newRow("name") << "A"
                          << " "
                          << ""
                          << "Error: Table Name cannot be blank";
    QTest::newRow("database") << "A"
                              << "T.DB"
                              << ""
                              << "Error: Database cannot be blank";
    QTest::newRow("complete") << "A"
                              << "T.DB"
                              << "D"
                              << "";
  }
  void blankChecks() {
    QFETCH(QString, alias);
    QFETCH(QString, name);
    QFETCH(QString, database);
    QFETCH(QString, message);
    RecordingMessages rec;
    TfrmZelRename dialog;
    dialog.setValues(alias, name, database);
    dialog.show();
    dialog.cmdOk->click();
    QCOMPARE(rec.lastText(), message);
    QCOMPARE(dialog.isVisible(), !message.isEmpty());
    if (!message.isEmpty()) {
      // A question icon with one OK button.
      QCOMPARE(rec.messages.first().kind, TzelMessageKind::Confirmation);
      QCOMPARE(rec.messages.first().buttons, TzelButtons::Ok);
      QCOMPARE(dialog.tableAlias(), alias); // the user's input stays
    } else {
      QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }
  }

  void modalUseAsTheEditorRunsIt() {
    RecordingMessages rec;
    TfrmZelRename dialog;
    dialog.setValues(QStringLiteral("Customers"), QStringLiteral("CUSTOMER.DB"), QString());
    whenModal([](QWidget *w) {
      auto *d = qobject_cast<TfrmZelRename *>(w);
      d->cmdOk->click(); // refused: no database
      d->txtDatabase->setText(QStringLiteral("PELLOX"));
      d->cmdOk->click();
    });
    QCOMPARE(dialog.exec(), int(QDialog::Accepted));
    QCOMPARE(rec.texts(), QStringList{"Error: Database cannot be blank"});
    QCOMPARE(dialog.databaseName(), QStringLiteral("PELLOX"));
  }

  void cancelAndHelp() {
    RecordingHelp help;
    TzelModel model;
    TfrmZelRename dialog;
    dialog.setModel(&model);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    dialog.cmdHelp->click();
    QTest::keyClick(dialog.txtTableName, Qt::Key_F1);
    QCOMPARE(help.calls.size(), 2);
    QCOMPARE(help.calls.last().context, 4);
    dialog.cmdCancel->click();
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
  }
};

QTEST_MAIN(TestFrmZelRename)
#include "tst_frmzelrename.moc"
