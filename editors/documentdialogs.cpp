#include "editors/documentdialogs.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace {

class QtDocumentDialogs : public TzelDocumentDialogs {
public:
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
