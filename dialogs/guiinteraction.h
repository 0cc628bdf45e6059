// SPDX-License-Identifier: MIT
#pragma once
// The program's interaction in real Qt windows: modal message boxes, the input box, the one
// message window (TfrmZelError), our help window (TfrmZelHelp), the data model's about box
// (TfrmZelAbout), the progress window of long work (TfrmZelProgress), Qt's file dialog and
// the wait cursor.

#include "dialogs/frmzelprogress.h"
#include "messages/zelinteraction.h"
#include "zelwidgets_export.h"

class QApplication;

class ZELWIDGETS_EXPORT TzelGuiInteraction : public TzelInteraction {
public:
  TzelAnswer messageBox(const QString &text, TzelMessageKind kind, TzelButtons buttons) override;
  bool inputBox(const QString &caption, const QString &prompt, QString &text) override;
  bool inputBoxWithHelp(const QString &caption, const QString &prompt, QString &text,
                        const std::function<void()> &help) override;
  void showMessageList(const QStringList &lines, const QString &title) override;
  void hideMessageList() override;

  void showHelp(const QString &helpFile, int context) override;
  void showAbout(TzelModel &model) override;

  void beginProgress(const QString &caption) override { m_progress.begin(caption); }
  bool stepProgress(const QString &text) override { return m_progress.step(text); }
  void endProgress() override { m_progress.end(); }

  bool openFileName(const TzelFileRequest &request, QString &fileName) override;
  bool saveFileName(const TzelFileRequest &request, QString &fileName) override;

  void setBusy(bool busy) override;

private:
  TzelGuiProgress m_progress;
};

// Installs the one TzelGuiInteraction of the program, once app is made and before any window.
ZELWIDGETS_EXPORT void zelInstallGui(QApplication &app);
