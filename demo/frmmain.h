// SPDX-License-Identifier: MIT
#pragma once
// The program's main window: a guided tour of sixteen topics that hosts one instance of each
// component, wired as a developer wires them on a form, and opens the data model window and
// the query workspace from them. The components are read from the form's stored texts.

#include <QMainWindow>
#include <functional>

class ComponentTray;
class OwnDatabase;
class QLabel;
class QPushButton;
class QStackedWidget;
class TourAnimation;
class TzelConnection;
class TzelDataModel;
class TzelDataModelDialog;
class TzelDataset;
class TzelQueryDialog;
class TzelQuerion;

class TfrmMain : public QMainWindow {
  Q_OBJECT
public:
  // programFolder: where the Data folder of the sample tables is looked for; empty means the
  // executable's folder.
  explicit TfrmMain(const QString &programFolder = QString(), QWidget *parent = nullptr);
  ~TfrmMain() override;

  // The form's components.
  TzelConnection *Database1;
  TzelDataset *Query1;
  TzelDataModel *zelDataModel1;
  TzelDataModelDialog *zelDataModelDialog1;
  TzelQuerion *zelQuerion1;
  TzelQueryDialog *zelQueryDialog1;

  ComponentTray *panComponents;
  QStackedWidget *nbkTopics;
  QLabel *labStatus;
  QLabel *labHelpFile1;
  QLabel *labHelpFile2;
  QPushButton *cmdFirst;
  QPushButton *cmdPrevious;
  QPushButton *cmdNext;
  QPushButton *cmdLast;
  QPushButton *cmdModel;
  QPushButton *cmdQuery;
  QPushButton *cmdYourDatabase;
  QPushButton *cmdHelp;
  QPushButton *cmdHelp2;
  QPushButton *cmdExit;

  int CurrentTopic() const { return m_topic; }
  int TopicCount() const { return m_topicCount; }
  bool Animating() const;
  int AnimationInterval() const;

  void cmdNextClick();
  void cmdPreviousClick();
  void cmdFirstClick();
  void cmdLastClick();
  void cmdModelClick();
  void cmdQueryClick();
  void cmdYourDatabaseClick();
  // Opens the query workspace on a model read from the user's database (the command line's
  // forms: an alias, an SQLite file, a folder of tables, sqlite:, standard:, postgresql:).
  // False after a message naming the database.
  bool OpenDatabase(const QString &database);
  // The user's database once one was opened, else null.
  OwnDatabase *ownDatabase() const { return m_own; }
  void imgDataModelDblClick();
  void imgQuerionDblClick();
  void cmdHelpClick();
  void labHelpFileClick();
  void cmdExitClick();
  void StopAnimation();

protected:
  void closeEvent(QCloseEvent *event) override;

private:
  void createComponents();
  void buildWindow();
  QWidget *buildButtons();
  QWidget *buildHelpRow();
  void connectCommands();
  void connectDatabase(const QString &programFolder);
  void showTopic(int topic);
  void updateStatus();
  bool runDialog(const std::function<void()> &execute);

  OwnDatabase &own();

  TourAnimation *m_animation;
  OwnDatabase *m_own = nullptr;
  int m_topic = 1;
  int m_topicCount = 16;
  bool m_dialogOpen = false;
};
