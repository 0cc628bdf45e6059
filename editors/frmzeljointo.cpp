// SPDX-License-Identifier: MIT
#include "editors/frmzeljointo.h"

#include "controls/windowhelpers.h"
#include "model/zelmodel.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

// A list searched by typing the start of an entry (Qt's keyboard search).
QListWidget *searchList(const QString &name, const QString &accessibleName, QWidget *parent) {
  auto *list = new QListWidget(parent);
  list->setObjectName(name);
  list->setAccessibleName(accessibleName);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  return list;
}

QWidget *labelled(const QString &caption, QListWidget *list, QWidget *parent) {
  auto *box = new QWidget(parent);
  auto *label = new QLabel(caption, box);
  label->setBuddy(list);
  auto *layout = new QVBoxLayout(box);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(label);
  layout->addWidget(list, 1);
  return box;
}

QRadioButton *option(const char *name, const QString &text, QWidget *parent) {
  auto *button = new QRadioButton(text, parent);
  button->setObjectName(QLatin1String(name));
  button->setAccessibleName(QString(text).remove(u'&'));
  return button;
}

} // namespace

TfrmZelJoinTo::TfrmZelJoinTo(QWidget *parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmZelJoinTo"));
  setWindowTitle(QStringLiteral("Join To"));
  lstTables = searchList(QStringLiteral("lstTables"), QStringLiteral("Table"), this);
  lstFields = searchList(QStringLiteral("lstFields"), QStringLiteral("Field"), this);

  auto *types = new QGroupBox(QStringLiteral("Join Type"), this);
  types->setObjectName(QStringLiteral("grpJoinType"));
  optInner = option("optInner", QStringLiteral("&Inner join"), types);
  optLeft = option("optLeft", QStringLiteral("&Left outer join"), types);
  optRight = option("optRight", QStringLiteral("&Right outer join"), types);
  m_types = new QButtonGroup(this);
  auto *typeLayout = new QVBoxLayout(types);
  for (QRadioButton *b : {optInner, optLeft, optRight}) {
    m_types->addButton(b, int(m_types->buttons().size()));
    typeLayout->addWidget(b);
  }
  optInner->setChecked(true);

  const TzelButtonColumn column = zelOkCancelHelpColumn(this);
  cmdOk = column.ok;
  cmdCancel = column.cancel;
  cmdHelp = column.help;
  QVBoxLayout *buttons = column.layout;
  buttons->addWidget(types);

  auto *layout = new QHBoxLayout(this);
  layout->setContentsMargins(10, 10, 10, 10);
  layout->addWidget(labelled(QStringLiteral("&Table"), lstTables, this), 1);
  layout->addWidget(labelled(QStringLiteral("F&ield"), lstFields, this), 1);
  layout->addLayout(buttons);
  resize(520, 300);

  connect(lstTables, &QListWidget::currentRowChanged, this, &TfrmZelJoinTo::showFields);
  connect(lstFields, &QListWidget::currentRowChanged, this, &TfrmZelJoinTo::updateOk);
  connect(cmdOk, &QPushButton::clicked, this, &QDialog::accept);
  connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(cmdHelp, &QPushButton::clicked, this, [this] {
    if (m_model)
      m_model->ShowHelp(0, HelpContext);
  });
  zelF1Clicks(*this, *cmdHelp);
}

void TfrmZelJoinTo::setSource(const QString &tableAlias, const QString &fieldAlias) {
  setWindowTitle(QStringLiteral("Join ") + tableAlias + u'.' + fieldAlias + QStringLiteral(" To"));
}

void TfrmZelJoinTo::setTables(const QList<Table> &tables) {
  m_tables = tables;
  lstTables->clear();
  for (const Table &table : tables)
    lstTables->addItem(table.alias);
  lstTables->setCurrentRow(tables.isEmpty() ? -1 : 0);
  showFields(lstTables->currentRow());
}

void TfrmZelJoinTo::showFields(int tableRow) {
  lstFields->clear();
  if (tableRow >= 0 && tableRow < m_tables.size())
    lstFields->addItems(m_tables.at(tableRow).fields);
  lstFields->setCurrentRow(lstFields->count() > 0 ? 0 : -1);
  updateOk();
}

void TfrmZelJoinTo::updateOk() {
  cmdOk->setEnabled(lstFields->currentRow() >= 0);
}

QString TfrmZelJoinTo::tableAlias() const {
  const QListWidgetItem *item = lstTables->currentItem();
  return item ? item->text() : QString();
}

QString TfrmZelJoinTo::fieldAlias() const {
  const QListWidgetItem *item = lstFields->currentItem();
  return item ? item->text() : QString();
}

TzelJoinType TfrmZelJoinTo::joinType() const {
  return static_cast<TzelJoinType>(m_types->checkedId());
}

void TfrmZelJoinTo::setJoinType(TzelJoinType type) {
  m_types->button(int(type))->setChecked(true);
}
