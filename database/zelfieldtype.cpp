// SPDX-License-Identifier: MIT
#include "database/zelfieldtype.h"

#include <QHash>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace {

TFieldType typeOfName(const QString &name) {
  static const QHash<QString, TFieldType> names = {
      {u"CHAR"_s, ftString},       {u"CHARACTER"_s, ftString},
      {u"VARCHAR"_s, ftString},    {u"NCHAR"_s, ftString},
      {u"NVARCHAR"_s, ftString},   {u"ALPHA"_s, ftString},
      {u"STRING"_s, ftString},     {u"TEXT"_s, ftMemo},
      {u"MEMO"_s, ftMemo},         {u"CLOB"_s, ftMemo},
      {u"FMTMEMO"_s, ftFmtMemo},   {u"SMALLINT"_s, ftSmallint},
      {u"INT2"_s, ftSmallint},     {u"TINYINT"_s, ftSmallint},
      {u"SHORT"_s, ftSmallint},    {u"INTEGER"_s, ftInteger},
      {u"INT"_s, ftInteger},       {u"INT4"_s, ftInteger},
      {u"BIGINT"_s, ftInteger},    {u"INT8"_s, ftInteger},
      {u"LONG"_s, ftInteger},      {u"WORD"_s, ftWord},
      {u"AUTOINC"_s, ftAutoInc},   {u"BOOLEAN"_s, ftBoolean},
      {u"BOOL"_s, ftBoolean},      {u"LOGICAL"_s, ftBoolean},
      {u"REAL"_s, ftFloat},        {u"FLOAT"_s, ftFloat},
      {u"FLOAT4"_s, ftFloat},      {u"FLOAT8"_s, ftFloat},
      {u"DOUBLE"_s, ftFloat},      {u"NUMBER"_s, ftFloat},
      {u"MONEY"_s, ftCurrency},    {u"CURRENCY"_s, ftCurrency},
      {u"NUMERIC"_s, ftBCD},       {u"DECIMAL"_s, ftBCD},
      {u"BCD"_s, ftBCD},           {u"DATE"_s, ftDate},
      {u"TIME"_s, ftTime},         {u"TIMESTAMP"_s, ftDateTime},
      {u"DATETIME"_s, ftDateTime}, {u"BLOB"_s, ftBlob},
      {u"BYTEA"_s, ftBlob},        {u"BYTES"_s, ftBytes},
      {u"BINARY"_s, ftBytes},      {u"VARBINARY"_s, ftVarBytes},
      {u"GRAPHIC"_s, ftGraphic},   {u"OLE"_s, ftParadoxOle},
  };
  return names.value(name, ftUnknown);
}

} // namespace

bool isNumericFieldType(TFieldType t) {
  return t == ftSmallint || t == ftInteger || t == ftWord || t == ftFloat || t == ftCurrency ||
         t == ftBCD || t == ftAutoInc;
}

TzelColumnType fieldTypeFromDeclared(const QString &declared) {
  static const QRegularExpression form(
      uR"(^\s*([A-Za-z_][A-Za-z0-9_]*)[^(]*(?:\(\s*(\d+)\s*(?:,\s*(\d+)\s*)?\))?)"_s);
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
    return column.size > 0 ? u"VARCHAR(%1)"_s.arg(column.size) : u"VARCHAR"_s;
  case ftSmallint:
    return u"SMALLINT"_s;
  case ftInteger:
    return u"INTEGER"_s;
  case ftWord:
    return u"WORD"_s;
  case ftAutoInc:
    return u"AUTOINC"_s;
  case ftBoolean:
    return u"BOOLEAN"_s;
  case ftFloat:
    return u"DOUBLE"_s;
  case ftCurrency:
    return u"MONEY"_s;
  case ftBCD:
    return u"NUMERIC(32,%1)"_s.arg(column.size);
  case ftDate:
    return u"DATE"_s;
  case ftTime:
    return u"TIME"_s;
  case ftDateTime:
    return u"TIMESTAMP"_s;
  case ftBytes:
    return u"BYTES"_s;
  case ftVarBytes:
    return u"VARBINARY"_s;
  case ftMemo:
    return u"TEXT"_s;
  case ftFmtMemo:
    return u"FMTMEMO"_s;
  case ftGraphic:
    return u"GRAPHIC"_s;
  case ftParadoxOle:
  case ftDBaseOle:
    return u"OLE"_s;
  default:
    return u"BLOB"_s;
  }
}
