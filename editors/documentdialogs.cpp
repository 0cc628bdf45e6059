#include "editors/documentdialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace {

class QtDocumentDialogs : public TzelDocumentDialogs {
public:
  bool openFileName(const TzelFileRequest &request, QString &chosen) override {
    return run(request, QFileDialog::AcceptOpen, chosen);
  }
  bool saveFileName(const TzelFileRequest &request, QString &chosen) override {
    return run(request, QFileDialog::AcceptSave, chosen);
  }
  TzelSaveMethod askSaveMethod() override {
    QMessageBox box(QMessageBox::Question, QStringLiteral("Save"),
                    QStringLiteral("Save changes to:"), QMessageBox::NoButton,
                    QApplication::activeWindow());
    QPushButton *form =
        box.addButton(QStringLiteral("a component on a form?"), QMessageBox::YesRole);
    QPushButton *file =
        box.addButton(QStringLiteral("an operating system file?"), QMessageBox::YesRole);
    QPushButton *no = box.addButton(QMessageBox::No);
    box.addButton(QMessageBox::Cancel);
    box.exec();
    if (box.clickedButton() == form)
      return TzelSaveMethod::Form;
    if (box.clickedButton() == file)
      return TzelSaveMethod::File;
    return box.clickedButton() == no ? TzelSaveMethod::No : TzelSaveMethod::Cancel;
  }

private:
  static bool run(const TzelFileRequest &request, QFileDialog::AcceptMode mode, QString &chosen) {
    QFileDialog dialog(QApplication::activeWindow(), request.title, request.folder,
                       zelQtFileFilter(request.filter));
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    if (!request.fileName.isEmpty())
      dialog.selectFile(request.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
      return false;
    chosen = dialog.selectedFiles().first();
    return true;
  }
};

std::unique_ptr<TzelDocumentDialogs> &installed() {
  static std::unique_ptr<TzelDocumentDialogs> dialogs = std::make_unique<QtDocumentDialogs>();
  return dialogs;
}

} // namespace

std::unique_ptr<TzelDocumentDialogs>
zelSetDocumentDialogs(std::unique_ptr<TzelDocumentDialogs> dialogs) {
  if (!dialogs)
    dialogs = std::make_unique<QtDocumentDialogs>();
  return std::exchange(installed(), std::move(dialogs));
}

TzelDocumentDialogs &zelDocumentDialogs() {
  return *installed();
}

QString zelQtFileFilter(const QString &filter) {
  const QStringList parts = filter.split(QLatin1Char('|'));
  QStringList captions;
  for (qsizetype i = 0; i < parts.size(); i += 2)
    captions << parts[i];
  return captions.join(QStringLiteral(";;"));
}
