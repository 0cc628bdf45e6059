// SPDX-License-Identifier: MIT
#pragma once
// The query component: holds the queries a user designs (the first one is the current
// query), the page and label layout, the generated SQL and the filter parameters, and runs
// the current query on its dataset. It refers to a data model and a dataset without owning
// them; both references clear themselves when their target is destroyed.

#include "model/zelcomponent.h"
#include "model/zelmodel.h"
#include "model/zelpage.h"
#include "model/zelquery.h"
#include "zelcore_export.h"

#include <QPointer>
#include <QStringList>

class TzelDataset;
class TzelQueryPrompts;

class ZELCORE_EXPORT TzelQuerion : public TzelComponent, public TzelQueryOwner {
  Q_OBJECT
  Q_PROPERTY(TzelModel *DataModel READ DataModel WRITE SetDataModel)
  Q_PROPERTY(QObject *DataQuery READ DataQuery WRITE SetDataQuery)
  Q_PROPERTY(bool DisplayParams READ DisplayParams WRITE SetDisplayParams)
  Q_PROPERTY(TzelPage *Page READ Page WRITE SetPage)
  Q_PROPERTY(QString Version READ Version WRITE SetVersion)
  // The design position and the system conventions of the form it was saved on.
  Q_PROPERTY(int Left READ Left WRITE SetLeft)
  Q_PROPERTY(int Top READ Top WRITE SetTop)
  Q_PROPERTY(int DateOrder READ DateOrder WRITE SetDateOrder)
  Q_PROPERTY(QString DateSeparator READ DateSeparator WRITE SetDateSeparator)
  Q_PROPERTY(QString DecimalSeparator READ DecimalSeparator WRITE SetDecimalSeparator)
  Q_CLASSINFO("zel.reference.DataModel", "True")
  Q_CLASSINFO("zel.reference.DataQuery", "True")
  Q_CLASSINFO("zel.default.DisplayParams", "True")
  Q_CLASSINFO("zel.default.Version", "'4.0 rev B'")
  Q_CLASSINFO("zel.default.Left", "0")
  Q_CLASSINFO("zel.default.Top", "0")

public:
  static inline const QString VersionText = QStringLiteral("4.0 rev B");

  explicit TzelQuerion(QObject *parent = nullptr);
  ~TzelQuerion() override;

  TzelModel *DataModel() const { return m_dataModel; }
  // Also drops what the queries' tables resolved in the previous model.
  void SetDataModel(TzelModel *model);
  QObject *DataQuery() const { return m_dataQuery; }
  // A dataset without a string-list property "SQL" is refused with a message.
  void SetDataQuery(QObject *dataset);
  bool DisplayParams() const { return m_displayParams; }
  void SetDisplayParams(bool on) { m_displayParams = on; }
  TzelPage *Page() const { return m_page; }
  void SetPage(const TzelPage *page); // copies the values
  TzelLabels *Labels() const { return m_labels; }
  QString Version() const { return VersionText; }
  void SetVersion(const QString &version) { m_version = version; }
  int Left() const { return m_left; }
  void SetLeft(int left) { m_left = left; }
  int Top() const { return m_top; }
  void SetTop(int top) { m_top = top; }
  // Written with the conventions of the running system; reading records the stored ones,
  // which loaded() compares with the system's.
  int DateOrder() const;
  void SetDateOrder(int order) { m_storedDateOrder = order; }
  QString DateSeparator() const;
  void SetDateSeparator(const QString &separator) { m_storedDateSeparator = separator; }
  QString DecimalSeparator() const;
  void SetDecimalSeparator(const QString &separator) { m_storedDecimalSeparator = separator; }

  // The working lists: the generated statement, name=value parameters, query file text.
  QStringList &SQL() { return m_sql; }
  QStringList &Params() { return m_params; }
  QStringList &QueryText() { return m_queryText; }
  bool SqlEdited() const { return m_sqlEdited; }
  void SetSqlEdited(bool on) { m_sqlEdited = on; }
  bool ReportMode() const { return m_reportMode; }
  void SetReportMode(bool on) { m_reportMode = on; }
  bool RaiseOnMissing() const { return m_raiseOnMissing; }
  void SetRaiseOnMissing(bool on) { m_raiseOnMissing = on; }
  // What a run asks through: the component's own prompts (not owned; they must outlive it
  // or be set back to null), else the application's (zelQueryPrompts).
  void SetPrompts(TzelQueryPrompts *prompts) { m_prompts = prompts; }
  TzelQueryPrompts &Prompts() const;

  // Both create the query "Step 1" when there is none. Queries raises "Error: Query Index
  // [n] does not exist" for an index past the end (none with RaiseOnMissing off).
  int QueryCount();
  TzelQuery *Queries(int index);
  TzelQuery *CurrentQuery() { return Queries(0); }
  int AddQuery(const QString &name);

  // Collects "Error 1: " .. "Error 4: " and shows them in the message window; true when
  // there are none (the window, if open, is hidden).
  bool CheckSetup();

  virtual bool ReservedOperation1() { return false; }
  // The report export of the export dialog (file type 11); nothing here.
  virtual bool ExportReport(const QString &fileName, const QString &password);
  // Resets page and labels and empties the current query.
  virtual bool NewQuery();
  virtual bool ReservedOperation3() { return false; }
  virtual bool ReservedOperation4() { return false; }
  // Query files. A failed load shows why; LoadFromFile then leaves the current query as it
  // was, LoadFromText has emptied it first (its tables, joins and values; not its name). A
  // failed save leaves an existing file as it was.
  virtual bool LoadFromText();
  virtual bool LoadFromFile(const QString &name);
  virtual bool SaveToFile(const QString &name);
  // Runs the current query on DataQuery: optional query file, SQL generation (unless the
  // SQL was edited by hand), then the fields get the values' labels, widths and formats.
  // Database errors are shown and give false.
  virtual bool Execute(const QString &name = QString());
  // Builds SQL from the current query (validation, alias synchronisation and the parameter
  // step first); false after a message or a cancelled dialog.
  virtual bool GenerateSQL();
  // Asks for a file name and type through the prompts and runs that type's writer; false
  // when cancelled or when the writer failed (it has said why).
  bool Export();
  // DataQuery written as a dBase or Paradox table by the data model.
  bool ExportTable(const QString &fileName, int fileType, bool showMessage);
  // Shows the page setup dialog for this component (its labels page only in ReportMode);
  // true when the user confirmed and the page was written.
  virtual bool PageSetup();
  // Prints the records of DataQuery through the prompts' printer (PrintRecords) when the setup
  // passes and the dataset is open with records; false otherwise, and when nothing printed.
  virtual bool Print();
  // False when a print job runs already, the user cancelled or the job failed (shown).
  bool PrintRecords();

  // Copies the page and the current query of another query component; the current query is
  // left unchanged when the copy fails (EzelError).
  void Assign(const QObject *source);

  TzelModel *queryDataModel() const override { return m_dataModel; }
  QList<TzelComponent *> storedChildren() const override;
  bool attachStoredChild(TzelComponent *child) override;
  void loaded() override;

  // Whether the custom open and save events are connected (the editor then calls them
  // instead of its own file commands).
  bool HasCustomOpen() const;
  bool HasCustomSave() const;

signals:
  void OnBeforeParams(QObject *sender);
  void OnAfterParams(QObject *sender);
  void OnBeforeQuery(QObject *sender);
  void OnAfterQuery(QObject *sender);
  void OnCustomOpen(QObject *sender);
  void OnCustomSave(QObject *sender);

private:
  void convertDateFilters(TzelQuery &query);
  bool loadLines(const QStringList &lines);
  void dressFields(TzelDataset &dataset);
  void clearQuery(TzelQuery &query);

  QPointer<TzelModel> m_dataModel;
  QPointer<QObject> m_dataQuery;
  bool m_displayParams = true;
  TzelPage *m_page;
  TzelLabels *m_labels;
  QString m_version = VersionText;
  int m_left = 0;
  int m_top = 0;
  int m_storedDateOrder;
  QString m_storedDateSeparator;
  QString m_storedDecimalSeparator;
  QList<TzelQuery *> m_queries;
  QStringList m_sql;
  QStringList m_params;
  QStringList m_queryText;
  bool m_sqlEdited = false;
  bool m_reportMode = false;
  bool m_raiseOnMissing = true;
  TzelQueryPrompts *m_prompts = nullptr;
};
