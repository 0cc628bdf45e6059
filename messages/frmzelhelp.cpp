#include "messages/frmzelhelp.h"
#include "messages/guiscreen.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QRegularExpression>
#include <QSplitter>
#include <QTextBrowser>
#include <QTextDocument>
#include <QVBoxLayout>

namespace {

QPointer<TfrmZelHelp> theWindow;

constexpr int PageRole = Qt::UserRole;
constexpr int TextRole = Qt::UserRole + 1;

} // namespace

TfrmZelHelp::TfrmZelHelp(QWidget *parent) : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("frmZelHelp"));
  setWindowTitle(QStringLiteral("Help"));

  txtSearch = new QLineEdit(this);
  txtSearch->setObjectName(QStringLiteral("txtSearch"));
  txtSearch->setPlaceholderText(QStringLiteral("Type a word to find"));
  txtSearch->setClearButtonEnabled(true);
  lstTopics = new QListWidget(this);
  lstTopics->setObjectName(QStringLiteral("lstTopics"));
  txtPage = new QTextBrowser(this);
  txtPage->setObjectName(QStringLiteral("txtPage"));

  auto *searchPanel = new QWidget(this);
  auto *searchLayout = new QVBoxLayout(searchPanel);
  searchLayout->setContentsMargins(0, 0, 0, 0);
  searchLayout->addWidget(txtSearch);
  searchLayout->addWidget(lstTopics);
  searchPanel->setVisible(false);

  auto *splitter = new QSplitter(this);
  splitter->addWidget(searchPanel);
  splitter->addWidget(txtPage);
  splitter->setStretchFactor(1, 1);
  splitter->setSizes({180, 460});
  auto *layout = new QHBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addWidget(splitter);

  connect(txtSearch, &QLineEdit::textChanged, this, &TfrmZelHelp::txtSearchChange);
  connect(txtSearch, &QLineEdit::returnPressed, this, &TfrmZelHelp::openFirstTopic);
  connect(lstTopics, &QListWidget::itemActivated, this,
          [this](QListWidgetItem *item) { txtPage->setSource(item->data(PageRole).toUrl()); });
  connect(lstTopics, &QListWidget::itemClicked, this,
          [this](QListWidgetItem *item) { txtPage->setSource(item->data(PageRole).toUrl()); });
  connect(txtPage, &QTextBrowser::sourceChanged, this, [this] {
    const QString title = txtPage->documentTitle();
    setWindowTitle(title.isEmpty() ? QStringLiteral("Help") : QStringLiteral("Help - ") + title);
  });

  resize(640, 480);
  zelCentreOnScreen(*this);
}

TfrmZelHelp *TfrmZelHelp::instance() {
  return theWindow;
}

TfrmZelHelp &TfrmZelHelp::ensureInstance() {
  if (!theWindow) {
    theWindow = new TfrmZelHelp;
    if (qApp)
      connect(qApp, &QCoreApplication::aboutToQuit, theWindow.data(), &QObject::deleteLater);
  }
  return *theWindow;
}

QString TfrmZelHelp::helpFolder(const QString &helpFile) {
  // Help file names may carry a Windows folder ("C:\Help\VIZADUZ.HLP").
  QString name = helpFile.section(QRegularExpression(QStringLiteral("[/\\\\]")), -1);
  const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
  if (dot >= 0)
    name.truncate(dot);
  return QStringLiteral(":/help/") + name.trimmed().toLower();
}

QUrl TfrmZelHelp::pageFor(const QString &helpFile, int context) {
  const QString folder = helpFolder(helpFile);
  const QString topic = folder + QStringLiteral("/ctx_%1.html").arg(context);
  if (context > 0 && QFile::exists(topic))
    return QUrl(QStringLiteral("qrc") + topic);
  const QString contents = folder + QStringLiteral("/contents.html");
  if (QFile::exists(contents))
    return QUrl(QStringLiteral("qrc") + contents);
  return QUrl();
}

void TfrmZelHelp::showHelp(const QString &helpFile, int context) {
  const QUrl page = pageFor(helpFile, context);
  if (page.isEmpty()) {
    txtPage->clear();
    txtPage->setPlainText(QStringLiteral("No help pages are installed for ") + helpFile + '.');
  } else {
    txtPage->setSource(page);
  }
  const bool search = context == -1 && !page.isEmpty();
  lstTopics->parentWidget()->setVisible(search);
  if (search) {
    fillTopics(helpFolder(helpFile));
    txtSearch->clear();
    txtSearch->setFocus();
  }
  show();
  raise();
  activateWindow();
}

QUrl TfrmZelHelp::currentPage() const {
  return txtPage->source();
}

bool TfrmZelHelp::searching() const {
  return !lstTopics->parentWidget()->isHidden();
}

void TfrmZelHelp::fillTopics(const QString &folder) {
  lstTopics->clear();
  const QStringList pages =
      QDir(folder).entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name);
  for (const QString &page : pages) {
    QFile file(folder + QLatin1Char('/') + page);
    if (!file.open(QIODevice::ReadOnly))
      continue;
    QTextDocument doc;
    doc.setHtml(QString::fromUtf8(file.readAll()));
    const QString title = doc.metaInformation(QTextDocument::DocumentTitle);
    auto *item = new QListWidgetItem(title.isEmpty() ? page : title, lstTopics);
    item->setData(PageRole, QUrl(QStringLiteral("qrc") + file.fileName()));
    item->setData(TextRole, doc.toPlainText());
  }
  lstTopics->sortItems();
}

void TfrmZelHelp::txtSearchChange(const QString &text) {
  const QString word = text.trimmed();
  for (int i = 0; i < lstTopics->count(); ++i) {
    QListWidgetItem *item = lstTopics->item(i);
    const bool match = word.isEmpty() || item->text().contains(word, Qt::CaseInsensitive) ||
                       item->data(TextRole).toString().contains(word, Qt::CaseInsensitive);
    item->setHidden(!match);
  }
}

void TfrmZelHelp::openFirstTopic() {
  for (int i = 0; i < lstTopics->count(); ++i) {
    QListWidgetItem *item = lstTopics->item(i);
    if (!item->isHidden()) {
      lstTopics->setCurrentItem(item);
      txtPage->setSource(item->data(PageRole).toUrl());
      return;
    }
  }
}
