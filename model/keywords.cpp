// SPDX-License-Identifier: MIT
#include "model/keywords.h"
#include "model/dialects.h"
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

QSet<QByteArray> wordSet(const char *words) {
  const QList<QByteArray> list = QByteArray(words).split(' ');
  return QSet<QByteArray>(list.cbegin(), list.cend());
}

} // namespace

bool IsDialectKeyword(QStringView word, TzelDatabase database) {
  struct WordSet {
    QSet<QByteArray> words;
    qsizetype longest = 0;
  };
  static const std::array<WordSet, zelLastDialect + 1> sets = [] {
    std::array<WordSet, zelLastDialect + 1> all;
    for (int d = 0; d <= zelLastDialect; ++d) {
      all[d].words = wordSet(zelDialect(TzelDatabase(d)).keywords);
      for (const QByteArray &w : std::as_const(all[d].words))
        all[d].longest = std::max(all[d].longest, w.size());
    }
    return all;
  }();
  if (int(database) < 0 || int(database) > zelLastDialect)
    return false;
  const WordSet &set = sets[database];
  constexpr qsizetype Longest = 32;
  const qsizetype length = word.size();
  if (length == 0 || length > set.longest || length > Longest)
    return false;
  char upper[Longest];
  for (qsizetype i = 0; i < length; ++i) {
    const char16_t c = word[i].unicode();
    if (c >= 128)
      return false; // every word is ASCII
    upper[i] = (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : char(c);
  }
  return set.words.contains(QByteArray::fromRawData(upper, length));
}
