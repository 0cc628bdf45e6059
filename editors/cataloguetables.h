// SPDX-License-Identifier: MIT
#pragma once
// The tables of a database's catalogue as a list with a check box each, for the New from
// Database dialog. A filter (plain text contained in the name, or a wildcard pattern matching
// it whole, in any case) and a schema narrow what is shown; the checks stay on hidden tables.

#include "zelwidgets_export.h"

#include <QAbstractListModel>
#include <QList>
#include <QRegularExpression>
#include <QString>
#include <vector>

struct TzelCatalogueTable;

class ZELWIDGETS_EXPORT TzelCatalogueTables : public QAbstractListModel {
  Q_OBJECT
public:
  explicit TzelCatalogueTables(QObject *parent = nullptr);

  // Lists the tables by their names in the database, each checked; the filter is cleared.
  void setTables(const QList<TzelCatalogueTable> &tables);
  // Shows the tables whose name matches text (empty: all) in schema (empty: all schemas).
  void setFilter(const QString &text, const QString &schema);
  void setShownChecked(bool checked); // All and None: the tables shown only

  int tableCount() const { return int(m_tables.size()); }
  int checkedCount() const { return m_checked; }
  // The checked tables as indexes into the list given to setTables, in its order.
  QList<int> checkedTables() const;
  QString nameAt(int row) const; // the name of a shown row, without the view mark

  int rowCount(const QModelIndex &parent = QModelIndex()) const override;
  QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
  bool setData(const QModelIndex &index, const QVariant &value, int role) override;
  Qt::ItemFlags flags(const QModelIndex &index) const override;

signals:
  void checkedChanged(); // checkedCount() changed

private:
  struct Table {
    QString name; // as the database names it, with its schema outside the default one
    QString bareName;
    QString schema;
    bool view = false;
    bool checked = true;
  };
  bool matches(const Table &table) const;
  void setChecked(Table &table, bool checked);

  std::vector<Table> m_tables;
  std::vector<int> m_shown; // rows: indexes into m_tables
  QString m_text;
  QString m_schema;
  bool m_wildcard = false;
  QRegularExpression m_pattern; // of a text with wildcards, made once per filter
  int m_checked = 0;
};
