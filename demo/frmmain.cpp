// SPDX-License-Identifier: MIT
#include "demo/frmmain.h"

#include "controls/windowhelpers.h"
#include "database/zelconnection.h"
#include "database/zeldatamodel.h"
#include "database/zeldataset.h"
#include "demo/componenttray.h"
#include "demo/owndatabase.h"
#include "demo/topicpage.h"
#include "demo/touranimation.h"
#include "demo/tourtopics.h"
#include "dialogs/guiscreen.h"
#include "editors/frmzelnewfromdatabase.h"
#include "editors/zeldatamodeldialog.h"
#include "engine/zelquerion.h"
#include "messages/zelmessages.h"
#include "model/storedform.h"
#include "workspace/zelquerydialog.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {

const QString ModelHelpFile = QStringLiteral("VIZADUZ.HLP;ZOZEROD.HLP");

// A component of the form read from its stored text; a text that cannot be read is reported
// and leaves a component with its defaults, so that the tour still starts.
template <typename T>
T *readComponent(const QString &name, QObject *form, const StoredFormReader::Resolver &resolve) {
  T *component = nullptr;
  zelCatchToMessage([&] {
    QFile file(QStringLiteral(":/demo/form/%1.txt").arg(name));
    if (!file.open(QIODevice::ReadOnly))
      throw EzelError(QStringLiteral("Error: The stored form of [") + name +
                      QStringLiteral("] is missing"));
    StoredFormReader reader;
    reader.setResolver(resolve);
    std::unique_ptr<TzelComponent> read = reader.read(file.readAll());
    component = qobject_cast<T *>(read.get());
    if (!component)
      throw EzelError(QStringLiteral("Error: The stored form of [") + name +
                      QStringLiteral("] holds another class"));
    read.release();
  });
  if (!component)
    component = new T;
  component->setObjectName(name);
  component->setParent(form);
  return component;
}

} // namespace

TfrmMain::TfrmMain(const QString &programFolder, QWidget *parent)
    : QMainWindow(parent), m_animation(new TourAnimation(this)) {
  setObjectName(QStringLiteral("frmMain"));
  setWindowTitle(QStringLiteral("Pellox Tour"));
  createComponents();
  buildWindow();
  connectCommands();

  m_topic = 1;
  m_topicCount = int(TourTopics().size());
  updateStatus();
  connectDatabase(programFolder.isEmpty() ? QCoreApplication::applicationDirPath() : programFolder);
  panComponents->adjustForScreen(logicalDpiX());
  showTopic(m_topic);
}

TfrmMain::~TfrmMain() {
  m_animation->stop();
}

void TfrmMain::createComponents() {
  Database1 = new TzelConnection(this);
  Database1->setObjectName(QStringLiteral("Database1"));
  Database1->setDatabaseName(QStringLiteral("PELLOX"));
  Database1->setDriverName(QStringLiteral("STANDARD"));
  Database1->setLoginPrompt(false);
  // The folder in the first parameter is the one of the machine the form was designed on;
  // start-up puts the program's own there and connects.
  Database1->setParams({QStringLiteral("PATH="), QStringLiteral("DEFAULT DRIVER=PARADOX"),
                        QStringLiteral("ENABLE BCD=FALSE")});

  Query1 = new TzelDataset(this);
  Query1->setObjectName(QStringLiteral("Query1"));
  Query1->setDatabaseName(QStringLiteral("PELLOX"));

  const StoredFormReader::Resolver resolve = [this](const QString &name) -> QObject * {
    return findChild<QObject *>(name, Qt::FindDirectChildrenOnly);
  };
  zelDataModel1 = readComponent<TzelDataModel>(QStringLiteral("zelDataModel1"), this, resolve);
  zelQuerion1 = readComponent<TzelQuerion>(QStringLiteral("zelQuerion1"), this, resolve);
  zelDataModelDialog1 =
      readComponent<TzelDataModelDialog>(QStringLiteral("zelDataModelDialog1"), this, resolve);
  zelQueryDialog1 =
      readComponent<TzelQueryDialog>(QStringLiteral("zelQueryDialog1"), this, resolve);
}

void TfrmMain::buildWindow() {
  auto *central = new QWidget(this);
  central->setObjectName(QStringLiteral("panMain"));
  auto *layout = new QVBoxLayout(central);
  layout->setContentsMargins(10, 10, 10, 8);
  layout->setSpacing(6);

  panComponents = new ComponentTray(central);
  layout->addWidget(panComponents, 0, Qt::AlignHCenter);

  nbkTopics = new QStackedWidget(central);
  nbkTopics->setObjectName(QStringLiteral("nbkTopics"));
  nbkTopics->setFrameShape(QFrame::StyledPanel);
  const QList<TourTopic> &topics = TourTopics();
  for (int i = 0; i < topics.size(); ++i)
    nbkTopics->addWidget(new TopicPage(topics[i], i + 1, nbkTopics));
  layout->addWidget(nbkTopics, 1);
  layout->addWidget(buildHelpRow());
  layout->addWidget(buildButtons());
  setCentralWidget(central);
  resize(900, 600);
  zelCentreOnScreen(*this);
}

QWidget *TfrmMain::buildHelpRow() {
  auto *row = new QWidget(this);
  auto *layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  const QString firstFile = ModelHelpFile.section(QLatin1Char(';'), 0, 0);
  labHelpFile1 = new QLabel(QStringLiteral("<a href=\"help\">Pellox help</a>"), row);
  labHelpFile1->setObjectName(QStringLiteral("labHelpFile1"));
  labHelpFile2 = new QLabel(QStringLiteral("(<a href=\"help\">%1</a>)").arg(firstFile), row);
  labHelpFile2->setObjectName(QStringLiteral("labHelpFile2"));
  for (QLabel *label : {labHelpFile1, labHelpFile2}) {
    label->setTextFormat(Qt::RichText);
    label->setToolTip(QStringLiteral("Open the contents of the query help"));
    layout->addWidget(label);
  }
  layout->addStretch(1);
  cmdHelp2 = zelNamedButton(QStringLiteral("cmdHelp2"), QStringLiteral("Help on this &Topic"), row);
  layout->addWidget(cmdHelp2);
  return row;
}

QWidget *TfrmMain::buildButtons() {
  auto *row = new QWidget(this);
  auto *layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  cmdFirst = zelNamedButton(QStringLiteral("cmdFirst"), QStringLiteral("&First"), row);
  cmdPrevious = zelNamedButton(QStringLiteral("cmdPrevious"), QStringLiteral("&Previous"), row);
  labStatus = new QLabel(row);
  labStatus->setObjectName(QStringLiteral("labStatus"));
  labStatus->setAlignment(Qt::AlignCenter);
  labStatus->setMinimumWidth(
      labStatus->fontMetrics().horizontalAdvance(QStringLiteral("Topic 16 of 16")) + 16);
  cmdNext = zelNamedButton(QStringLiteral("cmdNext"), QStringLiteral("&Next"), row);
  cmdLast = zelNamedButton(QStringLiteral("cmdLast"), QStringLiteral("&Last"), row);
  cmdModel = zelNamedButton(QStringLiteral("cmdModel"), QStringLiteral("&Model Dialog"), row);
  cmdQuery = zelNamedButton(QStringLiteral("cmdQuery"), QStringLiteral("&Query Dialog"), row);
  cmdYourDatabase =
      zelNamedButton(QStringLiteral("cmdYourDatabase"), QStringLiteral("&Your Database…"), row);
  cmdYourDatabase->setToolTip(
      QStringLiteral("Design a query on your own database: an SQLite file, a folder of tables "
                     "or a PostgreSQL server"));
  cmdHelp = zelNamedButton(QStringLiteral("cmdHelp"), QStringLiteral("&Help"), row);
  cmdExit = zelNamedButton(QStringLiteral("cmdExit"), QStringLiteral("E&xit"), row);
  layout->addWidget(cmdFirst);
  layout->addWidget(cmdPrevious);
  layout->addWidget(labStatus);
  layout->addWidget(cmdNext);
  layout->addWidget(cmdLast);
  layout->addStretch(1);
  layout->addWidget(cmdModel);
  layout->addWidget(cmdQuery);
  layout->addWidget(cmdYourDatabase);
  layout->addWidget(cmdHelp);
  layout->addWidget(cmdExit);
  cmdNext->setDefault(true);
  return row;
}

void TfrmMain::connectCommands() {
  connect(cmdNext, &QPushButton::clicked, this, &TfrmMain::cmdNextClick);
  connect(cmdPrevious, &QPushButton::clicked, this, &TfrmMain::cmdPreviousClick);
  connect(cmdFirst, &QPushButton::clicked, this, &TfrmMain::cmdFirstClick);
  connect(cmdLast, &QPushButton::clicked, this, &TfrmMain::cmdLastClick);
  connect(cmdModel, &QPushButton::clicked, this, &TfrmMain::cmdModelClick);
  connect(cmdQuery, &QPushButton::clicked, this, &TfrmMain::cmdQueryClick);
  connect(cmdYourDatabase, &QPushButton::clicked, this, &TfrmMain::cmdYourDatabaseClick);
  connect(cmdHelp, &QPushButton::clicked, this, &TfrmMain::cmdHelpClick);
  connect(cmdHelp2, &QPushButton::clicked, this, &TfrmMain::cmdHelpClick);
  connect(cmdExit, &QPushButton::clicked, this, &TfrmMain::cmdExitClick);
  connect(labHelpFile1, &QLabel::linkActivated, this, &TfrmMain::labHelpFileClick);
  connect(labHelpFile2, &QLabel::linkActivated, this, &TfrmMain::labHelpFileClick);
  connect(panComponents->imgDataModel, &TourPicture::doubleClicked, this,
          &TfrmMain::imgDataModelDblClick);
  connect(panComponents->imgQuerion, &TourPicture::doubleClicked, this,
          &TfrmMain::imgQuerionDblClick);
  zelF1Clicks(*this, *cmdHelp);
}

void TfrmMain::connectDatabase(const QString &programFolder) {
  Database1->Close();
  const QString dataFolder =
      QDir::toNativeSeparators(QDir(programFolder).absolutePath() + u'/') + QStringLiteral("Data");
  QStringList params = Database1->Params();
  params[0] = QStringLiteral("PATH=") + dataFolder;
  Database1->setParams(params);
  const bool opened = Database1->Open();
  const QFileInfo folder(dataFolder);
  if (opened && folder.isReadable() && folder.isExecutable())
    return;
  QString text = QStringLiteral("Error: The sample tables cannot be read from the folder [") +
                 dataFolder + QStringLiteral("].");
  if (!opened && !Database1->lastError().isEmpty())
    text += QStringLiteral("\r\r") + Database1->lastError();
  text += QStringLiteral("\r\rThe tour runs, but the query workspace cannot show records until "
                         "the Data folder beside the program holds the sample tables.");
  zelShowError(text);
}

bool TfrmMain::Animating() const {
  return m_animation->running();
}

int TfrmMain::AnimationInterval() const {
  return m_animation->interval();
}

void TfrmMain::StopAnimation() {
  m_animation->stop();
}

void TfrmMain::showTopic(int topic) {
  m_topic = topic;
  nbkTopics->setCurrentIndex(topic - 1);
  updateStatus();
  const int kind = TourTopics()[topic - 1].animation;
  m_animation->start(panComponents->animatedArrows(kind), TopicAnimationInterval(kind));
}

void TfrmMain::updateStatus() {
  labStatus->setText(QStringLiteral("Topic ") + QString::number(m_topic) + QStringLiteral(" of ") +
                     QString::number(m_topicCount));
}

void TfrmMain::cmdNextClick() {
  StopAnimation();
  showTopic(m_topic < m_topicCount ? m_topic + 1 : 1);
}

void TfrmMain::cmdPreviousClick() {
  StopAnimation();
  if (m_topic > 1)
    showTopic(m_topic - 1);
}

void TfrmMain::cmdFirstClick() {
  StopAnimation();
  showTopic(1);
}

void TfrmMain::cmdLastClick() {
  StopAnimation();
  showTopic(m_topicCount);
}

bool TfrmMain::runDialog(const std::function<void()> &execute) {
  // The dialogs are modal; a command that still reaches us while one is open is ignored.
  if (m_dialogOpen)
    return false;
  m_dialogOpen = true;
  zelCatchToMessage(execute);
  m_dialogOpen = false;
  return true;
}

// Once the user has opened a database of their own, the dialogs work on it.
void TfrmMain::cmdModelClick() {
  StopAnimation();
  TzelDataModelDialog *dialog = m_own ? m_own->modelDialog() : zelDataModelDialog1;
  runDialog([dialog] { dialog->Execute(); });
}

void TfrmMain::cmdQueryClick() {
  StopAnimation();
  TzelQueryDialog *dialog = m_own ? m_own->queryDialog() : zelQueryDialog1;
  runDialog([dialog] { dialog->Execute(); });
}

OwnDatabase &TfrmMain::own() {
  if (!m_own)
    m_own = new OwnDatabase(*zelDataModel1, this);
  return *m_own;
}

bool TfrmMain::OpenDatabase(const QString &database) {
  StopAnimation();
  if (!own().open(database))
    return false;
  cmdQueryClick();
  return true;
}

void TfrmMain::cmdYourDatabaseClick() {
  StopAnimation();
  auto model = std::make_unique<TzelDataModel>();
  if (!zelNewModelFromDatabase(*model, this))
    return;
  own().adopt(std::move(model));
  cmdQueryClick();
}

void TfrmMain::imgDataModelDblClick() {
  if (m_topic == 8)
    cmdModelClick();
}

void TfrmMain::imgQuerionDblClick() {
  if (m_topic != 10 && m_topic != 11)
    return;
  const int from = m_topic;
  StopAnimation();
  if (runDialog([this] { zelQueryDialog1->Execute(); }) && from == 10)
    cmdNextClick();
}

void TfrmMain::cmdHelpClick() {
  StopAnimation();
  // The tour's topics live in a help file of their own; the model points at it only while
  // the topic shows.
  zelDataModel1->About()->SetHelpFile(TourHelpFile);
  if (const int context = TourTopics()[m_topic - 1].helpContext; context != 0)
    zelCatchToMessage([&] { zelDataModel1->ShowHelp(0, context); });
  zelDataModel1->About()->SetHelpFile(ModelHelpFile);
}

void TfrmMain::labHelpFileClick() {
  zelCatchToMessage([this] { zelDataModel1->ShowHelp(0, 0); });
}

void TfrmMain::cmdExitClick() {
  StopAnimation();
  close();
}

void TfrmMain::closeEvent(QCloseEvent *event) {
  StopAnimation();
  QMainWindow::closeEvent(event);
}
