#pragma once
// Our help viewer: HTML pages shipped as resources, one folder of pages per help file
// (":/help/vizaduz" for "VIZADUZ.HLP"), a page "ctx_<n>.html" per context number and a
// "contents.html" page per folder.

#include <QUrl>
#include <QWidget>

class QLineEdit;
class QListWidget;
class QTextBrowser;

class TfrmZelHelp : public QWidget {
  Q_OBJECT
  Q_DISABLE_COPY(TfrmZelHelp)
public:
  explicit TfrmZelHelp(QWidget *parent = nullptr);

  // The process-wide help window: null until first use, then reused.
  static TfrmZelHelp *instance();
  static TfrmZelHelp &ensureInstance();

  // Shows the topic of helpFile with that context: 0, or a context without a page, shows
  // the contents; -1 shows the contents with the search field.
  void showHelp(const QString &helpFile, int context);

  // The resource folder of a help file (any folder part of the name is ignored).
  static QString helpFolder(const QString &helpFile);
  // The page for a context, or the contents page; empty when the file has no pages.
  static QUrl pageFor(const QString &helpFile, int context);

  QUrl currentPage() const;
  bool searching() const;

  QLineEdit *txtSearch;
  QListWidget *lstTopics;
  QTextBrowser *txtPage;

private:
  void fillTopics(const QString &folder);
  void txtSearchChange(const QString &text);
  void openFirstTopic();
};
