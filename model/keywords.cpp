// SPDX-License-Identifier: MIT
#include "model/keywords.h"
#include "model/zeltypes.h"

#include <QFile>
#include <QHash>
#include <QSet>
#include <array>

namespace {

const QString resourceMissing = QStringLiteral("Error: Cannot find string resource [%1]");
const QString resourceUnloadable = QStringLiteral("Error: Cannot load string resource [%1]");
const QString resourceUnlockable = QStringLiteral("Error: Cannot lock string resource [%1]");
const QString stringMissing = QStringLiteral("Error: String [%1] does not exist in resource [%2]");

// Walks the records of a stored table; calls visit(id, text) for each until it returns false.
// A record cut short by the end of the data means the resource is damaged.
template <typename Visit>
bool walkRecords(const QByteArray &data, const QString &name, Visit visit) {
  const auto *bytes = reinterpret_cast<const unsigned char *>(data.constData());
  const qsizetype size = data.size();
  qsizetype pos = 0;
  while (true) {
    if (pos + 2 > size)
      throw EzelError(resourceUnloadable.arg(name));
    const int id = bytes[pos] | (bytes[pos + 1] << 8);
    pos += 2;
    if (id == 0)
      return false;
    if (pos + 1 > size)
      throw EzelError(resourceUnloadable.arg(name));
    const int length = bytes[pos++];
    if (pos + length > size)
      throw EzelError(resourceUnloadable.arg(name));
    const QString text = QString::fromLatin1(data.constData() + pos, length);
    pos += length;
    if (!visit(id, text))
      return true;
  }
}

struct KeywordTable {
  QStringList entries;
  QHash<QByteArray, int> byText; // upper-case ASCII text -> index
  std::array<qint8, 128> symbolCode{};
  std::array<bool, 128> forcesQuoting{};

  KeywordTable() {
    entries = TzelStringResource(QStringLiteral("TZELKEYWORDS")).readAll();
    if (entries.size() != ZelKeyword::Count)
      throw EzelError(resourceUnloadable.arg(QStringLiteral("TZELKEYWORDS")));
    symbolCode.fill(-1);
    for (int i = 0; i < entries.size(); ++i) {
      byText.insert(entries.at(i).toLatin1(), i);
      if (i < ZelKeyword::QuoteCharCount) {
        const char c = entries.at(i).at(0).toLatin1();
        forcesQuoting[uchar(c)] = true;
        if (i < ZelKeyword::SymbolCount)
          symbolCode[uchar(c)] = qint8(i);
      }
    }
  }
};

const KeywordTable &table() {
  static const KeywordTable instance;
  return instance;
}

} // namespace

TzelStringResource::TzelStringResource(QString name) : m_name(std::move(name)) {}

QByteArray TzelStringResource::load() const {
  const QString path =
      m_name.contains(QLatin1Char('/')) ? m_name : QStringLiteral(":/TZELRESOURCE/") + m_name;
  QFile file(path);
  if (!file.exists())
    throw EzelError(resourceMissing.arg(m_name));
  if (!file.open(QIODevice::ReadOnly))
    throw EzelError(resourceUnloadable.arg(m_name));
  QByteArray data = file.readAll();
  if (file.error() != QFileDevice::NoError)
    throw EzelError(resourceUnlockable.arg(m_name));
  return data;
}

QStringList TzelStringResource::readAll() const {
  return parseAll(load(), m_name);
}

QString TzelStringResource::read(int id) const {
  return parseOne(load(), id, m_name);
}

QStringList TzelStringResource::parseAll(const QByteArray &data, const QString &name) {
  QStringList texts;
  walkRecords(data, name, [&](int, const QString &text) {
    texts.append(text);
    return true;
  });
  return texts;
}

QString TzelStringResource::parseOne(const QByteArray &data, int id, const QString &name) {
  QString found;
  const bool stopped = walkRecords(data, name, [&](int recordId, const QString &text) {
    if (recordId != id)
      return true;
    found = text;
    return false;
  });
  if (!stopped || found.isEmpty())
    throw EzelError(stringMissing.arg(id).arg(name));
  return found;
}

const QStringList &zelKeywords() {
  return table().entries;
}

const QString &Keyword(int index) {
  return table().entries.at(index);
}

int KeywordIndex(QStringView word) {
  const qsizetype length = word.size();
  if (length == 0 || length > ZelKeyword::MaxKeywordLength)
    return -1;
  char upper[ZelKeyword::MaxKeywordLength];
  for (qsizetype i = 0; i < length; ++i) {
    const char16_t c = word[i].unicode();
    if (c >= 128)
      return -1; // every entry is ASCII
    upper[i] = (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : char(c);
  }
  return table().byText.value(QByteArray::fromRawData(upper, length), -1);
}

int SymbolCode(QChar c) {
  const char16_t u = c.unicode();
  return u < 128 ? table().symbolCode[u] : -1;
}

bool IsQuoteForcingChar(QChar c) {
  const char16_t u = c.unicode();
  return u < 128 && table().forcesQuoting[u];
}

namespace {

// Words the engines reserve (or treat as keywords) that the table lacks, in upper case.
const char *const kSqliteKeywords =
    "ABORT ALWAYS ANALYZE ATTACH AUTOINCREMENT CASE CONFLICT CROSS CURRENT_DATE CURRENT_TIME "
    "CURRENT_TIMESTAMP DETACH EACH EXCEPT EXCLUDE EXCLUSIVE FAIL FOLLOWING GENERATED GLOB GROUPS "
    "IGNORE INDEXED INSTEAD INTERSECT LIMIT MATERIALIZED NOTHING NOTNULL NULLS OFFSET OTHERS OVER "
    "PARTITION PRAGMA PRECEDING QUERY RAISE RANGE RECURSIVE REGEXP REINDEX RELEASE RENAME REPLACE "
    "RETURNING SAVEPOINT TEMP TEMPORARY TIES UNBOUNDED VACUUM VIRTUAL WINDOW WITHOUT";
const char *const kPostgresKeywords =
    "ANALYSE ANALYZE ARRAY ASYMMETRIC CASE CONCURRENTLY CROSS CURRENT_CATALOG CURRENT_DATE "
    "CURRENT_ROLE CURRENT_SCHEMA CURRENT_TIME CURRENT_TIMESTAMP CURRENT_USER EXCEPT FREEZE ILIKE "
    "INTERSECT LATERAL LIMIT LOCALTIME LOCALTIMESTAMP NOTNULL OFFSET PLACING RETURNING "
    "SESSION_USER SIMILAR SYMMETRIC TABLESAMPLE VARIADIC VERBOSE WINDOW";
constexpr qsizetype LongestDialectKeyword = 17; // CURRENT_TIMESTAMP

QSet<QByteArray> wordSet(const char *words) {
  const QList<QByteArray> list = QByteArray(words).split(' ');
  return QSet<QByteArray>(list.cbegin(), list.cend());
}

} // namespace

bool IsDialectKeyword(QStringView word, TzelDatabase database) {
  if (database != zelSQLite && database != zelPostgreSQL)
    return false;
  static const QSet<QByteArray> sqlite = wordSet(kSqliteKeywords);
  static const QSet<QByteArray> postgres = wordSet(kPostgresKeywords);
  const qsizetype length = word.size();
  if (length == 0 || length > LongestDialectKeyword)
    return false;
  char upper[LongestDialectKeyword];
  for (qsizetype i = 0; i < length; ++i) {
    const char16_t c = word[i].unicode();
    if (c >= 128)
      return false; // every word is ASCII
    upper[i] = (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : char(c);
  }
  return (database == zelSQLite ? sqlite : postgres)
      .contains(QByteArray::fromRawData(upper, length));
}
