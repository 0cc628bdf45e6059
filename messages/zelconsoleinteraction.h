// SPDX-License-Identifier: MIT
#pragma once
// The interaction of a program without windows: messages and help requests on standard error,
// never a wait. A question is answered with its first button (OK or Yes), an input box is
// cancelled, progress is silent and no file is ever chosen. Tools that must treat a question
// as a failure override messageBox.

#include "messages/zelinteraction.h"
#include "zelcore_export.h"

class ZELCORE_EXPORT TzelConsoleInteraction : public TzelInteraction {
public:
  TzelAnswer messageBox(const QString &text, TzelMessageKind kind, TzelButtons buttons) override;
  bool inputBox(const QString &, const QString &, QString &) override { return false; }
  void showMessageList(const QStringList &lines, const QString &title) override;
  void hideMessageList() override {}

  void showHelp(const QString &helpFile, int context) override;
  void showAbout(TzelModel &) override {}

  void beginProgress(const QString &) override {}
  bool stepProgress(const QString &) override { return true; }
  void endProgress() override {}

  bool openFileName(const TzelFileRequest &, QString &) override { return false; }
  bool saveFileName(const TzelFileRequest &, QString &) override { return false; }

  void setBusy(bool) override {}
};
