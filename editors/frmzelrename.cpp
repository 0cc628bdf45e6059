// SPDX-License-Identifier: MIT
#include "editors/frmzelrename.h"

#include "controls/windowhelpers.h"
#include "dialogs/guiscreen.h"
#include "messages/zelmessages.h"
#include "model/zelmodel.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLineEdit *edit(const QString &name, QWidget *parent) {
  auto *e = new QLineEdit(parent);
  e->setObjectName(name);
  e->setMaxLength(128);
  return e;
}

} // namespace

TfrmZelRename::TfrmZelRename(QWidget *parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmZelRename"));
  setWindowTitle(QStringLiteral("Rename Table"));
  // A title bar without buttons: the dialog closes through OK or Cancel only.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint);

  panRename = new QWidget(this);
  panRename->setObjectName(QStringLiteral("panRename"));
  txtTableAlias = edit(QStringLiteral("txtTableAlias"), panRename);
  txtTableName = edit(QStringLiteral("txtTableName"), panRename);
  txtDatabase = edit(QStringLiteral("txtDatabase"), panRename);
  txtDatabase->setMaxLength(32767); // a folder path may be long
  txtTableAlias->setAccessibleName(QStringLiteral("Table Alias"));
  txtTableName->setAccessibleName(QStringLiteral("Table Name"));
  txtDatabase->setAccessibleName(QStringLiteral("Database"));
  auto *form = new QFormLayout(panRename);
  form->setContentsMargins(0, 0, 0, 0);
  form->setVerticalSpacing(6);
  form->addRow(QStringLiteral("Table &Alias"), txtTableAlias);
  form->addRow(QStringLiteral("Table &Name"), txtTableName);
  form->addRow(QStringLiteral("&Database"), txtDatabase);

  const TzelButtonColumn column = zelOkCancelHelpColumn(this);
  cmdOk = column.ok;
  cmdCancel = column.cancel;
  cmdHelp = column.help;
  QVBoxLayout *buttons = column.layout;

  auto *layout = new QHBoxLayout(this);
  layout->setContentsMargins(10, 10, 10, 10);
  layout->setSpacing(12);
  layout->addWidget(panRename, 1, Qt::AlignTop);
  layout->addLayout(buttons);
  setFixedSize(409, 125);

  connect(cmdOk, &QPushButton::clicked, this, &TfrmZelRename::cmdOkClick);
  connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(cmdHelp, &QPushButton::clicked, this, &TfrmZelRename::cmdHelpClick);
  zelF1Clicks(*this, *cmdHelp);
}

void TfrmZelRename::setModel(TzelModel *model) {
  m_model = model;
}

void TfrmZelRename::setValues(const QString &alias, const QString &tableName,
                              const QString &database) {
  txtTableAlias->setText(alias);
  txtTableName->setText(tableName);
  txtDatabase->setText(database);
}

QString TfrmZelRename::tableAlias() const {
  return txtTableAlias->text();
}

QString TfrmZelRename::tableName() const {
  return txtTableName->text();
}

QString TfrmZelRename::databaseName() const {
  return txtDatabase->text();
}

void TfrmZelRename::cmdOkClick() {
  const QList<std::pair<QLineEdit *, QString>> checks{
      {txtTableAlias, QStringLiteral("Table Alias")},
      {txtTableName, QStringLiteral("Table Name")},
      {txtDatabase, QStringLiteral("Database")}};
  for (const auto &[edit, title] : checks) {
    if (IsBlank(edit->text())) {
      zelMessageBox(QStringLiteral("Error: ") + title + QStringLiteral(" cannot be blank"),
                    TzelMessageKind::Confirmation, TzelButtons::Ok);
      edit->setFocus();
      return;
    }
  }
  accept();
}

void TfrmZelRename::cmdHelpClick() {
  if (m_model)
    m_model->ShowHelp(0, 4);
}

void TfrmZelRename::showEvent(QShowEvent *event) {
  QDialog::showEvent(event);
  zelCentreOnScreen(*this);
  txtTableAlias->setFocus();
  txtTableAlias->selectAll();
}
