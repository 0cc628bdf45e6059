#pragma once
// The file dialogs every window asks through. A handler installed at start-up decides how
// they appear (Qt's file dialog in the program, a script in tests); until then nothing is
// chosen and nothing blocks.

#include "zelcore_export.h"

#include <QString>
#include <memory>

struct ZELCORE_EXPORT TzelFileRequest {
  QString title;
  // Description and pattern pairs separated by "|": "Text (*.txt)|*.txt|All Files (*.*)|*.*".
  QString filter;
  int filterIndex = 1; // the pair shown first, counted from 1
  QString folder;      // where the dialog opens; empty for the current folder
  QString fileName;    // proposed name; a pattern such as *.csv proposes none
  bool folderMustExist = false;
  // The save dialog asks before replacing a file; callers that ask themselves leave it off.
  bool confirmOverwrite = false;
};

class ZELCORE_EXPORT TzelFileDialogHandler {
public:
  virtual ~TzelFileDialogHandler() = default;
  // A chosen name is written into fileName and gives true; a cancelled dialog gives false.
  // The open dialog accepts only an existing file.
  virtual bool openFileName(const TzelFileRequest &request, QString &fileName) = 0;
  virtual bool saveFileName(const TzelFileRequest &request, QString &fileName) = 0;
};

// Installs the process's handler (ownership passes; null restores the default, which
// chooses nothing) and returns the previous one.
ZELCORE_EXPORT std::unique_ptr<TzelFileDialogHandler>
zelSetFileDialogHandler(std::unique_ptr<TzelFileDialogHandler> handler);
ZELCORE_EXPORT TzelFileDialogHandler &zelFileDialogHandler();

ZELCORE_EXPORT bool zelOpenFileName(const TzelFileRequest &request, QString &fileName);
ZELCORE_EXPORT bool zelSaveFileName(const TzelFileRequest &request, QString &fileName);
