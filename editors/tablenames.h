// SPDX-License-Identifier: MIT
#pragma once
// The names of the add-table dialog's list and the filter over them: one row per name that
// contains the filter text in any case. Built for catalogues of 100,000 tables: names are
// kept in one list with their case-folded forms, a filter is one pass over them (over the
// rows already shown when the user types on), and the view is told once per change.

#include "zelwidgets_export.h"

#include <QAbstractListModel>
#include <QStringList>
#include <vector>

class ZELWIDGETS_EXPORT TzelTableNames : public QAbstractListModel {
  Q_OBJECT
public:
  explicit TzelTableNames(QObject *parent = nullptr);

  // Names in the order given (a catalogue's own order).
  void setNamesAsListed(QStringList names);
  // Names in sorted order; later names are inserted where they sort.
  void setNames(QStringList names);
  void addName(const QString &name);
  void clear() { setNamesAsListed({}); }
  // True when names are kept sorted: case-sensitively, by their UTF-16 code units.
  bool keepsSorted() const { return m_sorted; }

  const QStringList &names() const { return m_names; } // every name, shown or not
  int nameCount() const { return int(m_names.size()); }

  // Shows only the names containing text (trimmed, any case); empty shows all.
  void setFilter(const QString &text);
  QStringList shownNames() const;
  const QString &nameAt(int row) const { return m_names.at(m_shown.at(size_t(row))); }
  // The row showing name; -1 when it is not shown.
  int rowOf(const QString &name) const;

  // Without the base class's checks through rowCount: the view asks for every row's index
  // each time it lays out 100,000 rows.
  QModelIndex index(int row, int column = 0,
                    const QModelIndex &parent = QModelIndex()) const override;
  int rowCount(const QModelIndex &parent = QModelIndex()) const override;
  QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
  void reset(QStringList names, bool sorted);
  bool matches(int name) const;

  QStringList m_names;
  QStringList m_folded;     // m_names case-folded, for the filter
  std::vector<int> m_shown; // rows: indexes into m_names, ascending
  QString m_filter;         // case-folded
  bool m_sorted = true;
};
