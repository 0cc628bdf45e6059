// SPDX-License-Identifier: MIT
#pragma once
// The data model: a schema of physical tables, their fields and default joins, plus the SQL
// dialect of the target database, display formats and help settings. The database-bound
// model derives from it and supplies the virtual database operations, which here do nothing.

#include "model/zelschema.h"
#include "zelcore_export.h"

#include <QStringList>

class TzelModel;

// Display formats by data type; a settings object owned by the model.
class ZELCORE_EXPORT TzelDisplay : public TzelComponent {
  Q_OBJECT
  Q_PROPERTY(QString FormatCurrency READ FormatCurrency WRITE SetFormatCurrency)
  Q_PROPERTY(QString FormatDate READ FormatDate WRITE SetFormatDate)
  Q_PROPERTY(QString FormatDateTime READ FormatDateTime WRITE SetFormatDateTime)
  Q_PROPERTY(QString FormatFloat READ FormatFloat WRITE SetFormatFloat)
  Q_PROPERTY(QString FormatTime READ FormatTime WRITE SetFormatTime)
public:
  explicit TzelDisplay(QObject *parent = nullptr);

  QString FormatCurrency() const { return m_formatCurrency; }
  void SetFormatCurrency(const QString &f) { m_formatCurrency = f; }
  QString FormatDate() const { return m_formatDate; }
  void SetFormatDate(const QString &f) { m_formatDate = f; }
  QString FormatDateTime() const { return m_formatDateTime; }
  void SetFormatDateTime(const QString &f) { m_formatDateTime = f; }
  QString FormatFloat() const { return m_formatFloat; }
  void SetFormatFloat(const QString &f) { m_formatFloat = f; }
  QString FormatTime() const { return m_formatTime; }
  void SetFormatTime(const QString &f) { m_formatTime = f; }

private:
  TzelFormat m_formatCurrency{QStringLiteral("$#,#.00")};
  TzelFormat m_formatDate{QStringLiteral("ddddd")};
  TzelFormat m_formatDateTime{QStringLiteral("c")};
  TzelFormat m_formatFloat{QStringLiteral("#,#.00")};
  TzelFormat m_formatTime{QStringLiteral("t")};
};

// Texts of the about box and the help settings; a settings object owned by the model.
class ZELCORE_EXPORT TzelAbout : public TzelComponent {
  Q_OBJECT
  Q_PROPERTY(QString Comments READ Comments WRITE SetComments)
  Q_PROPERTY(QString Copyright READ Copyright WRITE SetCopyright)
  Q_PROPERTY(int HelpContext READ HelpContext WRITE SetHelpContext)
  Q_PROPERTY(QString HelpCaption READ HelpCaption WRITE SetHelpCaption)
  Q_PROPERTY(QString HelpFile READ HelpFile WRITE SetHelpFile)
  Q_PROPERTY(QString LegalNotice READ LegalNotice WRITE SetLegalNotice)
  Q_PROPERTY(QString ProgramTitle READ ProgramTitle WRITE SetProgramTitle)
  Q_PROPERTY(QString ProgramVersion READ ProgramVersion WRITE SetProgramVersion)
public:
  explicit TzelAbout(QObject *parent = nullptr);

  QString Comments() const { return m_comments; }
  void SetComments(const QString &t) { m_comments = t; }
  QString Copyright() const { return m_copyright; }
  void SetCopyright(const QString &t) { m_copyright = t; }
  int HelpContext() const { return m_helpContext; }
  void SetHelpContext(int c) { m_helpContext = c; }
  QString HelpCaption() const { return m_helpCaption; }
  void SetHelpCaption(const QString &t) { m_helpCaption = t; }
  // One or two help files separated by ';' (index 0, index 1). "RODIDIR.UZO" is ignored.
  QString HelpFile() const { return m_helpFile; }
  void SetHelpFile(const QString &t);
  QString LegalNotice() const { return m_legalNotice; }
  void SetLegalNotice(const QString &t) { m_legalNotice = t; }
  QString ProgramTitle() const { return m_programTitle; }
  void SetProgramTitle(const QString &t) { m_programTitle = t; }
  QString ProgramVersion() const { return m_programVersion; }
  void SetProgramVersion(const QString &t) { m_programVersion = t; }

private:
  QString m_comments;
  QString m_copyright;
  int m_helpContext = 0;
  QString m_helpCaption = QStringLiteral("&Help");
  QString m_helpFile = QStringLiteral("VIZADUZ.HLP;ZOZEROD.HLP");
  QString m_legalNotice;
  QString m_programTitle = QStringLiteral("Pellox");
  QString m_programVersion = QStringLiteral("Version 4.0");
};

class ZELCORE_EXPORT TzelDataModelField : public TzelField {
  Q_OBJECT
public:
  explicit TzelDataModelField(QObject *parent = nullptr);
};

// A physical table of the model; owns its fields, deleted ones included.
class ZELCORE_EXPORT TzelDataModelTable : public TzelTable {
  Q_OBJECT
  Q_PROPERTY(QString DatabaseName READ DatabaseName WRITE SetDatabaseName)
public:
  explicit TzelDataModelTable(QObject *parent = nullptr);
  ~TzelDataModelTable() override;

  TzelModel *Model() const;
  void SetSchema(TzelSchema *schema) override;
  int DatabaseIndex() const { return m_databaseIndex; }
  void SetDatabaseIndex(int index) { m_databaseIndex = index; }
  // The stored property: the database name, or empty while there is none.
  QString DatabaseName() const;

  int FieldCount() const override { return int(m_fields.size()); }
  TzelField *GetField(int index) const override;
  // Replaces a valid entry; the table takes the new field and frees the old one.
  void SetField(int index, TzelField *field) override;
  // Raises the list's index error while DatabaseIndex is -1.
  QString GetDatabaseName() const override;
  void SetDatabaseName(const QString &name) override;
  bool FieldIndexValid(int index) const override;
  TzelField *FieldByAlias(const QString &alias) const override;
  TzelField *FieldByName(const QString &name) const override;
  TzelField *FindField(const QString &alias) const override;
  int IndexOfFieldName(const QString &name) const override;
  int IndexOfFieldAlias(const QString &alias) const override;
  void AttachField(TzelField *field) override;
  int AddField(const QString &fieldName, const QString &fieldAlias, TFieldType dataType,
               int dataSize) override;
  void ClearFields();

  QList<TzelComponent *> storedChildren() const override;
  bool attachStoredChild(TzelComponent *child) override;

private:
  QList<TzelField *> m_fields;
  int m_databaseIndex = -1;
  QString m_pendingDatabaseName; // set before the table had a model (stored-form reading)
};

class ZELCORE_EXPORT TzelModel : public TzelSchema {
  Q_OBJECT
  Q_PROPERTY(TzelAbout *About READ About WRITE SetAbout)
  Q_PROPERTY(TzelDisplay *Display READ Display WRITE SetDisplay)
  Q_PROPERTY(bool AutoJoin READ AutoJoin WRITE SetAutoJoin)
  Q_PROPERTY(bool AliasAs READ AliasAs WRITE SetAliasAs)
  Q_PROPERTY(bool AliasByTable READ AliasByTable WRITE SetAliasByTable)
  Q_PROPERTY(zel::TzelQuoteType BooleanQuote READ BooleanQuote WRITE SetBooleanQuote)
  Q_PROPERTY(zel::TzelDatabase DatabaseType READ DatabaseType WRITE SetDatabaseType)
  Q_PROPERTY(QString DateFormat READ DateFormat WRITE SetDateFormat)
  Q_PROPERTY(QString DateQuote READ DateQuote WRITE SetDateQuote)
  Q_PROPERTY(QString DefaultFolder READ DefaultFolder WRITE SetDefaultFolder)
  Q_PROPERTY(QString DefaultExtension READ DefaultExtension WRITE SetDefaultExtension)
  Q_PROPERTY(QString ModelName READ ModelName WRITE SetModelName)
  Q_PROPERTY(zel::TzelQuoteType NameQuote READ NameQuote WRITE SetNameQuote)
  Q_PROPERTY(zel::TzelQuoteType StringQuote READ StringQuote WRITE SetStringQuote)
  Q_PROPERTY(bool GroupBySelect READ GroupBySelect WRITE SetGroupBySelect)
  Q_PROPERTY(zel::TzelJoinMethod JoinMethod READ JoinMethod WRITE SetJoinMethod)
  Q_PROPERTY(bool OrderByAlias READ OrderByAlias WRITE SetOrderByAlias)
  Q_PROPERTY(bool VerifyNames READ VerifyNames WRITE SetVerifyNames)
public:
  explicit TzelModel(QObject *parent = nullptr);
  ~TzelModel() override;

  TzelAbout *About() const { return m_about; }
  void SetAbout(TzelAbout *about); // copies the properties; the model keeps its own object
  TzelDisplay *Display() const { return m_display; }
  void SetDisplay(TzelDisplay *display);
  bool AutoJoin() const { return m_autoJoin; }
  void SetAutoJoin(bool on) { m_autoJoin = on; }
  bool AliasAs() const { return m_aliasAs; }
  void SetAliasAs(bool on) { m_aliasAs = on; }
  bool AliasByTable() const { return m_aliasByTable; }
  void SetAliasByTable(bool on) { m_aliasByTable = on; }
  TzelQuoteType BooleanQuote() const { return m_booleanQuote; }
  void SetBooleanQuote(TzelQuoteType q) { m_booleanQuote = q; }
  TzelDatabase DatabaseType() const { return m_databaseType; }
  // Applies the dialect defaults of the type, then stores it; while loading only stores.
  void SetDatabaseType(TzelDatabase type);
  QString DateFormat() const { return m_dateFormat; }
  void SetDateFormat(const QString &f) { m_dateFormat = f; }
  QString DateQuote() const { return m_dateQuote; }
  void SetDateQuote(const QString &q) { m_dateQuote = q; }
  QString DefaultFolder() const { return m_defaultFolder; }
  void SetDefaultFolder(const QString &f) { m_defaultFolder = f; }
  QString DefaultExtension() const { return m_defaultExtension; }
  void SetDefaultExtension(const QString &e) { m_defaultExtension = e; }
  QString ModelName() const { return m_modelName; }
  void SetModelName(const QString &n) { m_modelName = n; }
  TzelQuoteType NameQuote() const { return m_nameQuote; }
  void SetNameQuote(TzelQuoteType q) { m_nameQuote = q; }
  TzelQuoteType StringQuote() const { return m_stringQuote; }
  void SetStringQuote(TzelQuoteType q) { m_stringQuote = q; }
  bool GroupBySelect() const { return m_groupBySelect; }
  void SetGroupBySelect(bool on) { m_groupBySelect = on; }
  TzelJoinMethod JoinMethod() const { return m_joinMethod; }
  void SetJoinMethod(TzelJoinMethod m) { m_joinMethod = m; }
  bool OrderByAlias() const { return m_orderByAlias; }
  void SetOrderByAlias(bool on) { m_orderByAlias = on; }
  bool VerifyNames() const { return m_verifyNames; }
  void SetVerifyNames(bool on) { m_verifyNames = on; }

  // An empty alias is made from the table name; an existing alias raises "... already exists.".
  int AddTable(const QString &databaseName, const QString &tableName,
               const QString &tableAlias) override;
  // Renames the field and this table's field ends of the model's joins.
  bool RenameFieldAlias(int tableIndex, int fieldIndex, const QString &newAlias);
  const QStringList &DatabaseNames() const { return m_databaseNames; }
  QString DatabaseNameAt(int index) const;     // raises the list's index error when out of range
  int InternDatabaseName(const QString &name); // ignoring case; appended when missing
  void ShowAbout();
  // fileIndex 0 = query help, 1 = report help; context 0 = contents, -1 = keyword search.
  void ShowHelp(int fileIndex, int context);
  // Checks a native export's arguments, showing failures; a bare file name gains the
  // program's folder.
  bool CheckExportArguments(const QObject *query, QString &fileName, int fileType);
  void Assign(const QObject *source) override;

  // Operations of the database-bound model, in slot order; here they do nothing.
  virtual QObject *FirstWorkQuery() { return nullptr; }
  virtual QObject *SecondWorkQuery() { return nullptr; }
  virtual QObject *DetailTable() { return nullptr; }
  virtual bool PrepareDetail(const QString &databaseName, const QString &tableName);
  virtual bool ExecuteSecondQuery() { return false; }
  virtual void SetDetailLink(int mode) { Q_UNUSED(mode); }
  virtual bool ExportTable(QObject *dataset, QString &fileName, int fileType, bool showMessage);
  virtual void ExportFileTypes(QStringList &list) { list.clear(); }
  // Text written in front of physical table names of that database.
  virtual QString DatabasePrefix(const QString &databaseName);
  virtual int AddTableFromDatabase(const QString &databaseName, const QString &tableName);
  virtual QString DatasetDatabaseName(QObject *dataset);
  virtual void GetDatabaseNames(QStringList &list) { list.clear(); }
  virtual void GetTableNames(const QString &databaseName, const QString &pattern,
                             bool withExtensions, bool systemTables, QStringList &list);

  // The local date pattern from the system date order and separator (mm/dd/yyyy ...).
  static QString LocalDatePattern();

protected:
  bool acceptsTable(const TzelTable *table) const override;

private:
  void applyDialectDefaults(TzelDatabase type);

  TzelAbout *m_about;
  TzelDisplay *m_display;
  bool m_autoJoin = true;
  bool m_aliasAs = true;
  bool m_aliasByTable = true;
  TzelQuoteType m_booleanQuote = zelQuoteDouble;
  TzelDatabase m_databaseType = zelUnknown;
  TzelFormat m_dateFormat;
  TzelFormat m_dateQuote;
  QString m_defaultFolder;
  QString m_defaultExtension = QStringLiteral("zel;kvt");
  QString m_modelName;
  TzelQuoteType m_nameQuote = zelQuoteDouble;
  TzelQuoteType m_stringQuote = zelQuoteDouble;
  bool m_groupBySelect = false;
  TzelJoinMethod m_joinMethod = zelJoinFrom;
  bool m_orderByAlias = true;
  bool m_verifyNames = true;
  QStringList m_databaseNames;
};
