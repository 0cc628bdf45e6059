// SPDX-License-Identifier: MIT
#include "dialogs/frmzelhelp.h"
#include "controls/windowhelpers.h"
#include "dialogs/guiscreen.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QShortcut>
#include <QSplitter>
#include <QTextBrowser>
#include <QTextDocument>
#include <QVBoxLayout>

namespace {

QPointer<TfrmZelHelp> theWindow;

constexpr int PageRole = Qt::UserRole;
constexpr int TextRole = Qt::UserRole + 1;

const QString ResourceRoot = QStringLiteral(":/help/");

// ":/help/vizaduz" for "qrc:/help/vizaduz/ctx_5.html"; empty for a page of no help folder.
QString folderOfPage(const QUrl &page) {
  if (page.scheme() != QLatin1String("qrc"))
    return QString();
  const QString path = QLatin1Char(':') + page.path();
  if (!path.startsWith(ResourceRoot))
    return QString();
  return path.left(path.lastIndexOf(QLatin1Char('/')));
}

QUrl resourceUrl(const QString &path) {
  return QUrl(QStringLiteral("qrc") + path);
}

QStringList searchWords(const QString &text) {
  return text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
}

} // namespace

TfrmZelHelp::TfrmZelHelp(QWidget *parent) : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("frmZelHelp"));
  setWindowTitle(QStringLiteral("Help"));

  cmdBack = zelNamedButton(QStringLiteral("cmdBack"), QStringLiteral("&Back"), this);
  cmdForward = zelNamedButton(QStringLiteral("cmdForward"), QStringLiteral("&Forward"), this);
  cmdContents = zelNamedButton(QStringLiteral("cmdContents"), QStringLiteral("&Contents"), this);
  cmdSearch = zelNamedButton(QStringLiteral("cmdSearch"), QStringLiteral("&Search"), this);
  cmdSearch->setCheckable(true);
  // Alt+C is taken by Contents; Escape closes as well.
  cmdClose = zelNamedButton(QStringLiteral("cmdClose"), QStringLiteral("Cl&ose"), this);
  cmdClose->setToolTip(QStringLiteral("Close the help (Esc)"));
  cmdBack->setEnabled(false);
  cmdForward->setEnabled(false);
  cmdBack->setToolTip(QStringLiteral("The page shown before (Alt+Left)"));
  cmdForward->setToolTip(QStringLiteral("The page shown after (Alt+Right)"));
  cmdContents->setToolTip(QStringLiteral("The list of all pages of this help"));
  cmdSearch->setToolTip(QStringLiteral("Find pages by the words in them"));

  txtSearch = new QLineEdit(this);
  txtSearch->setObjectName(QStringLiteral("txtSearch"));
  txtSearch->setPlaceholderText(QStringLiteral("Type words to find"));
  txtSearch->setAccessibleName(QStringLiteral("Search help"));
  txtSearch->setClearButtonEnabled(true);
  txtSearch->installEventFilter(this);
  labSearch =
      zelBuddyLabel(QStringLiteral("labSearch"), QStringLiteral("Find &words:"), txtSearch, this);
  lstTopics = new QListWidget(this);
  lstTopics->setObjectName(QStringLiteral("lstTopics"));
  lstTopics->setAccessibleName(QStringLiteral("Help topics"));
  lstTopics->installEventFilter(this);
  txtPage = new QTextBrowser(this);
  txtPage->setObjectName(QStringLiteral("txtPage"));
  txtPage->setAccessibleName(QStringLiteral("Help page"));

  auto *buttons = new QHBoxLayout;
  for (QPushButton *button : {cmdBack, cmdForward, cmdContents, cmdSearch}) {
    button->setAutoDefault(false);
    buttons->addWidget(button);
  }
  buttons->addStretch(1);
  cmdClose->setAutoDefault(false);
  buttons->addWidget(cmdClose);

  auto *searchPanel = new QWidget(this);
  searchPanel->setObjectName(QStringLiteral("panSearch"));
  auto *searchLayout = new QVBoxLayout(searchPanel);
  searchLayout->setContentsMargins(0, 0, 0, 0);
  searchLayout->addWidget(labSearch);
  searchLayout->addWidget(txtSearch);
  searchLayout->addWidget(lstTopics);
  searchPanel->setVisible(false);

  auto *splitter = new QSplitter(this);
  splitter->setChildrenCollapsible(false);
  splitter->addWidget(searchPanel);
  splitter->addWidget(txtPage);
  splitter->setStretchFactor(1, 1);
  splitter->setSizes({230, 530});
  auto *layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->addLayout(buttons);
  layout->addWidget(splitter, 1);

  setTabOrder(cmdBack, cmdForward);
  setTabOrder(cmdForward, cmdContents);
  setTabOrder(cmdContents, cmdSearch);
  setTabOrder(cmdSearch, txtSearch);
  setTabOrder(txtSearch, lstTopics);
  setTabOrder(lstTopics, txtPage);
  setTabOrder(txtPage, cmdClose);

  connect(cmdBack, &QPushButton::clicked, txtPage, &QTextBrowser::backward);
  connect(cmdForward, &QPushButton::clicked, txtPage, &QTextBrowser::forward);
  connect(txtPage, &QTextBrowser::backwardAvailable, cmdBack, &QWidget::setEnabled);
  connect(txtPage, &QTextBrowser::forwardAvailable, cmdForward, &QWidget::setEnabled);
  connect(cmdContents, &QPushButton::clicked, this, &TfrmZelHelp::cmdContentsClick);
  connect(cmdClose, &QPushButton::clicked, this, &QWidget::close);
  connect(cmdSearch, &QPushButton::toggled, this, &TfrmZelHelp::setSearching);
  connect(txtSearch, &QLineEdit::textChanged, this, &TfrmZelHelp::txtSearchChange);
  connect(txtSearch, &QLineEdit::returnPressed, this, &TfrmZelHelp::openFirstTopic);
  connect(lstTopics, &QListWidget::itemActivated, this,
          [this](QListWidgetItem *item) { openTopic(item->data(PageRole).toUrl()); });
  connect(lstTopics, &QListWidget::itemClicked, this,
          [this](QListWidgetItem *item) { openTopic(item->data(PageRole).toUrl()); });
  connect(txtPage, &QTextBrowser::sourceChanged, this, &TfrmZelHelp::txtPageSourceChanged);

  // The browser keys work only while the page has the focus; these work anywhere.
  auto *back = new QShortcut(QKeySequence::Back, this);
  connect(back, &QShortcut::activated, txtPage, &QTextBrowser::backward);
  auto *forward = new QShortcut(QKeySequence::Forward, this);
  connect(forward, &QShortcut::activated, txtPage, &QTextBrowser::forward);
  auto *find = new QShortcut(QKeySequence::Find, this);
  connect(find, &QShortcut::activated, this, [this] { setSearching(true); });
  auto *escape = new QShortcut(Qt::Key_Escape, this);
  connect(escape, &QShortcut::activated, this, [this] {
    if (txtSearch->hasFocus() && !txtSearch->text().isEmpty())
      txtSearch->clear();
    else
      close();
  });

  setMinimumSize(420, 300);
  resize(780, 540);
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
  return ResourceRoot + name.trimmed().toLower();
}

QUrl TfrmZelHelp::pageFor(const QString &helpFile, int context) {
  const QString folder = helpFolder(helpFile);
  const QString topic = folder + QStringLiteral("/ctx_%1.html").arg(context);
  if (context > 0 && QFile::exists(topic))
    return resourceUrl(topic);
  const QString contents = folder + QStringLiteral("/contents.html");
  if (QFile::exists(contents))
    return resourceUrl(contents);
  return QUrl();
}

bool TfrmZelHelp::matchesSearch(const QString &text, const QString &title, const QString &body) {
  const QStringList words = searchWords(text);
  return std::all_of(words.cbegin(), words.cend(), [&](const QString &word) {
    return title.contains(word, Qt::CaseInsensitive) || body.contains(word, Qt::CaseInsensitive);
  });
}

void TfrmZelHelp::showHelp(const QString &helpFile, int context) {
  const QUrl page = pageFor(helpFile, context);
  if (page.isEmpty()) {
    showNoHelp(helpFile);
  } else {
    // Known before the page loads: reloading the page shown reports no change of source.
    m_page = page;
    m_folder = folderOfPage(page);
    cmdContents->setEnabled(true);
    cmdSearch->setEnabled(true);
    // The browser skips loading its own source again, which the "no help" text may hide.
    if (txtPage->source() == page)
      txtPage->reload();
    else
      txtPage->setSource(page);
    showTitle();
    setSearching(context == -1);
    if (context == -1)
      txtSearch->clear();
  }
  followModalWindow();
  show();
  raise();
  activateWindow();
}

// A modal window blocks input to every window but its own children, and Qt refuses a close
// request of a blocked window. As a child window of the modal one, help takes input beside it
// (both stay usable) and goes back when that window closes, so it never lingers over a later
// dialog that cannot reach it.
void TfrmZelHelp::followModalWindow() {
  QWidget *modal = QApplication::activeModalWidget();
  if (modal == this || isAncestorOf(modal)) // a dialog opened from help itself
    return;
  if (modal) {
    if (modal != parentWidget())
      moveTo(modal);
  } else if (parentWidget() && !parentWidget()->isVisible()) {
    moveTo(nullptr);
  }
}

void TfrmZelHelp::moveTo(QWidget *owner) {
  const QRect frame = geometry();
  const bool shown = isVisible();
  if (QWidget *old = parentWidget())
    old->removeEventFilter(this);
  setParent(owner, windowFlags());
  setGeometry(frame);
  if (owner)
    owner->installEventFilter(this);
  if (shown)
    show();
}

// The window help belongs to is hidden (a dialog that ended): help stays open with the
// window that dialog belonged to, or with the modal window still running, or on its own.
void TfrmZelHelp::ownerHidden(QWidget *owner) {
  QWidget *next = owner->parentWidget() ? owner->parentWidget()->window() : nullptr;
  if (!next) {
    next = QApplication::activeModalWidget();
    if (next == owner)
      next = nullptr;
  }
  moveTo(next);
}

void TfrmZelHelp::showNoHelp(const QString &helpFile) {
  setSearching(false);
  m_page.clear();
  m_folder.clear();
  cmdContents->setEnabled(false);
  cmdSearch->setEnabled(false);
  txtPage->clear();
  txtPage->setHtml(QStringLiteral("<html><head><title>No help</title></head><body>"
                                  "<h2>No help</h2><p>No help pages are installed for ") +
                   helpFile.toHtmlEscaped() + QStringLiteral(".</p></body></html>"));
  showTitle();
}

QUrl TfrmZelHelp::currentPage() const {
  return m_page;
}

bool TfrmZelHelp::searching() const {
  return !lstTopics->parentWidget()->isHidden();
}

void TfrmZelHelp::setSearching(bool on) {
  on = on && !m_folder.isEmpty();
  if (on && m_topicsFolder != m_folder)
    fillTopics(m_folder);
  lstTopics->parentWidget()->setVisible(on);
  const QSignalBlocker quiet(cmdSearch);
  cmdSearch->setChecked(on);
  if (on) {
    txtSearch->setFocus();
    txtSearch->selectAll();
  }
}

void TfrmZelHelp::showTitle() {
  const QString title = txtPage->documentTitle();
  setWindowTitle(title.isEmpty() ? QStringLiteral("Help") : QStringLiteral("Help - ") + title);
}

void TfrmZelHelp::txtPageSourceChanged(const QUrl &page) {
  showTitle();
  // The browser reports a relative link as written; the page it loaded is that link
  // resolved against the page before.
  m_page = m_page.resolved(page);
  const QString folder = folderOfPage(m_page);
  if (folder.isEmpty())
    return;
  m_folder = folder;
  cmdContents->setEnabled(true);
  cmdSearch->setEnabled(true);
  // A link into another help file's pages makes that file's topics the ones to search.
  if (searching() && m_topicsFolder != m_folder) {
    fillTopics(m_folder);
    txtSearchChange(txtSearch->text());
  }
}

void TfrmZelHelp::cmdContentsClick() {
  if (!m_folder.isEmpty())
    txtPage->setSource(resourceUrl(m_folder + QStringLiteral("/contents.html")));
}

void TfrmZelHelp::fillTopics(const QString &folder) {
  lstTopics->clear();
  m_topicsFolder = folder;
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
    item->setData(PageRole, resourceUrl(file.fileName()));
    item->setData(TextRole, doc.toPlainText());
  }
  lstTopics->sortItems();
}

void TfrmZelHelp::txtSearchChange(const QString &text) {
  for (int i = 0; i < lstTopics->count(); ++i) {
    QListWidgetItem *item = lstTopics->item(i);
    item->setHidden(!matchesSearch(text, item->text(), item->data(TextRole).toString()));
  }
}

void TfrmZelHelp::openFirstTopic() {
  for (int i = 0; i < lstTopics->count(); ++i) {
    QListWidgetItem *item = lstTopics->item(i);
    if (!item->isHidden()) {
      lstTopics->setCurrentItem(item);
      openTopic(item->data(PageRole).toUrl());
      return;
    }
  }
}

void TfrmZelHelp::openTopic(const QUrl &page) {
  txtPage->setSource(page);
  // Point at the first place the searched word appears, so the reader sees why it matched.
  const QStringList words = searchWords(txtSearch->text());
  if (!words.isEmpty())
    txtPage->find(words.first());
}

bool TfrmZelHelp::eventFilter(QObject *watched, QEvent *event) {
  // A window minimised by the user is hidden spontaneously: help stays with it then.
  if (watched == parentWidget() && event->type() == QEvent::Hide && !event->spontaneous()) {
    ownerHidden(parentWidget());
    return false;
  }
  if (event->type() != QEvent::KeyPress)
    return QWidget::eventFilter(watched, event);
  const int key = static_cast<QKeyEvent *>(event)->key();
  if (watched == txtSearch && (key == Qt::Key_Down || key == Qt::Key_PageDown)) {
    // Down goes on into the topics found, as in a combo box.
    for (int i = 0; i < lstTopics->count(); ++i)
      if (!lstTopics->item(i)->isHidden()) {
        lstTopics->setCurrentRow(i);
        break;
      }
    lstTopics->setFocus();
    return true;
  }
  if (watched == lstTopics && key == Qt::Key_Up) {
    // Up from the first topic found goes back to the words.
    int row = lstTopics->currentRow() - 1;
    while (row >= 0 && lstTopics->item(row)->isHidden())
      --row;
    if (row < 0) {
      txtSearch->setFocus();
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}
