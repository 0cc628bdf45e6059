// SPDX-License-Identifier: MIT
#pragma once
// The file dialogs every window asks through. The installed interaction (zelinteraction.h)
// decides how they appear (Qt's file dialog in the program, a script in tests); a program
// without windows chooses nothing and never blocks.

#include "zelcore_export.h"

#include <QString>

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

// A chosen name is written into fileName and gives true; a cancelled dialog gives false.
ZELCORE_EXPORT bool zelOpenFileName(const TzelFileRequest &request, QString &fileName);
ZELCORE_EXPORT bool zelSaveFileName(const TzelFileRequest &request, QString &fileName);
