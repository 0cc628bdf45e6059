#pragma once
// The positions of the live objects of a list by alias, compared ignoring case, so that the
// first live object with an alias is found without walking the list. The list's owner keeps
// it current: it reports every object added, every alias changed and every Deleted mark set
// or cleared, and clears it with the list.

#include <QHash>
#include <QList>
#include <QString>

// Whether two names are equal ignoring case (simple case folding, as QString compares them).
bool zelSameText(const QString &a, const QString &b);

class ZelAliasIndex {
public:
  // The lowest position of a live object with the alias, or -1.
  int first(const QString &alias) const;
  void insert(const QString &alias, int position);
  void remove(const QString &alias, int position);
  void clear() { m_positions.clear(); }

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
  QHash<Key, QList<int>> m_positions; // ascending
};
