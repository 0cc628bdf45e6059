// SPDX-License-Identifier: MIT
#pragma once
// Replacing a file without ever leaving a half-written one in its place: the bytes go to a
// file beside it, which is renamed over the target only when every byte was written.

#include "zelcore_export.h"

#include <QByteArray>
#include <QString>

// Empty on success; otherwise the reason, and the target is as it was. The target is
// checked as zelWriteTarget says.
ZELCORE_EXPORT QString WriteFileSafely(const QString &fileName, const QByteArray &bytes);

// The file a write to fileName replaces. A symbolic link is written through: the file it
// names (made when missing) gets the new contents and the link stays. refusal says why that
// file may not be replaced: it is no regular file (a FIFO, a device, a folder), or this user
// may not write it (a rename beside it would replace a read-only file). Empty: it may.
struct ZELCORE_EXPORT TzelWriteTarget {
  QString path;
  QString refusal;
};
ZELCORE_EXPORT TzelWriteTarget zelWriteTarget(const QString &fileName);

// The owner and group of a file about to be replaced, for its replacement (QSaveFile keeps
// a replaced file's permissions, not its owner).
struct ZELCORE_EXPORT TzelFileOwner {
  // Unknown when the file does not exist.
  static TzelFileOwner of(const QString &fileName);
  // Gives the file that owner and group, as far as the process may (a user may give a file
  // to a group of theirs, only root to another user).
  void giveTo(const QString &fileName) const;
  bool known = false;
  unsigned uid = 0;
  unsigned gid = 0;
};

// Renames the finished temporary over target. A file it replaces passes on its permissions
// and, where the process may, its owner and group; a new file keeps the mode it was created
// with (the process's umask). Empty on success; otherwise the reason, the temporary removed
// and the target as it was.
ZELCORE_EXPORT QString ReplaceFileWith(const QString &temporary, const QString &target);

// While it lives, the files the process creates are private (umask 077), so that the
// temporary replacing an existing file shows its data to no one before ReplaceFileWith
// gives it the old file's permissions. The process's umask comes back at the end.
class ZELCORE_EXPORT TzelPrivateCreation {
public:
  TzelPrivateCreation();
  ~TzelPrivateCreation();
  TzelPrivateCreation(const TzelPrivateCreation &) = delete;
  TzelPrivateCreation &operator=(const TzelPrivateCreation &) = delete;

private:
  unsigned m_umask;
};
