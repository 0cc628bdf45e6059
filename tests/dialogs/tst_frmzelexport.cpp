// SPDX-License-Identifier: MIT
// The export dialog and its options dialog: the type list and numbers, the name checks of
// OK, the replace question, the file dialog request and the options panels.

#include "database/zeldatamodel.h"
#include "dialogs/frmzelexport.h"
#include "dialogs/frmzeloptions.h"
#include "dialogs/guifiledialog.h"
#include "engine/zelquerion.h"
#include "export/exportrecords.h"
#include "messages/zelfiledialog.h"
#include "support/modaldriver.h"
#include "support/recordingmessages.h"
#include "support/scopedinteraction.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Answers the save-file dialog from a script and records what it was asked.
class ScriptedFileDialogs : public ScopedInteraction {
public:
  QList<TzelFileRequest> requests;
  std::optional<QString> answer; // nullopt = Cancel
  bool openFileName(const TzelFileRequest &, QString &) override { return false; }
  bool saveFileName(const TzelFileRequest &request, QString &fileName) override {
    requests << request;
    if (answer)
      fileName = *answer;
    return answer.has_value();
  }
};

QString inProgramFolder(const QString &name) {
  return QDir(QCoreApplication::applicationDirPath()).filePath(name);
}

void writeFile(const QString &path, const QByteArray &bytes) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

} // namespace

class TestFrmZelExport : public QObject {
  Q_OBJECT

private slots:
  void init() {
    m_querion = std::make_unique<TzelQuerion>();
    m_model = std::make_unique<TzelDataModel>();
    m_querion->setObjectName(u"zelQuerion1"_s);
    m_querion->SetDataModel(m_model.get());
  }
  void cleanup() {
    m_querion.reset();
    m_model.reset();
  }

  void captionsAndControls() {
    TfrmZelExport dialog(*m_querion);
    QCOMPARE(dialog.windowTitle(), u"Export"_s);
    QCOMPARE(dialog.labFileName->text(), u"File &Name"_s);
    QCOMPARE(dialog.labFileName->buddy(), dialog.txtFileName);
    QCOMPARE(dialog.labFileType->text(), u"File &Type"_s);
    QCOMPARE(dialog.labFileType->buddy(), dialog.cmbFileType);
    QCOMPARE(dialog.cmdBrowse->text(), u"..."_s);
    QCOMPARE(dialog.cmdBrowse->toolTip(), u"Choose a file name"_s);
    QCOMPARE(dialog.cmdOk->text(), u"&OK"_s);
    QVERIFY(dialog.cmdOk->isDefault());
    QCOMPARE(dialog.cmdCancel->text(), u"&Cancel"_s);
    QCOMPARE(dialog.cmdHelp->text(), u"&Help"_s);
    QCOMPARE(dialog.cmdOptions->text(), u"&Options"_s);
    QVERIFY(!dialog.cmbFileType->isEditable());

    TfrmZelOptions options;
    QCOMPARE(options.windowTitle(), u"Options"_s);
    QCOMPARE(options.chkFieldNames->text(), u"Include Field Names"_s);
    QCOMPARE(options.labNote->text(), u"Passwords are not case sensitive. Passwords cannot be "
                                      "recovered if lost."_s);
    QCOMPARE(options.txtPassword->echoMode(), QLineEdit::Password);
    QCOMPARE(options.txtConfirm->echoMode(), QLineEdit::Password);
    QCOMPARE(options.txtPassword->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr,
                                                     options.txtPassword),
             int(u'*'));
    QCOMPARE(options.findChild<QLabel *>(u"labPassword"_s)->text(), u"&Password"_s);
    QCOMPARE(options.findChild<QLabel *>(u"labConfirm"_s)->text(), u"&Confirm Password"_s);
    QVERIFY(options.panPassword->isHidden());
  }

  void typeList_data() {
    QTest::addColumn<bool>("withModel");
    QTest::addColumn<bool>("reportMode");
    QTest::addColumn<QStringList>("entries");
    const QString dbf = u"dBase table (*.dbf)"_s, db = u"Paradox table (*.db)"_s,
                  pxo = u"Pellox Report (*.pxo)"_s, csv = u"Comma Delimited (*.csv)"_s,
                  tab = u"Tab Delimited (*.tab)"_s;
    QTest::newRow("data model") << true << false << QStringList{dbf, db, csv, tab};
    QTest::newRow("report mode") << true << true << QStringList{dbf, db, pxo, csv, tab};
    QTest::newRow("no model") << false << false << QStringList{csv, tab};
  }

  void typeList() {
    QFETCH(bool, withModel);
    QFETCH(bool, reportMode);
    QFETCH(QStringList, entries);
    if (!withModel)
      m_querion->SetDataModel(nullptr);
    m_querion->SetReportMode(reportMode);
    RecordingMessages rec;
    TfrmZelExport dialog(*m_querion);
    QStringList shown;
    for (int i = 0; i < dialog.cmbFileType->count(); ++i)
      shown << dialog.cmbFileType->itemText(i);
    QCOMPARE(shown, entries);
    QCOMPARE(dialog.cmbFileType->currentIndex(), 0);
    QCOMPARE(dialog.FileType(), withModel ? int(zelExportDbf) : int(zelExportCsv));
    QVERIFY(rec.messages.isEmpty());
  }

  void typeChange_data() {
    QTest::addColumn<QString>("entry");
    QTest::addColumn<int>("number");
    QTest::addColumn<bool>("options");
    QTest::addColumn<QString>("message");
    QTest::newRow("dBase") << u"dBase table (*.dbf)"_s << 5 << false << QString();
    QTest::newRow("Paradox") << u"Paradox table (*.db)"_s << 9 << false << QString();
    QTest::newRow("report") << u"Pellox Report (*.pxo)"_s << 11 << true << QString();
    QTest::newRow("comma") << u"Comma Delimited (*.csv)"_s << 3 << true << QString();
    QTest::newRow("tab") << u"Tab Delimited (*.tab)"_s << 13 << true << QString();
    QTest::newRow("clipper") << u"Clipper table (*.dbf)"_s << 2 << false << QString();
    QTest::newRow("text") << u"Text (*.TXT)"_s << 14 << true << QString();
    QTest::newRow("spreadsheet") << u"Excel (*.xls)"_s << 4 << false << QString();
    QTest::newRow("unknown") << u"Lotus (*.wk1)"_s << 0 << false
                             << u"Error: Cannot translate file extension WK1 to a known file "
                                "format."_s;
  }

  void typeChange() {
    QFETCH(QString, entry);
    QFETCH(int, number);
    QFETCH(bool, options);
    QFETCH(QString, message);
    m_querion->SetReportMode(true);
    TfrmZelExport dialog(*m_querion);
    RecordingMessages rec;
    const int index = dialog.cmbFileType->findText(entry);
    if (index >= 0) {
      dialog.cmbFileType->setCurrentIndex(index);
    } else {
      dialog.cmbFileType->addItem(entry);
      dialog.cmbFileType->setCurrentIndex(dialog.cmbFileType->count() - 1);
    }
    QCOMPARE(dialog.FileType(), number);
    QCOMPARE(dialog.cmdOptions->isEnabled(), options);
    QCOMPARE(rec.lastText(), message);
  }

  void typeChangeResetsTheOptions() {
    m_querion->SetReportMode(true);
    TfrmZelExport dialog(*m_querion);
    dialog.cmbFileType->setCurrentIndex(dialog.cmbFileType->findText(u"Pellox Report (*.pxo)"_s));
    whenModal([](QWidget *w) {
      auto *options = qobject_cast<TfrmZelOptions *>(w);
      options->txtPassword->setText(u"Secret"_s);
      options->txtConfirm->setText(u"SECRET"_s);
      options->cmdOk->click();
    });
    dialog.cmdOptions->click();
    QCOMPARE(dialog.Password(), u"Secret"_s);
    dialog.cmbFileType->setCurrentIndex(dialog.cmbFileType->findText(u"Comma Delimited (*.csv)"_s));
    whenModal([](QWidget *w) {
      auto *options = qobject_cast<TfrmZelOptions *>(w);
      options->chkFieldNames->setChecked(false);
      options->cmdOk->click();
    });
    dialog.cmdOptions->click();
    QVERIFY(!dialog.IncludeNames());
    dialog.cmbFileType->setCurrentIndex(dialog.cmbFileType->findText(u"Tab Delimited (*.tab)"_s));
    QVERIFY(dialog.IncludeNames());
    QVERIFY(dialog.Password().isEmpty());
  }

  void okChecksTheName_data() {
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("name"); // the edit box afterwards; empty when as typed
    QTest::addColumn<QString>("message");
    const QString csv = u"Comma Delimited (*.csv)"_s;
    QTest::newRow("sales gets .tab and the program's folder")
        << u"Tab Delimited (*.tab)"_s << u"sales"_s << inProgramFolder(u"sales.tab"_s) << QString();
    QTest::newRow("sales.txt is no comma-delimited file")
        << csv << u"sales.txt"_s << QString()
        << u"Error: The file name does not contain an extension\rconsistent with the "
           "\"Comma Delimited (*.csv)\" format."_s;
    QTest::newRow("report.csv.bak holds .csv")
        << csv << u"report.csv.bak"_s << inProgramFolder(u"report.csv.bak"_s) << QString();
    QTest::newRow("upper case extension")
        << csv << u"SALES.CSV"_s << inProgramFolder(u"SALES.CSV"_s) << QString();
    QTest::newRow("dBase table") << u"dBase table (*.dbf)"_s << u"sales"_s
                                 << inProgramFolder(u"sales.dbf"_s) << QString();
    QTest::newRow("empty") << csv << QString() << QString()
                           << u"Error: File name must be assigned."_s;
    QTest::newRow("spaces") << csv << u"    "_s << QString()
                            << u"Error: File name must be assigned."_s;
  }

  void okChecksTheName() {
    QFETCH(QString, entry);
    QFETCH(QString, typed);
    QFETCH(QString, name);
    QFETCH(QString, message);
    TfrmZelExport dialog(*m_querion);
    dialog.cmbFileType->setCurrentIndex(dialog.cmbFileType->findText(entry));
    dialog.txtFileName->setText(typed);
    RecordingMessages rec;
    dialog.cmdOk->click();
    QCOMPARE(rec.lastText(), message);
    if (!message.isEmpty())
      QCOMPARE(rec.messages.constFirst().kind, TzelMessageKind::Error);
    QCOMPARE(dialog.result(), message.isEmpty() ? int(QDialog::Accepted) : int(QDialog::Rejected));
    QCOMPARE(dialog.FileName(), name.isEmpty() ? typed : name);
    // The proof that the name can be written leaves nothing behind.
    if (!typed.trimmed().isEmpty())
      QVERIFY(!QFileInfo::exists(name.isEmpty() ? inProgramFolder(typed) : name));
  }

  void dotInAFolderIsNoExtension() {
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(u"my.exports"_s));
    TfrmZelExport dialog(*m_querion);
    dialog.cmbFileType->setCurrentIndex(dialog.cmbFileType->findText(u"Comma Delimited (*.csv)"_s));
    dialog.txtFileName->setText(dir.filePath(u"my.exports/sales"_s));
    RecordingMessages rec;
    dialog.cmdOk->click();
    QVERIFY(rec.messages.isEmpty());
    QCOMPARE(dialog.FileName(), dir.filePath(u"my.exports/sales.csv"_s));
  }

  void replaceQuestion() {
    QTemporaryDir dir;
    const QString file = dir.filePath(u"Sales.csv"_s);
    writeFile(file, "old");
    TfrmZelExport dialog(*m_querion);
    dialog.cmbFileType->setCurrentIndex(dialog.cmbFileType->findText(u"Comma Delimited (*.csv)"_s));
    dialog.txtFileName->setText(file);
    RecordingMessages rec;
    rec.answers << TzelAnswer::No << TzelAnswer::Yes;
    dialog.cmdOk->click();
    QCOMPARE(rec.messages.size(), 1);
    QCOMPARE(rec.messages[0].text,
             u"The file Sales.csv already exists.\r\rDo you want to replace it?"_s);
    QCOMPARE(rec.messages[0].kind, TzelMessageKind::Confirmation);
    QCOMPARE(rec.messages[0].buttons, TzelButtons::YesNo);
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(QFile::exists(file));

    dialog.cmdOk->click();
    QCOMPARE(rec.messages.size(), 2);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    // Replaced by the writer once the new file is complete, never before.
    QFile kept(file);
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), QByteArray("old"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{u"Sales.csv"_s});
  }

  void badTargets() {
    QTemporaryDir dir;
    // A directory in the file's place: it exists and cannot be deleted as a file.
    const QString taken = dir.filePath(u"taken.csv"_s);
    QVERIFY(QDir(dir.path()).mkpath(u"taken.csv/inside"_s));
    TfrmZelExport dialog(*m_querion);
    dialog.cmbFileType->setCurrentIndex(dialog.cmbFileType->findText(u"Comma Delimited (*.csv)"_s));
    dialog.txtFileName->setText(taken);
    RecordingMessages rec;
    dialog.cmdOk->click();
    QCOMPARE(rec.texts(),
             (QStringList{u"The file taken.csv already exists.\r\rDo you want to replace it?"_s,
                          u"Error: The existing file "_s + taken + u" cannot be deleted"_s}));
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(QFileInfo(taken).isDir());

    const QString nowhere = dir.filePath(u"no/such/folder/sales.csv"_s);
    dialog.txtFileName->setText(nowhere);
    rec.clear();
    dialog.cmdOk->click();
    QCOMPARE(rec.messages.size(), 1);
    QVERIFY(rec.lastText().startsWith(u"Error: Cannot create the file "_s + nowhere));
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(!QFileInfo::exists(dir.filePath(u"no"_s)));
  }

  void browse() {
    ScriptedFileDialogs files;
    TfrmZelExport dialog(*m_querion);
    dialog.cmbFileType->setCurrentIndex(dialog.cmbFileType->findText(u"Tab Delimited (*.tab)"_s));
    dialog.cmdBrowse->click();
    QCOMPARE(files.requests.size(), 1);
    const TzelFileRequest first = files.requests[0];
    QCOMPARE(first.title, u"Select File Name"_s);
    QCOMPARE(first.filter, u"Tab Delimited (*.tab)|*.tab|All Files (*.*)|*.*"_s);
    QCOMPARE(first.filterIndex, 1);
    QCOMPARE(first.fileName, u"*.tab"_s);
    QVERIFY(first.folderMustExist);
    QVERIFY(dialog.FileName().isEmpty()); // cancelled

    files.answer = u"/tmp/Exports/Sales.tab"_s;
    dialog.txtFileName->setText(u"draft"_s);
    dialog.cmdBrowse->click();
    QCOMPARE(files.requests[1].fileName, u"draft"_s);
    QCOMPARE(dialog.FileName(), u"/tmp/Exports/Sales.tab"_s);
  }

  void qtNameFilters_data() {
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("export") << u"Tab Delimited (*.tab)|*.tab|All Files (*.*)|*.*"_s
                            << QStringList{u"Tab Delimited (*.tab)"_s, u"All Files (*)"_s};
    QTest::newRow("bare description")
        << u"Text|*.txt;*.asc"_s << QStringList{u"Text (*.txt *.asc)"_s};
    QTest::newRow("odd entry dropped") << u"Text|*.txt|Alone"_s << QStringList{u"Text (*.txt)"_s};
  }

  void qtNameFilters() {
    QFETCH(QString, filter);
    QFETCH(QStringList, names);
    QCOMPARE(zelQtNameFilters(filter), names);
  }

  void optionsPanels_data() {
    QTest::addColumn<QString>("entry");
    QTest::addColumn<bool>("names");
    QTest::addColumn<bool>("password");
    QTest::newRow("comma") << u"Comma Delimited (*.csv)"_s << true << false;
    QTest::newRow("tab") << u"Tab Delimited (*.tab)"_s << true << false;
    QTest::newRow("report") << u"Pellox Report (*.pxo)"_s << false << true;
  }

  void optionsPanels() {
    QFETCH(QString, entry);
    QFETCH(bool, names);
    QFETCH(bool, password);
    m_querion->SetReportMode(true);
    TfrmZelExport dialog(*m_querion);
    dialog.cmbFileType->setCurrentIndex(dialog.cmbFileType->findText(entry));
    bool shownNames = !names, shownPassword = !password, ticked = false;
    whenModal([&](QWidget *w) {
      auto *options = qobject_cast<TfrmZelOptions *>(w);
      shownNames = options->panFieldNames->isVisible();
      shownPassword = options->panPassword->isVisible();
      ticked = options->chkFieldNames->isChecked();
      options->chkFieldNames->setChecked(false);
      options->cmdCancel->click();
    });
    dialog.cmdOptions->click();
    QCOMPARE(shownNames, names);
    QCOMPARE(shownPassword, password);
    QVERIFY(ticked);
    QVERIFY(dialog.IncludeNames()); // cancelled: nothing taken over
  }

  void passwordMismatch() {
    TfrmZelOptions options;
    options.SetFileType(zelExportPxo);
    options.SetValues(true, u"first"_s);
    QCOMPARE(options.txtConfirm->text(), u"first"_s);
    options.show();
    options.txtConfirm->setText(u"frist"_s);
    RecordingMessages rec;
    options.cmdOk->click();
    QCOMPARE(rec.lastText(), u"Error: Password and Confirm Password do not match."_s);
    QVERIFY(options.txtPassword->text().isEmpty());
    QVERIFY(options.txtConfirm->text().isEmpty());
    QCOMPARE(options.focusWidget(), options.txtPassword);
    QVERIFY(options.isVisible());

    options.txtPassword->setText(u"Secret"_s);
    options.txtConfirm->setText(u"sECRET"_s);
    rec.clear();
    options.cmdOk->click();
    QVERIFY(rec.messages.isEmpty());
    QCOMPARE(options.result(), int(QDialog::Accepted));
    QCOMPARE(options.Password(), u"Secret"_s);
  }

  void passwordsAreNotComparedWithoutTheirPanel() {
    TfrmZelOptions options;
    options.SetFileType(zelExportCsv);
    options.txtPassword->setText(u"a"_s);
    RecordingMessages rec;
    options.cmdOk->click();
    QVERIFY(rec.messages.isEmpty());
    QCOMPARE(options.result(), int(QDialog::Accepted));
  }

  void help() {
    TfrmZelExport dialog(*m_querion);
    RecordingHelp help;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    dialog.cmdHelp->click();
    QTest::keyClick(dialog.txtFileName, Qt::Key_F1);
    QCOMPARE(help.calls.size(), 2);
    QCOMPARE(help.calls[0].context, 52);
    QCOMPARE(help.calls[1].context, 52);
  }

private:
  std::unique_ptr<TzelQuerion> m_querion;
  std::unique_ptr<TzelDataModel> m_model;
};

QTEST_MAIN(TestFrmZelExport)
#include "tst_frmzelexport.moc"
