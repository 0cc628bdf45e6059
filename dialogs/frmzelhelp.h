// SPDX-License-Identifier: MIT
#pragma once
// Our help viewer: HTML pages shipped as resources, one folder of pages per help file
// (":/help/vizaduz" for "VIZADUZ.HLP"), a page "ctx_<n>.html" per context number and a
// "contents.html" page per folder. Shown while a window runs modally, the help window
// becomes a child window of that one, so that the modal session does not block it.

#include "zelwidgets_export.h"

#include <QUrl>
#include <QWidget>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTextBrowser;

class ZELWIDGETS_EXPORT TfrmZelHelp : public QWidget {
  Q_OBJECT
  Q_DISABLE_COPY(TfrmZelHelp)
public:
  explicit TfrmZelHelp(QWidget *parent = nullptr);

  // The process-wide help window: null until first use, then reused.
  static TfrmZelHelp *instance();
  static TfrmZelHelp &ensureInstance();

  // Shows the topic of helpFile with that context: 0, or a context without a page, shows
  // the contents; -1 shows the contents with the search field. A file without pages shows
  // a page saying so.
  void showHelp(const QString &helpFile, int context);

  // The resource folder of a help file (any folder part of the name is ignored).
  static QString helpFolder(const QString &helpFile);
  // The page for a context, or the contents page; empty when the file has no pages.
  static QUrl pageFor(const QString &helpFile, int context);
  // Whether every word of text (case ignored) occurs in the title or the body.
  static bool matchesSearch(const QString &text, const QString &title, const QString &body);

  QUrl currentPage() const;
  bool searching() const;
  // Shows or hides the search field with the topics list.
  void setSearching(bool on);

  QPushButton *cmdBack;
  QPushButton *cmdForward;
  QPushButton *cmdContents;
  QPushButton *cmdSearch;
  QPushButton *cmdClose;
  QLabel *labSearch;
  QLineEdit *txtSearch;
  QListWidget *lstTopics;
  QTextBrowser *txtPage;

protected:
  bool eventFilter(QObject *watched, QEvent *event) override;

private:
  void fillTopics(const QString &folder);
  void txtSearchChange(const QString &text);
  void openFirstTopic();
  void openTopic(const QUrl &page);
  void cmdContentsClick();
  void txtPageSourceChanged(const QUrl &page);
  void showTitle();
  void showNoHelp(const QString &helpFile);
  void followModalWindow();
  void moveTo(QWidget *owner);
  void ownerHidden(QWidget *owner);

  QUrl m_page;            // the page shown, as an absolute resource URL; empty for none
  QString m_folder;       // resource folder of the pages shown, empty when there is none
  QString m_topicsFolder; // folder whose pages fill lstTopics
};
