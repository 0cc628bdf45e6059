// SPDX-License-Identifier: MIT
#include "dialogs/guifiledialog.h"

#include <QApplication>
#include <QFileDialog>

QStringList zelQtNameFilters(const QString &filter) {
  const QStringList parts = filter.split(u'|');
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    // Qt reads the patterns from the parentheses; "*.*" would hide files without a dot.
    QString patterns = parts[i + 1];
    patterns.replace(QStringLiteral("*.*"), QStringLiteral("*"));
    QString description = parts[i];
    const qsizetype open = description.lastIndexOf(QStringLiteral(" ("));
    if (open >= 0)
      description.truncate(open);
    filters << description + QStringLiteral(" (") + patterns.replace(u';', u' ') + u')';
  }
  return filters;
}

namespace {

bool runFileDialog(const TzelFileRequest &request, QFileDialog::AcceptMode mode,
                   QString &fileName) {
  QFileDialog dialog(QApplication::activeWindow(), request.title, request.folder);
  dialog.setAcceptMode(mode);
  dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                     : QFileDialog::AnyFile);
  // Qt's save dialog accepts names in existing folders only, which also answers
  // folderMustExist.
  if (!request.confirmOverwrite)
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
  const QStringList filters = zelQtNameFilters(request.filter);
  dialog.setNameFilters(filters);
  dialog.selectNameFilter(filters.value(request.filterIndex - 1));
  if (!request.fileName.isEmpty() && !request.fileName.contains(u'*'))
    dialog.selectFile(request.fileName);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
    return false;
  fileName = dialog.selectedFiles().constFirst();
  return true;
}

} // namespace

bool zelQtOpenFileName(const TzelFileRequest &request, QString &fileName) {
  return runFileDialog(request, QFileDialog::AcceptOpen, fileName);
}

bool zelQtSaveFileName(const TzelFileRequest &request, QString &fileName) {
  return runFileDialog(request, QFileDialog::AcceptSave, fileName);
}
