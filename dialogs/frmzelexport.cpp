// SPDX-License-Identifier: MIT
#include "dialogs/frmzelexport.h"

#include "controls/windowhelpers.h"
#include "database/exportsource.h"
#include "database/zeldataset.h"
#include "dialogs/frmzeloptions.h"
#include "dialogs/guiscreen.h"
#include "engine/zelquerion.h"
#include "export/exportrecords.h"
#include "messages/zelfiledialog.h"
#include "messages/zelmessages.h"
#include "model/supportfiles.h"
#include "model/zelmodel.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryFile>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

// "Comma Delimited (*.csv)" -> "*.csv": from the "*" up to the next ")".
QString patternOf(const QString &entry) {
  const qsizetype star = entry.indexOf(u'*');
  if (star < 0)
    return {};
  const qsizetype close = entry.indexOf(u')', star);
  return entry.mid(star, close < 0 ? -1 : close - star);
}

QStringList fileTypeEntries(TzelQuerion &querion) {
  QStringList entries;
  if (TzelModel *model = querion.DataModel())
    model->ExportFileTypes(entries);
  if (querion.ReportMode())
    entries << QStringLiteral("Pellox Report (*.pxo)");
  entries << QStringLiteral("Comma Delimited (*.csv)") << QStringLiteral("Tab Delimited (*.tab)");
  return entries;
}

// A file of the folder can be replaced when a new one can be made beside it (the writers
// rename their finished file over the old one); the probe is removed again.
bool canReplaceIn(const QString &folder) {
  QTemporaryFile probe(QDir(folder).filePath(QStringLiteral("export-probe-XXXXXX")));
  return probe.open();
}

bool hasOptions(int fileType) {
  return fileType == zelExportCsv || fileType == zelExportPxo || fileType == zelExportTab ||
         fileType == zelExportTxt;
}

} // namespace

TfrmZelExport::TfrmZelExport(TzelQuerion &querion, QWidget *parent)
    : QDialog(parent), m_querion(querion) {
  setObjectName(QStringLiteral("frmZelExport"));
  setWindowTitle(QStringLiteral("Export"));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);

  txtFileName = new QLineEdit(this);
  txtFileName->setObjectName(QStringLiteral("txtFileName"));
  txtFileName->setMinimumWidth(220);
  labFileName =
      zelBuddyLabel(QStringLiteral("labFileName"), QStringLiteral("File &Name"), txtFileName, this);
  cmdBrowse = zelNamedButton(QStringLiteral("cmdBrowse"), QStringLiteral("..."), this);
  cmdBrowse->setToolTip(QStringLiteral("Choose a file name"));
  cmdBrowse->setAccessibleName(QStringLiteral("Choose a file name"));
  cmdBrowse->setAutoDefault(false);
  cmdBrowse->setFixedWidth(cmdBrowse->fontMetrics().horizontalAdvance(u"...."_s) + 16);
  cmbFileType = new QComboBox(this);
  cmbFileType->setObjectName(QStringLiteral("cmbFileType"));
  labFileType =
      zelBuddyLabel(QStringLiteral("labFileType"), QStringLiteral("File &Type"), cmbFileType, this);

  cmdOk = zelNamedButton(QStringLiteral("cmdOk"), QStringLiteral("&OK"), this);
  cmdOk->setDefault(true);
  cmdCancel = zelNamedButton(QStringLiteral("cmdCancel"), QStringLiteral("&Cancel"), this);
  cmdHelp = zelNamedButton(QStringLiteral("cmdHelp"), QStringLiteral("&Help"), this);
  cmdOptions = zelNamedButton(QStringLiteral("cmdOptions"), QStringLiteral("&Options"), this);
  for (QPushButton *b : {cmdCancel, cmdHelp, cmdOptions})
    b->setAutoDefault(false);

  auto *fields = new QGridLayout;
  fields->setVerticalSpacing(4);
  fields->addWidget(labFileName, 0, 0, 1, 2);
  fields->addWidget(txtFileName, 1, 0);
  fields->addWidget(cmdBrowse, 1, 1);
  fields->addItem(new QSpacerItem(0, 8), 2, 0);
  fields->addWidget(labFileType, 3, 0, 1, 2);
  fields->addWidget(cmbFileType, 4, 0, 1, 2);
  fields->setRowStretch(5, 1);
  auto *buttons = new QVBoxLayout;
  buttons->setSpacing(4);
  for (QPushButton *b : {cmdOk, cmdCancel, cmdHelp, cmdOptions})
    buttons->addWidget(b);
  buttons->addStretch();
  auto *layout = new QHBoxLayout(this);
  layout->setContentsMargins(10, 10, 10, 10);
  layout->setSpacing(12);
  layout->addLayout(fields, 1);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  cmbFileType->addItems(fileTypeEntries(querion));
  cmbFileType->setCurrentIndex(0);
  cmbFileTypeChange();
  connect(cmbFileType, &QComboBox::currentIndexChanged, this, &TfrmZelExport::cmbFileTypeChange);
  connect(cmdBrowse, &QPushButton::clicked, this, &TfrmZelExport::cmdBrowseClick);
  connect(cmdOptions, &QPushButton::clicked, this, &TfrmZelExport::cmdOptionsClick);
  connect(cmdOk, &QPushButton::clicked, this, &TfrmZelExport::cmdOkClick);
  connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(cmdHelp, &QPushButton::clicked, this, &TfrmZelExport::cmdHelpClick);
  zelF1Clicks(*this, *cmdHelp);
}

QString TfrmZelExport::FileName() const {
  return txtFileName->text();
}

QString TfrmZelExport::entryPattern() const {
  return patternOf(cmbFileType->currentText());
}

void TfrmZelExport::cmbFileTypeChange() {
  m_includeNames = true;
  m_password.clear();
  const QString entry = cmbFileType->currentText();
  QString extension = entryPattern();
  extension.remove(QStringLiteral("*."));
  extension = extension.toLower();
  m_fileType = ExportFileTypeOfExtension(extension, entry.contains(QStringLiteral("Clipper")));
  if (m_fileType == zelExportNone)
    zelShowError(UnknownExtensionMessage(extension));
  cmdOptions->setEnabled(hasOptions(m_fileType));
}

void TfrmZelExport::cmdBrowseClick() {
  const QString entry = cmbFileType->currentText();
  const QString pattern = entryPattern();
  TzelFileRequest request;
  request.title = QStringLiteral("Select File Name");
  request.filter = entry + u'|' + pattern + QStringLiteral("|All Files (*.*)|*.*");
  request.filterIndex = 1;
  request.fileName = IsBlank(txtFileName->text()) ? pattern : txtFileName->text();
  request.folderMustExist = true;
  // Kept as chosen: folders differ by case on this file system.
  QString chosen;
  if (zelSaveFileName(request, chosen))
    txtFileName->setText(chosen);
}

void TfrmZelExport::cmdOptionsClick() {
  TfrmZelOptions options(this);
  options.SetFileType(m_fileType);
  options.SetValues(m_includeNames, m_password);
  if (options.exec() != QDialog::Accepted)
    return;
  m_includeNames = options.IncludeNames();
  m_password = options.Password();
}

bool TfrmZelExport::completeName(QString &name) {
  if (IsBlank(name)) {
    zelShowError(QStringLiteral("Error: File name must be assigned."));
    return false;
  }
  const QString extension = entryPattern().remove(u'*');
  // Only the file's own name counts: a dot in a folder's name is no extension.
  if (!QFileInfo(name).fileName().contains(u'.'))
    name += extension.toLower();
  if (!QFileInfo(name).fileName().toUpper().contains(extension.toUpper())) {
    zelShowError(QStringLiteral("Error: The file name does not contain an extension\r"
                                "consistent with the \"") +
                 cmbFileType->currentText() + QStringLiteral("\" format."));
    return false;
  }
  name = InProgramFolder(name);
  return true;
}

// Refused while the dialog is open, so that the user may choose another name before being
// asked whether to replace the very file the records come from.
bool TfrmZelExport::readByQuery(const QString &name) {
  const auto *dataset = qobject_cast<TzelDataset *>(m_querion.DataQuery());
  return !dataset || zelCheckExportTarget(*dataset, name);
}

bool TfrmZelExport::replaceExisting(const QString &name) {
  const QFileInfo file(name);
  if (!file.exists())
    return true;
  if (!zelConfirmReplace(file.fileName()))
    return false;
  // The old file stays until the writer renames its finished file over it, so a cancelled
  // or failed export keeps it; here it is only proved that it can be replaced.
  if (!file.isDir() && canReplaceIn(file.absolutePath()))
    return true;
  zelShowError(QStringLiteral("Error: The existing file ") + name +
               QStringLiteral(" cannot be deleted"));
  return false;
}

bool TfrmZelExport::canWrite(const QString &name) {
  if (QFileInfo::exists(name))
    return true; // replaceExisting has proved it
  QFile probe(name);
  if (!probe.open(QIODevice::WriteOnly)) {
    zelShowError(QStringLiteral("Error: Cannot create the file ") + name + u": "_s +
                 probe.errorString());
    return false;
  }
  probe.close();
  probe.remove();
  return true;
}

void TfrmZelExport::cmdOkClick() {
  QString name = txtFileName->text();
  const bool named = completeName(name);
  if (named)
    txtFileName->setText(name);
  if (!named || !readByQuery(name) || !replaceExisting(name) || !canWrite(name)) {
    txtFileName->setFocus();
    return;
  }
  accept();
}

void TfrmZelExport::cmdHelpClick() {
  if (TzelModel *model = m_querion.DataModel())
    model->ShowHelp(0, 52);
}

void TfrmZelExport::showEvent(QShowEvent *event) {
  QDialog::showEvent(event);
  zelCentreOnScreen(*this);
}

bool TfrmZelExport::Ask(TzelQuerion &querion, TzelExportChoice &choice) {
  // Refused before a name is asked for, as the writers would refuse it after.
  if (const auto *data = qobject_cast<TzelDataset *>(querion.DataQuery());
      data && !zelCheckExportSource(*data))
    return false;
  TfrmZelExport dialog(querion);
  if (dialog.exec() != QDialog::Accepted)
    return false;
  choice.fileName = dialog.FileName();
  choice.fileType = dialog.FileType();
  choice.includeNames = dialog.IncludeNames();
  choice.password = dialog.Password();
  return true;
}
