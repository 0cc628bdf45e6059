// SPDX-License-Identifier: MIT
#include "editors/frmzelnewfromdatabase.h"

#include "controls/windowhelpers.h"
#include "database/aliasoption.h"
#include "database/zeldatamodel.h"
#include "database/zelsession.h"
#include "editors/cataloguetables.h"
#include "messages/busycursor.h"
#include "messages/zelerror.h"
#include "messages/zelfiledialog.h"
#include "messages/zelmessages.h"
#include "model/zelmodel.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

QLineEdit *lineEdit(const QString &name, const QString &accessibleName, QWidget *parent) {
  auto *edit = new QLineEdit(parent);
  edit->setObjectName(name);
  edit->setAccessibleName(accessibleName);
  return edit;
}

// A key made from the database is listed as "child (columns) -> parent (columns)"; a long list
// is cut, the rest counted.
QString notJoinedMessage(const QStringList &keys) {
  constexpr int shown = 15;
  QString text = u"These keys were not made joins: a model holds one join between two tables. "
                 "Join their fields by hand where a query needs them.\n"_s;
  for (int i = 0; i < std::min<int>(shown, int(keys.size())); ++i)
    text += u'\n' + keys.at(i);
  if (keys.size() > shown)
    text += u"\n… and %1 more"_s.arg(keys.size() - shown);
  return text;
}

bool hasLiveTables(const TzelModel &model) {
  for (int i = 0; i < model.TableCount(); ++i)
    if (!model.GetTable(i)->Deleted())
      return true;
  return false;
}

} // namespace

namespace {

struct ServerEngine {
  const char *caption;
  const char *driver;
  int port;
  const char *database; // what the Database box takes
};
const ServerEngine kEngines[] = {
    {"PostgreSQL", "POSTGRESQL", 5432, "The database's name"},
    {"MariaDB or MySQL", "MARIADB", 3306, "The database's name"},
    {"Firebird", "FIREBIRD", 3050, "The database file on the server, or its alias"},
};

} // namespace

TfrmZelNewFromDatabase::TfrmZelNewFromDatabase(TzelModel *model, QWidget *parent)
    : QDialog(parent), m_model(model), m_tables(new TzelCatalogueTables(this)) {
  setObjectName(u"frmZelNewFromDatabase"_s);
  setWindowTitle(u"New from Database"_s);
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint);
  const TzelButtonColumn buttons = zelOkCancelHelpColumn(this);
  cmdOk = buttons.ok;
  cmdCancel = buttons.cancel;
  cmdHelp = buttons.help;
  auto *parts = new QVBoxLayout;
  parts->addWidget(buildDatabasePart());
  parts->addSpacing(6);
  parts->addWidget(buildTablesPart(), 1);
  auto *layout = new QHBoxLayout(this);
  layout->setContentsMargins(8, 8, 8, 8);
  layout->addLayout(parts, 1);
  layout->addLayout(buttons.layout);
  const QList<QWidget *> order{optAlias, cboDatabase, cmdBrowse,   optServer, cboEngine,
                               txtHost,  txtPort,     txtDatabase, txtUser,   txtPassword,
                               cmdRead,  txtFilter,   cboSchema,   lstTables, cmdAll,
                               cmdNone,  cmdOk,       cmdCancel,   cmdHelp};
  for (qsizetype i = 1; i < order.size(); ++i)
    setTabOrder(order.at(i - 1), order.at(i));
  connectControls();
  sourceChanged();
  updateCount();
  cboDatabase->setFocus(); // where the user starts
  resize(560, 500);
}

QWidget *TfrmZelNewFromDatabase::buildDatabasePart() {
  auto *part = new QWidget(this);
  part->setObjectName(u"panDatabase"_s);
  optAlias = new QRadioButton(u"Al&ias or file"_s, part);
  optAlias->setObjectName(u"optAlias"_s);
  optAlias->setChecked(true);
  cboDatabase = new QComboBox(part);
  cboDatabase->setObjectName(u"cboDatabase"_s);
  cboDatabase->setAccessibleName(u"Database alias or file"_s);
  cboDatabase->setEditable(true);
  cboDatabase->setInsertPolicy(QComboBox::NoInsert);
  cboDatabase->addItems(TzelSession::defaultSession().aliasNames());
  cboDatabase->setCurrentIndex(-1);
  cboDatabase->lineEdit()->setAccessibleName(cboDatabase->accessibleName());
  cboDatabase->lineEdit()->setPlaceholderText(u"An alias, an SQLite file or a folder"_s);
  cboDatabase->installEventFilter(this);
  cboDatabase->lineEdit()->installEventFilter(this);
  cmdBrowse = zelNamedButton(u"cmdBrowse"_s, u"&File…"_s, part);
  cmdBrowse->setToolTip(u"Choose an SQLite file"_s);
  optServer = new QRadioButton(u"Data&base server"_s, part);
  optServer->setObjectName(u"optServer"_s);
  cmdRead = zelNamedButton(u"cmdRead"_s, u"&Read Tables"_s, part);

  auto *aliasRow = new QHBoxLayout;
  aliasRow->addSpacing(20);
  aliasRow->addWidget(cboDatabase, 1);
  aliasRow->addWidget(cmdBrowse);
  auto *readRow = new QHBoxLayout;
  readRow->addStretch();
  readRow->addWidget(cmdRead);
  auto *column = new QVBoxLayout(part);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(3);
  column->addWidget(optAlias);
  column->addLayout(aliasRow);
  column->addSpacing(4);
  column->addWidget(optServer);
  column->addWidget(buildServerGroup());
  column->addLayout(readRow);
  return part;
}

QWidget *TfrmZelNewFromDatabase::buildServerGroup() {
  panServer = new QWidget(this);
  panServer->setObjectName(u"panServer"_s);
  cboEngine = new QComboBox(panServer);
  cboEngine->setObjectName(u"cboEngine"_s);
  cboEngine->setAccessibleName(u"Engine"_s);
  for (const ServerEngine &engine : kEngines)
    cboEngine->addItem(QLatin1String(engine.caption));
  cboEngine->installEventFilter(this);
  txtHost = lineEdit(u"txtHost"_s, u"Host"_s, panServer);
  txtHost->setText(u"localhost"_s);
  txtPort = new QSpinBox(panServer);
  txtPort->setObjectName(u"txtPort"_s);
  txtPort->setAccessibleName(u"Port"_s);
  txtPort->setRange(1, 65535);
  txtPort->setValue(5432);
  txtDatabase = lineEdit(u"txtDatabase"_s, u"Database"_s, panServer);
  txtDatabase->setPlaceholderText(QLatin1String(kEngines[0].database));
  txtUser = lineEdit(u"txtUser"_s, u"User"_s, panServer);
  txtPassword = lineEdit(u"txtPassword"_s, u"Password"_s, panServer);
  txtPassword->setEchoMode(QLineEdit::Password);
  txtPassword->setToolTip(u"Used for this session's connection only; never stored"_s);
  for (QLineEdit *edit : {txtHost, txtDatabase, txtUser, txtPassword})
    edit->installEventFilter(this);
  txtPort->installEventFilter(this);

  auto *grid = new QGridLayout(panServer);
  grid->setContentsMargins(20, 0, 0, 0);
  grid->setHorizontalSpacing(6);
  grid->setVerticalSpacing(3);
  const auto add = [&](int row, int column, const QString &name, const QString &text, QWidget *edit,
                       int span = 1) {
    grid->addWidget(zelBuddyLabel(name, text, edit, panServer), row, column);
    grid->addWidget(edit, row, column + 1, 1, span);
  };
  add(0, 0, u"labEngine"_s, u"En&gine"_s, cboEngine, 3);
  add(1, 0, u"labHost"_s, u"Ho&st"_s, txtHost);
  add(1, 2, u"labPort"_s, u"&Port"_s, txtPort);
  add(2, 0, u"labServerDatabase"_s, u"&Database"_s, txtDatabase, 3);
  add(3, 0, u"labUser"_s, u"&User"_s, txtUser);
  add(3, 2, u"labPassword"_s, u"Pass&word"_s, txtPassword);
  grid->setColumnStretch(1, 1);
  grid->setColumnStretch(3, 1);
  return panServer;
}

QWidget *TfrmZelNewFromDatabase::buildTablesPart() {
  auto *part = new QWidget(this);
  part->setObjectName(u"panTables"_s);
  txtFilter = lineEdit(u"txtFilter"_s, u"Filter tables"_s, part);
  txtFilter->setPlaceholderText(u"Text or a pattern such as ord*"_s);
  txtFilter->setClearButtonEnabled(true);
  txtFilter->installEventFilter(this);
  cboSchema = new QComboBox(part);
  cboSchema->setObjectName(u"cboSchema"_s);
  cboSchema->setAccessibleName(u"Schema"_s);
  cboSchema->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  lstTables = new QListView(part);
  lstTables->setObjectName(u"lstTables"_s);
  lstTables->setAccessibleName(u"Tables"_s);
  lstTables->setEditTriggers(QAbstractItemView::NoEditTriggers);
  lstTables->setUniformItemSizes(true);
  lstTables->setModel(m_tables);
  cmdAll = zelNamedButton(u"cmdAll"_s, u"&All"_s, part);
  cmdAll->setToolTip(u"Check every table shown"_s);
  cmdNone = zelNamedButton(u"cmdNone"_s, u"&None"_s, part);
  cmdNone->setToolTip(u"Clear the check of every table shown"_s);
  labCount = new QLabel(part);
  labCount->setObjectName(u"labCount"_s);

  auto *filterRow = new QHBoxLayout;
  filterRow->addWidget(zelBuddyLabel(u"labFilter"_s, u"Fi&lter"_s, txtFilter, part));
  filterRow->addWidget(txtFilter, 1);
  filterRow->addSpacing(6);
  filterRow->addWidget(zelBuddyLabel(u"labSchema"_s, u"Sch&ema"_s, cboSchema, part));
  filterRow->addWidget(cboSchema);
  auto *checkRow = new QHBoxLayout;
  checkRow->addWidget(cmdAll);
  checkRow->addWidget(cmdNone);
  checkRow->addStretch();
  checkRow->addWidget(labCount);
  auto *column = new QVBoxLayout(part);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(3);
  column->addWidget(zelBuddyLabel(u"labTables"_s, u"&Tables"_s, lstTables, part));
  column->addLayout(filterRow);
  column->addWidget(lstTables, 1);
  column->addLayout(checkRow);
  return part;
}

void TfrmZelNewFromDatabase::connectControls() {
  connect(optAlias, &QRadioButton::toggled, this, &TfrmZelNewFromDatabase::sourceChanged);
  // The choice's letter goes on to where the user types.
  connect(optAlias, &QRadioButton::clicked, cboDatabase, qOverload<>(&QWidget::setFocus));
  connect(optServer, &QRadioButton::clicked, txtHost, qOverload<>(&QWidget::setFocus));
  connect(cmdBrowse, &QPushButton::clicked, this, &TfrmZelNewFromDatabase::cmdBrowseClick);
  connect(cboEngine, &QComboBox::currentIndexChanged, this, &TfrmZelNewFromDatabase::engineChanged);
  connect(cmdRead, &QPushButton::clicked, this, &TfrmZelNewFromDatabase::cmdReadClick);
  connect(txtFilter, &QLineEdit::textChanged, this, &TfrmZelNewFromDatabase::applyFilter);
  connect(cboSchema, &QComboBox::currentIndexChanged, this, &TfrmZelNewFromDatabase::applyFilter);
  connect(cmdAll, &QPushButton::clicked, this, [this] { m_tables->setShownChecked(true); });
  connect(cmdNone, &QPushButton::clicked, this, [this] { m_tables->setShownChecked(false); });
  connect(m_tables, &TzelCatalogueTables::checkedChanged, this,
          &TfrmZelNewFromDatabase::updateCount);
  connect(cmdOk, &QPushButton::clicked, this, &QDialog::accept);
  connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(cmdHelp, &QPushButton::clicked, this, &TfrmZelNewFromDatabase::cmdHelpClick);
  zelF1Clicks(*this, *cmdHelp);
}

// A port still at the former engine's default moves to the new one's.
void TfrmZelNewFromDatabase::engineChanged(int index) {
  if (txtPort->value() == kEngines[m_engine].port)
    txtPort->setValue(kEngines[index].port);
  txtDatabase->setPlaceholderText(QLatin1String(kEngines[index].database));
  m_engine = index;
}

void TfrmZelNewFromDatabase::sourceChanged() {
  const bool alias = optAlias->isChecked();
  cboDatabase->setEnabled(alias);
  cmdBrowse->setEnabled(alias);
  panServer->setEnabled(!alias);
}

void TfrmZelNewFromDatabase::cmdBrowseClick() {
  TzelFileRequest request;
  request.title = u"Open SQLite Database"_s;
  request.filter = u"SQLite databases (*.db;*.sqlite;*.sqlite3;*.db3)|*.db;*.sqlite;*.sqlite3;"
                   "*.db3|All Files (*.*)|*.*"_s;
  QString fileName;
  if (!zelOpenFileName(request, fileName))
    return;
  cboDatabase->setEditText(fileName);
  cmdReadClick();
}

QString TfrmZelNewFromDatabase::registerAlias(TzelAlias alias) {
  TzelSession &session = TzelSession::defaultSession();
  // The same file or server read before keeps its name: a model's tables name one database once.
  for (const QString &name : session.aliasNames()) {
    std::optional<TzelAlias> known;
    zelCatchToMessage([&] { known = session.alias(name); });
    if (known && known->driverName == alias.driverName && known->params == alias.params)
      return name;
  }
  alias.name = zelReadableAliasName(alias);
  session.registerAlias(alias);
  m_madeAlias = alias.name;
  return alias.name;
}

void TfrmZelNewFromDatabase::forgetReadAlias() {
  if (m_madeAlias.isEmpty())
    return;
  TzelSession::defaultSession().close(m_madeAlias);
  TzelSession::defaultSession().unregisterAlias(m_madeAlias);
  m_madeAlias.clear();
}

QString TfrmZelNewFromDatabase::aliasOfInput() {
  if (optServer->isChecked()) {
    if (txtHost->text().trimmed().isEmpty() || txtDatabase->text().trimmed().isEmpty()) {
      zelShowError(u"Error: Type the server's host and the name of its database"_s);
      (txtHost->text().trimmed().isEmpty() ? txtHost : txtDatabase)->setFocus();
      return {};
    }
    TzelAlias server{{},
                     QLatin1String(kEngines[cboEngine->currentIndex()].driver),
                     {u"HOST="_s + txtHost->text().trimmed(),
                      u"PORT="_s + QString::number(txtPort->value()),
                      u"DATABASE="_s + txtDatabase->text().trimmed()}};
    if (!txtUser->text().trimmed().isEmpty())
      server.params << u"USER NAME="_s + txtUser->text().trimmed();
    if (!txtPassword->text().isEmpty())
      server.params << u"PASSWORD="_s + txtPassword->text();
    return registerAlias(server);
  }
  const QString text = cboDatabase->currentText().trimmed();
  if (text.isEmpty()) {
    zelShowError(u"Error: Choose an alias, or type the name of an SQLite file or a folder"_s);
    cboDatabase->setFocus();
    return {};
  }
  QString error;
  const std::optional<TzelAlias> alias = zelDatabaseAlias(text, error);
  if (!alias) {
    zelShowError(u"Error: [%1]: %2"_s.arg(text, error));
    return {};
  }
  // A name without a driver is an alias the session knows (or one it will refuse to open).
  return alias->driverName.isEmpty() ? alias->name : registerAlias(*alias);
}

void TfrmZelNewFromDatabase::cmdReadClick() {
  forgetReadAlias();
  m_catalogue = {};
  m_tables->setTables({});
  cboSchema->clear();
  const QString name = aliasOfInput();
  if (name.isEmpty())
    return;
  const bool read = zelCatchToMessage([&] {
    TzelBusyCursor busy;
    m_catalogue = zelReadDatabaseCatalogue(name);
  });
  if (!read) {
    forgetReadAlias();
    m_catalogue = {};
    return;
  }
  m_tables->setTables(m_catalogue.tables);
  const QSignalBlocker quiet(cboSchema);
  cboSchema->addItem(u"All schemas"_s);
  cboSchema->addItems(m_catalogue.schemas());
  txtFilter->clear();
  applyFilter();
  lstTables->setFocus();
}

void TfrmZelNewFromDatabase::applyFilter() {
  const QString schema = cboSchema->currentIndex() > 0 ? cboSchema->currentText() : QString();
  m_tables->setFilter(txtFilter->text(), schema);
  if (m_tables->rowCount() > 0)
    lstTables->setCurrentIndex(m_tables->index(0));
}

void TfrmZelNewFromDatabase::updateCount() {
  const int chosen = m_tables->checkedCount();
  labCount->setText(u"%1 of %2 tables chosen"_s.arg(chosen).arg(m_tables->tableCount()));
  cmdOk->setEnabled(chosen > 0);
}

TzelDatabaseCatalogue TfrmZelNewFromDatabase::chosenCatalogue() const {
  TzelDatabaseCatalogue chosen = m_catalogue;
  chosen.tables.clear();
  for (int i : m_tables->checkedTables())
    chosen.tables.append(m_catalogue.tables.at(i));
  return chosen;
}

void TfrmZelNewFromDatabase::cmdHelpClick() {
  if (m_model)
    zelCatchToMessage([this] { m_model->ShowHelp(0, 5); });
}

void TfrmZelNewFromDatabase::reject() {
  forgetReadAlias();
  QDialog::reject();
}

// Return in the database's fields reads its tables rather than taking the tables chosen so
// far; Down in the filter goes on to the list.
bool TfrmZelNewFromDatabase::eventFilter(QObject *watched, QEvent *event) {
  if (event->type() != QEvent::KeyPress)
    return QDialog::eventFilter(watched, event);
  const int key = static_cast<QKeyEvent *>(event)->key();
  if (watched == txtFilter) {
    if (key == Qt::Key_Down && m_tables->rowCount() > 0) {
      lstTables->setFocus();
      return true;
    }
  } else if (key == Qt::Key_Return || key == Qt::Key_Enter) {
    cmdReadClick();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

bool zelNewModelFromDatabase(TzelModel &model, QWidget *parent,
                             const std::function<void()> &applied) {
  if (hasLiveTables(model) &&
      zelMessageBox(u"Replace the tables of the current Data Model?"_s,
                    TzelMessageKind::Confirmation, TzelButtons::YesNo) != TzelAnswer::Yes)
    return false;
  TfrmZelNewFromDatabase dialog(&model, parent);
  if (dialog.exec() != QDialog::Accepted)
    return false;
  // Made aside first: a failed or stopped read leaves the model as it was.
  TzelDataModel made;
  QStringList notJoined;
  if (!zelCatchToMessage(
          [&] { notJoined = zelModelFromCatalogue(made, dialog.chosenCatalogue()); }))
    return false;
  model.TzelSchema::Assign(&made);
  model.SetDatabaseType(made.DatabaseType());
  if (applied)
    applied();
  if (!notJoined.isEmpty())
    zelMessageBox(notJoinedMessage(notJoined), TzelMessageKind::Information, TzelButtons::Ok);
  return true;
}
