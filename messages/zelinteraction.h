// SPDX-License-Identifier: MIT
#pragma once
// Everything the core asks of a person: messages and questions, the message window, help, a
// model's about box, the progress of long work, file names and the busy cursor. The program
// installs one interaction at start-up (the widget library's windows with zelInstallGui, the
// console's standard error in tools, a script in tests); the core asks only through the free
// functions of zelmessages.h, zelhelp.h, zelprogress.h, zelfiledialog.h and busycursor.h.

#include "messages/zelfiledialog.h"
#include "messages/zelmessages.h"
#include "zelcore_export.h"

#include <QString>
#include <QStringList>

#include <functional>

class TzelModel; // the about box shows a model's own texts; only the installer knows them

class ZELCORE_EXPORT TzelInteraction {
public:
  virtual ~TzelInteraction() = default;

  virtual TzelAnswer messageBox(const QString &text, TzelMessageKind kind, TzelButtons buttons) = 0;
  // OK writes the edited text back and returns true; cancel leaves it unchanged.
  virtual bool inputBox(const QString &caption, const QString &prompt, QString &text) = 0;
  // The same with a Help button and F1 that call help; without windows there is no help to
  // offer, so the plain box serves.
  virtual bool inputBoxWithHelp(const QString &caption, const QString &prompt, QString &text,
                                const std::function<void()> &help) {
    Q_UNUSED(help)
    return inputBox(caption, prompt, text);
  }
  // Shows the lines in the one message window titled title + " Messages".
  virtual void showMessageList(const QStringList &lines, const QString &title) = 0;
  virtual void hideMessageList() = 0;

  // context 0 = contents, -1 = keyword search, otherwise the topic with that number.
  virtual void showHelp(const QString &helpFile, int context) = 0;
  virtual void showAbout(TzelModel &model) = 0;

  // Tasks nest (an export that waits for the database): each begin has its end.
  virtual void beginProgress(const QString &caption) = 0;
  // The task's state in words; false once the user has asked to stop.
  virtual bool stepProgress(const QString &text) = 0;
  virtual void endProgress() = 0;

  // A chosen name is written into fileName and gives true; a cancelled dialog gives false.
  // The open dialog accepts only an existing file.
  virtual bool openFileName(const TzelFileRequest &request, QString &fileName) = 0;
  virtual bool saveFileName(const TzelFileRequest &request, QString &fileName) = 0;

  // True when long work starts, false when it ends.
  virtual void setBusy(bool busy) = 0;
};

// Installs the program's interaction, once at start-up. It is not owned: it must live as long
// as the core may ask.
ZELCORE_EXPORT void zelInstallInteraction(TzelInteraction &interaction);

// The installed interaction. With none installed, the console's, after one line on standard
// error saying that the program forgot to install one.
ZELCORE_EXPORT TzelInteraction &zelInteraction();

// Installs an interaction for the scope's lifetime and puts the one before back when it ends.
// Scopes nest; the last one made ends first.
class ZELCORE_EXPORT TzelInteractionScope {
public:
  explicit TzelInteractionScope(TzelInteraction &interaction);
  ~TzelInteractionScope();
  TzelInteractionScope(const TzelInteractionScope &) = delete;
  TzelInteractionScope &operator=(const TzelInteractionScope &) = delete;

  // The interaction installed before this scope (as zelInteraction() would have given it),
  // for an interaction that answers some requests itself and passes on the others.
  TzelInteraction &previous() const;

private:
  TzelInteraction *m_previous;
};
