// SPDX-License-Identifier: MIT
#include "database/zeldbtable.h"

#include "database/zelsession.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

QString TzelDbTable::filePath() const {
  QString folder = TzelSession::defaultSession().folderOf(m_databaseName);
  if (folder.isEmpty())
    folder = m_databaseName;
  folder.replace(u'\\', u'/');
  QString name = m_tableName;
  if (QFileInfo(name).suffix().isEmpty()) {
    if (m_tableType == TzelTableType::ttDBase)
      name += u".dbf"_s;
    else if (m_tableType == TzelTableType::ttParadox)
      name += u".db"_s;
  }
  return QDir(folder).filePath(name);
}
