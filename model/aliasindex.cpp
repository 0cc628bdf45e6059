// SPDX-License-Identifier: MIT
#include "model/aliasindex.h"

#include <algorithm>

namespace {

char16_t asciiLower(char16_t c) {
  return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c;
}

} // namespace

// Names are compared very often (every lookup by alias), and nearly all are ASCII: those are
// compared here; any other character leaves the decision to QString.
bool zelSameText(const QString &a, const QString &b) {
  if (a.size() != b.size()) // folding keeps the length
    return false;
  for (qsizetype i = 0; i < a.size(); ++i) {
    const char16_t x = a.at(i).unicode();
    const char16_t y = b.at(i).unicode();
    if (x == y)
      continue;
    if (x >= 128 || y >= 128)
      return QString::compare(a, b, Qt::CaseInsensitive) == 0;
    if (asciiLower(x) != asciiLower(y))
      return false;
  }
  return true;
}

ZelAliasIndex::Key::Key(const QString &alias) : text(alias), folded(0) {
  // Folds character by character, as the comparison does, without building a folded copy.
  for (QChar c : alias) {
    if (c.isSurrogate()) { // letters outside the basic plane fold as pairs
      folded = qHash(alias.toCaseFolded());
      return;
    }
    const char16_t u = c.unicode();
    folded = folded * 31 + (u < 128 ? asciiLower(u) : c.toCaseFolded().unicode());
  }
}

int ZelAliasIndex::first(const QString &alias) const {
  const auto it = m_positions.constFind(Key{alias});
  return it == m_positions.cend() || it->isEmpty() ? -1 : it->constFirst();
}

void ZelAliasIndex::insert(const QString &alias, int position) {
  QList<int> &positions = m_positions[Key{alias}];
  const auto at = std::lower_bound(positions.begin(), positions.end(), position);
  if (at == positions.end() || *at != position)
    positions.insert(at, position);
}

void ZelAliasIndex::remove(const QString &alias, int position) {
  const auto it = m_positions.find(Key{alias});
  if (it == m_positions.end())
    return;
  it->removeOne(position);
  if (it->isEmpty()) {
    m_positions.erase(it);
    freed(alias);
  }
}

QString ZelAliasIndex::unique(const QString &base) {
  if (first(base) < 0)
    return base;
  int &taken = m_taken[Key{base}];
  taken = qMax(taken, 1);
  QString candidate;
  for (;; ++taken) {
    candidate = base + QLatin1Char('_') + QString::number(taken);
    if (first(candidate) < 0)
      return candidate;
  }
}

// An alias no live object has any more may be the answer of unique() again: for its own base
// and, when it reads base_n, for that base.
void ZelAliasIndex::freed(const QString &alias) {
  m_taken.remove(Key{alias});
  const qsizetype bar = alias.lastIndexOf(QLatin1Char('_'));
  if (bar < 0 || bar + 1 == alias.size() || alias.at(bar + 1) == QLatin1Char('0'))
    return; // unique() never writes a number with a leading zero
  bool ok = false;
  const int n = QStringView(alias).mid(bar + 1).toInt(&ok);
  if (!ok || n <= 0) // not a count unique() could have written
    return;
  const auto it = m_taken.find(Key{alias.left(bar)});
  if (it != m_taken.end() && *it > n)
    *it = n;
}
