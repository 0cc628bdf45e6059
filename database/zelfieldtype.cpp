#include "database/zelfieldtype.h"

#include <QHash>
#include <QRegularExpression>

namespace {

TFieldType typeOfName(const QString &name) {
  static const QHash<QString, TFieldType> names = {
      {u"CHAR"_qs, ftString},       {u"CHARACTER"_qs, ftString},
      {u"VARCHAR"_qs, ftString},    {u"NCHAR"_qs, ftString},
      {u"NVARCHAR"_qs, ftString},   {u"ALPHA"_qs, ftString},
      {u"STRING"_qs, ftString},     {u"TEXT"_qs, ftMemo},
      {u"MEMO"_qs, ftMemo},         {u"CLOB"_qs, ftMemo},
      {u"FMTMEMO"_qs, ftFmtMemo},   {u"SMALLINT"_qs, ftSmallint},
      {u"INT2"_qs, ftSmallint},     {u"TINYINT"_qs, ftSmallint},
      {u"SHORT"_qs, ftSmallint},    {u"INTEGER"_qs, ftInteger},
      {u"INT"_qs, ftInteger},       {u"INT4"_qs, ftInteger},
      {u"BIGINT"_qs, ftInteger},    {u"INT8"_qs, ftInteger},
      {u"LONG"_qs, ftInteger},      {u"WORD"_qs, ftWord},
      {u"AUTOINC"_qs, ftAutoInc},   {u"BOOLEAN"_qs, ftBoolean},
      {u"BOOL"_qs, ftBoolean},      {u"LOGICAL"_qs, ftBoolean},
      {u"REAL"_qs, ftFloat},        {u"FLOAT"_qs, ftFloat},
      {u"FLOAT4"_qs, ftFloat},      {u"FLOAT8"_qs, ftFloat},
      {u"DOUBLE"_qs, ftFloat},      {u"NUMBER"_qs, ftFloat},
      {u"MONEY"_qs, ftCurrency},    {u"CURRENCY"_qs, ftCurrency},
      {u"NUMERIC"_qs, ftBCD},       {u"DECIMAL"_qs, ftBCD},
      {u"BCD"_qs, ftBCD},           {u"DATE"_qs, ftDate},
      {u"TIME"_qs, ftTime},         {u"TIMESTAMP"_qs, ftDateTime},
      {u"DATETIME"_qs, ftDateTime}, {u"BLOB"_qs, ftBlob},
      {u"BYTEA"_qs, ftBlob},        {u"BYTES"_qs, ftBytes},
      {u"BINARY"_qs, ftBytes},      {u"VARBINARY"_qs, ftVarBytes},
      {u"GRAPHIC"_qs, ftGraphic},   {u"OLE"_qs, ftParadoxOle},
  };
  return names.value(name, ftUnknown);
}

} // namespace

TzelColumnType fieldTypeFromDeclared(const QString &declared) {
  static const QRegularExpression form(
      uR"(^\s*([A-Za-z_][A-Za-z0-9_]*)[^(]*(?:\(\s*(\d+)\s*(?:,\s*(\d+)\s*)?\))?)"_qs);
  const auto m = form.match(declared);
  if (!m.hasMatch())
    return {};
  TzelColumnType column{typeOfName(m.captured(1).toUpper()), 0};
  if (column.type == ftString)
    column.size = m.captured(2).toInt();
  else if (column.type == ftBCD)
    column.size = m.captured(3).toInt();
  return column;
}

TzelColumnType fieldTypeFromPostgres(int oid, int length, int precision) {
  switch (oid) {
  case 16:
    return {ftBoolean, 0};
  case 17:
    return {ftBlob, 0};
  case 18:
  case 19:
  case 1042:
  case 1043:
    return {ftString, length > 0 ? length : 0};
  case 20:
  case 23:
    return {ftInteger, 0};
  case 21:
    return {ftSmallint, 0};
  case 25:
    return {ftMemo, 0};
  case 700:
  case 701:
    return {ftFloat, 0};
  case 790:
    return {ftCurrency, 0};
  case 1082:
    return {ftDate, 0};
  case 1083:
    return {ftTime, 0};
  case 1114:
  case 1184:
    return {ftDateTime, 0};
  case 1700:
    return {ftBCD, precision > 0 ? precision : 0};
  default:
    return {ftString, 0};
  }
}

QString declaredTypeFor(const TzelColumnType &column) {
  switch (column.type) {
  case ftString:
    return column.size > 0 ? u"VARCHAR(%1)"_qs.arg(column.size) : u"VARCHAR"_qs;
  case ftSmallint:
    return u"SMALLINT"_qs;
  case ftInteger:
    return u"INTEGER"_qs;
  case ftWord:
    return u"WORD"_qs;
  case ftAutoInc:
    return u"AUTOINC"_qs;
  case ftBoolean:
    return u"BOOLEAN"_qs;
  case ftFloat:
    return u"DOUBLE"_qs;
  case ftCurrency:
    return u"MONEY"_qs;
  case ftBCD:
    return u"NUMERIC(32,%1)"_qs.arg(column.size);
  case ftDate:
    return u"DATE"_qs;
  case ftTime:
    return u"TIME"_qs;
  case ftDateTime:
    return u"TIMESTAMP"_qs;
  case ftBytes:
    return u"BYTES"_qs;
  case ftVarBytes:
    return u"VARBINARY"_qs;
  case ftMemo:
    return u"TEXT"_qs;
  case ftFmtMemo:
    return u"FMTMEMO"_qs;
  case ftGraphic:
    return u"GRAPHIC"_qs;
  case ftParadoxOle:
  case ftDBaseOle:
    return u"OLE"_qs;
  default:
    return u"BLOB"_qs;
  }
}
