// SPDX-License-Identifier: MIT
#pragma once
// The positions of the live objects of a list by alias, compared ignoring case, so that the
// first live object with an alias is found without walking the list. The list's owner keeps
// it current: it reports every object added, every alias changed and every Deleted mark set
// or cleared, and clears it with the list. It also makes new unique aliases from a base name.

#include "zelcore_export.h"

#include <QHash>
#include <QList>
#include <QString>

// Whether two names are equal ignoring case (simple case folding, as QString compares them).
ZELCORE_EXPORT bool zelSameText(const QString &a, const QString &b);

class ZELCORE_EXPORT ZelAliasIndex {
public:
  // The lowest position of a live object with the alias, or -1.
  int first(const QString &alias) const;
  void insert(const QString &alias, int position);
  void remove(const QString &alias, int position);
  void clear() {
    m_positions.clear();
    m_taken.clear();
  }
  // The first of base, base_1, base_2 ... that no live object has.
  QString unique(const QString &base);

  // An alias as a hash key: equal exactly when the texts are equal ignoring case. The hash
  // of the case-folded text is computed once, and tells most unequal keys apart at once.
  struct Key {
    explicit Key(const QString &alias);
    QString text;
    size_t folded;
    friend bool operator==(const Key &a, const Key &b) {
      return a.folded == b.folded && zelSameText(a.text, b.text);
    }
    friend size_t qHash(const Key &key, size_t seed) { return qHash(key.folded, seed); }
  };

private:
  void freed(const QString &alias);

  QHash<Key, QList<int>> m_positions; // ascending
  // Per base that has been asked for more than once: n where base, base_1 .. base_(n-1) are
  // all known to be taken, so that the next unique alias is found without probing them again.
  QHash<Key, int> m_taken;
};
