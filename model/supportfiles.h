// SPDX-License-Identifier: MIT
#pragma once
// Paths, the settings file, the help folder and screen scaling.

#include "zelcore_export.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <optional>

// One [section] of an INI file with its key=value lines in file order.
struct ZELCORE_EXPORT TzelIniSection {
  QString name;
  QList<QPair<QString, QString>> entries;
  // The first value of the key, names compared without regard to case.
  std::optional<QString> value(const QString &key) const;
};

// True for C:\... and \\server\... paths, and for paths beginning with '/'.
ZELCORE_EXPORT bool IsAbsolutePath(const QString &path);
// An absolute path with its separator appended when missing ('/' for paths beginning with
// '/', '\' otherwise); other paths unchanged.
ZELCORE_EXPORT QString AddTrailingBackslash(const QString &path);
// The folders searched for support files, in order: the program's folder, then the user's
// configuration folder, then /etc.
ZELCORE_EXPORT QStringList SupportFolders();
// The full name of the file in the first support folder that holds it, else the bare name.
ZELCORE_EXPORT QString FindSupportFile(const QString &name);
// A file name without a folder ('/' or '\\') placed in the program's folder; a name with one
// unchanged. Where the model and record export put table and export files named bare.
ZELCORE_EXPORT QString InProgramFolder(const QString &fileName);
// The help file inside the folder named by HELP in section Settings of PELLOX.INI (when the
// settings file is found and the value is not empty); the file unchanged otherwise.
ZELCORE_EXPORT QString LocateHelpFile(const QString &file);
// The sections of an INI file with every value as written: a backslash is an ordinary
// character (C:\HELP), surrounding spaces and one pair of enclosing double quotes go, lines
// starting with ';' or '#' are comments. A missing file has no sections.
ZELCORE_EXPORT QList<TzelIniSection> ReadIniFile(const QString &fileName);
// A length designed at 96 pixels per inch, scaled to a screen of that many pixels per inch
// (integer division).
ZELCORE_EXPORT int ScaleToScreen(int value, int screenPixelsPerInch);
