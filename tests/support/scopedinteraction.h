// SPDX-License-Identifier: MIT
#pragma once
// The one way tests install an interaction: declaring a ScopedInteraction (or a double made
// from it) installs it for the current scope and puts the one before back when it ends.
// Every request goes on to the interaction installed before; a double overrides the requests
// it answers itself and lets the others pass, so doubles nest:
//
//   RecordingMessages rec; // messages recorded
//   StopAt stop(3);        // progress stopped at the third step; messages still reach rec

#include "messages/zelinteraction.h"

class ScopedInteraction : public TzelInteraction {
public:
  ScopedInteraction() : m_scope(*this) {}

  TzelAnswer messageBox(const QString &text, TzelMessageKind kind, TzelButtons buttons) override {
    return previous().messageBox(text, kind, buttons);
  }
  bool inputBox(const QString &caption, const QString &prompt, QString &text) override {
    return previous().inputBox(caption, prompt, text);
  }
  void showMessageList(const QStringList &lines, const QString &title) override {
    previous().showMessageList(lines, title);
  }
  void hideMessageList() override { previous().hideMessageList(); }

  void showHelp(const QString &helpFile, int context) override {
    previous().showHelp(helpFile, context);
  }
  void showAbout(TzelModel &model) override { previous().showAbout(model); }

  void beginProgress(const QString &caption) override { previous().beginProgress(caption); }
  bool stepProgress(const QString &text) override { return previous().stepProgress(text); }
  void endProgress() override { previous().endProgress(); }

  bool openFileName(const TzelFileRequest &request, QString &fileName) override {
    return previous().openFileName(request, fileName);
  }
  bool saveFileName(const TzelFileRequest &request, QString &fileName) override {
    return previous().saveFileName(request, fileName);
  }

  void setBusy(bool busy) override { previous().setBusy(busy); }

protected:
  TzelInteraction &previous() const { return m_scope.previous(); }

private:
  TzelInteractionScope m_scope;
};
