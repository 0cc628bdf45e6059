// SPDX-License-Identifier: MIT
#pragma once
// The database behind a STANDARD alias: a folder of Paradox (.db) and dBase (.dbf)
// tables, loaded on demand into one in-memory SQLite database where the local SQL runs.
// A table is read again only when its file changed (time or size).

#include "zelcore_export.h"

#include <QDateTime>
#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class ZELCORE_EXPORT TzelStandardDatabase {
public:
  // folderOfAlias maps another alias named in a ":ALIAS:" prefix to its folder (empty
  // when the alias is unknown or not a folder of tables).
  TzelStandardDatabase(const QString &folder, QString connectionName,
                       std::function<QString(const QString &)> folderOfAlias);
  ~TzelStandardDatabase();
  TzelStandardDatabase(const TzelStandardDatabase &) = delete;
  TzelStandardDatabase &operator=(const TzelStandardDatabase &) = delete;

  const QString &folder() const { return m_folder; }
  const QString &connectionName() const { return m_connection; }
  // The statement in SQLite's dialect with its tables loaded; throws EzelError.
  QString prepare(const QString &sql);
  // The table files (full paths) that the statement reads, loaded as prepare() does.
  QStringList filesOf(const QString &sql);
  // Table files of the folder (file names), sorted.
  QStringList tableFiles() const;

private:
  // What tells one version of a table file from the next: a file replaced by renaming has a
  // new inode even when it was written within the clock's granularity at the same size.
  struct FileStamp {
    quint64 device = 0, inode = 0;
    qint64 seconds = -1, nanoseconds = 0, size = -1;
    bool operator==(const FileStamp &) const = default;
  };
  static FileStamp stampOf(const QString &path);
  struct Loaded {
    QString sqliteName;
    FileStamp stamp;
    QSet<QString> columns;
  };
  std::optional<QString> resolve(const QString &reference, bool explicitRef);
  QString load(const QString &path);
  QString sqliteNameFor(const QString &path) const;

  QString m_folder;
  QString m_connection;
  std::function<QString(const QString &)> m_folderOfAlias;
  QHash<QString, Loaded> m_loaded;       // by canonical file path
  QHash<QString, QStringList> m_listing; // folder -> files, valid during one prepare()
  QStringList m_resolved;                // the files resolved by the last prepare()
};

ZELCORE_EXPORT bool isTableFileName(const QString &fileName);
