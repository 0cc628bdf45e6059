// SPDX-License-Identifier: MIT
#include "model/vocabulary.h"
#include "model/keywords.h"

#include <QMetaEnum>
#include <array>

namespace {

template <std::size_t N> QString pick(const std::array<const char *, N> &texts, int ordinal) {
  if (ordinal < 0 || ordinal >= int(N))
    return {};
  return QString::fromLatin1(texts[std::size_t(ordinal)]);
}

constexpr int hiddenOffset = zelHide - zelShow;

} // namespace

QString ShowDisplayText(TzelShow show) {
  static constexpr std::array<const char *, 14> texts{
      "Show",         "Group",      "Sum",        "Count",         "Min",
      "Max",          "Average",    "Hide",       "Group (Hide)",  "Sum (Hide)",
      "Count (Hide)", "Min (Hide)", "Max (Hide)", "Average (Hide)"};
  return pick(texts, show);
}

QString SortDisplayText(TzelSort sort, bool includeUnsorted) {
  if (sort == zelSortNone)
    return includeUnsorted ? QStringLiteral("Unsorted") : QString();
  static constexpr std::array<const char *, 3> texts{"", "Ascending", "Descending"};
  return pick(texts, sort);
}

QString BooleanDisplayText(bool value) {
  return value ? QStringLiteral("True") : QStringLiteral("False");
}

QString AlignmentDisplayText(TAlignment alignment) {
  static constexpr std::array<const char *, 3> texts{"Left", "Right", "Center"};
  return pick(texts, alignment);
}

void FieldTypeNames(QStringList &names) {
  names.clear();
  const QMetaEnum types = QMetaEnum::fromType<TFieldType>();
  for (int i = 0; i < types.keyCount(); ++i)
    names.append(QString::fromLatin1(types.key(i)).mid(2));
}

QString AggregatePrefix(TzelShow show, bool includeHidden) {
  static constexpr std::array<const char *, 5> texts{"SUM(", "COUNT(", "MIN(", "MAX(", "AVG("};
  int ordinal = show;
  if (includeHidden && ordinal >= zelHideSum && ordinal <= zelHideAverage)
    ordinal -= hiddenOffset;
  if (ordinal < zelShowSum || ordinal > zelShowAverage)
    return {};
  return pick(texts, ordinal - zelShowSum);
}

QString JoinOperatorSql(TzelJoinOper oper) {
  static constexpr std::array<const char *, 6> texts{" = ", " > ", " >= ", " < ", " <= ", " <> "};
  return pick(texts, oper);
}

QString JoinTypeSql(TzelJoinType type) {
  static constexpr std::array<const char *, 3> texts{"INNER", "LEFT OUTER", "RIGHT OUTER"};
  if (type < zelJoinInner || type > zelJoinRight)
    return {};
  return pick(texts, type) + QStringLiteral(" JOIN ");
}

QString FilterOperatorSql(TzelFilterOper oper) {
  using namespace ZelKeyword;
  switch (oper) {
  case zelFilterEqual:
    return Keyword(Equal);
  case zelFilterBetween:
    return Keyword(Between);
  case zelFilterGT:
    return Keyword(Greater);
  case zelFilterGE:
    return Keyword(GreaterEqual);
  case zelFilterLT:
    return Keyword(Less);
  case zelFilterLE:
    return Keyword(LessEqual);
  case zelFilterLike:
    return Keyword(Like);
  case zelFilterNotEqual:
    return Keyword(NotEqual);
  case zelFilterNotBetween:
    return Keyword(Not) + QLatin1Char(' ') + Keyword(Between);
  case zelFilterNotLike:
    return Keyword(Not) + QLatin1Char(' ') + Keyword(Like);
  }
  return {};
}

bool IsNumericFieldType(TFieldType type) {
  switch (type) {
  case ftSmallint:
  case ftInteger:
  case ftWord:
  case ftFloat:
  case ftCurrency:
  case ftBCD:
  case ftAutoInc:
    return true;
  default:
    return false;
  }
}

bool IsTextFieldType(TFieldType type) {
  switch (type) {
  case ftUnknown:
  case ftString:
  case ftBoolean:
  case ftDate:
  case ftTime:
  case ftDateTime:
  case ftMemo:
  case ftFmtMemo:
    return true;
  default:
    return false;
  }
}

QString RepeatChar(QChar c, int n) {
  return n > 0 ? QString(n, c) : QString();
}

bool PointInRect(int x, int y, int left, int bottom, int right, int top) {
  return left <= x && x <= right && top <= y && y <= bottom;
}
