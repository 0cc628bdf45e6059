// SPDX-License-Identifier: MIT
#pragma once
// Test doubles for messages and help (scopedinteraction.h). Declaring one installs it for
// the current scope and restores the previous interaction when it goes out of scope:
//
//   RecordingMessages rec;
//   rec.answers << TzelAnswer::No;          // next question is answered No
//   rec.inputAnswers << QStringLiteral("x"); // next input box: OK with "x"
//   ... run the code ...
//   QCOMPARE(rec.lastText(), QStringLiteral("Error: ..."));
//
// With an empty script a question is answered Ok (Ok buttons) or Yes, and an input box
// is cancelled.

#include "messages/zelhelp.h"
#include "support/scopedinteraction.h"

#include <QList>
#include <QQueue>
#include <QStringList>
#include <optional>

struct RecordedMessage {
  QString text;
  TzelMessageKind kind;
  TzelButtons buttons;
};

struct RecordedInput {
  QString caption;
  QString prompt;
  QString text; // the text passed in
};

struct RecordedList {
  QStringList lines;
  QString title;
};

class RecordingMessages : public ScopedInteraction {
public:
  TzelAnswer messageBox(const QString &text, TzelMessageKind kind, TzelButtons buttons) override;
  bool inputBox(const QString &caption, const QString &prompt, QString &text) override;
  void showMessageList(const QStringList &lines, const QString &title) override;
  void hideMessageList() override { ++hides; }

  QList<RecordedMessage> messages;
  QList<RecordedInput> inputs;
  QList<RecordedList> lists;
  int hides = 0; // ShowMessages calls with an empty list

  QQueue<TzelAnswer> answers;                  // answers to message boxes, in order
  QQueue<std::optional<QString>> inputAnswers; // nullopt = Cancel

  QStringList texts() const; // the texts of all message boxes, in order
  QString lastText() const;  // the last message box text, or empty
  void clear();              // forgets what was recorded (not the scripts)
};

struct RecordedHelp {
  QString helpFile;
  int context;
};

class RecordingHelp : public ScopedInteraction {
public:
  void showHelp(const QString &helpFile, int context) override {
    calls.append({helpFile, context});
  }

  QList<RecordedHelp> calls;
};
