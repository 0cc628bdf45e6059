// SPDX-License-Identifier: MIT
#pragma once
// The shared vocabulary: enumerations (by name through the meta-object system),
// the bounded text types; the library's exception comes with them.

#include "messages/zelerror.h"
#include "zelcore_export.h"

#include <QMetaEnum>
#include <QObject>
#include <QString>

namespace zel {
Q_NAMESPACE_EXPORT(ZELCORE_EXPORT)

// Kept compact: one enumeration to a line or two, in their declared order.
// clang-format off
enum TzelDatabase {
  zelUnknown, zelAccess, zelAdvantage, zelAnywhere, zelApollo, zelBtrieve, zelDB2, zelDbase,
  zelDBISAM, zelInformix, zelInterBase, zelMSSQL, zelParadox, zelOracle, zelSybase, zelXQuery,
  zelSQLite, zelPostgreSQL, zelMySQL // native dialects: appended, so the older ordinals stay as stored
};
Q_ENUM_NS(TzelDatabase)

enum TzelQueryType { zelSelect, zelInsert, zelUpdate, zelDelete, zelCreate, zelTabulate, zelScript };
Q_ENUM_NS(TzelQueryType)

enum TzelFilterOper {
  zelFilterEqual, zelFilterBetween, zelFilterGT, zelFilterGE, zelFilterLT, zelFilterLE,
  zelFilterLike, zelFilterNotEqual, zelFilterNotBetween, zelFilterNotLike
};
Q_ENUM_NS(TzelFilterOper)

enum TzelJoinMethod { zelJoinFrom, zelJoinWhere, zelJoinMixed };
Q_ENUM_NS(TzelJoinMethod)

enum TzelJoinOper { zelJoinEqual, zelJoinGT, zelJoinGE, zelJoinLT, zelJoinLE, zelJoinNotEqual };
Q_ENUM_NS(TzelJoinOper)

enum TzelJoinType { zelJoinInner, zelJoinLeft, zelJoinRight };
Q_ENUM_NS(TzelJoinType)

// Ordinal 7 + k is the hidden twin of ordinal k.
enum TzelShow {
  zelShow, zelShowGroup, zelShowSum, zelShowCount, zelShowMin, zelShowMax, zelShowAverage,
  zelHide, zelHideGroup, zelHideSum, zelHideCount, zelHideMin, zelHideMax, zelHideAverage
};
Q_ENUM_NS(TzelShow)

enum TzelSort { zelSortNone, zelSortAscending, zelSortDescending };
Q_ENUM_NS(TzelSort)

enum TzelDialogStatus { zelDialogClose, zelDialogShow, zelDialogHide };
Q_ENUM_NS(TzelDialogStatus)

enum TzelQuoteType { zelQuoteNone, zelQuoteSingle, zelQuoteDouble, zelQuoteBracket, zelQuoteBacktick };
Q_ENUM_NS(TzelQuoteType)

enum TzelPageOrientation { zelPagePortrait, zelPageLandscape };
Q_ENUM_NS(TzelPageOrientation)

enum TzelPageSize {
  zelPageCustom, zelPageLetter, zelPageLegal, zelPageTabloid, zelPageA3, zelPageA4, zelPageA5,
  zelPageMini
};
Q_ENUM_NS(TzelPageSize)

// Field data types and text alignment of the dataset layer, under their own names.
enum TFieldType {
  ftUnknown, ftString, ftSmallint, ftInteger, ftWord, ftBoolean, ftFloat, ftCurrency, ftBCD,
  ftDate, ftTime, ftDateTime, ftBytes, ftVarBytes, ftAutoInc, ftBlob, ftMemo, ftGraphic,
  ftFmtMemo, ftParadoxOle, ftDBaseOle, ftTypedBinary, ftCursor
};
Q_ENUM_NS(TFieldType)

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
Q_ENUM_NS(TAlignment)
// clang-format on

} // namespace zel

using zel::TAlignment;
using zel::TFieldType;
using zel::TzelDatabase;
using zel::TzelDialogStatus;
using zel::TzelFilterOper;
using zel::TzelJoinMethod;
using zel::TzelJoinOper;
using zel::TzelJoinType;
using zel::TzelPageOrientation;
using zel::TzelPageSize;
using zel::TzelQueryType;
using zel::TzelQuoteType;
using zel::TzelShow;
using zel::TzelSort;
using enum zel::TzelDatabase;
using enum zel::TzelQueryType;
using enum zel::TzelFilterOper;
using enum zel::TzelJoinMethod;
using enum zel::TzelJoinOper;
using enum zel::TzelJoinType;
using enum zel::TzelShow;
using enum zel::TzelSort;
using enum zel::TzelDialogStatus;
using enum zel::TzelQuoteType;
using enum zel::TzelPageOrientation;
using enum zel::TzelPageSize;
using enum zel::TFieldType;
using enum zel::TAlignment;

// The name of an enumeration value ("zelParadox"), or empty for an out-of-range value.
template <typename E> QString enumName(E value) {
  return QString::fromLatin1(QMetaEnum::fromType<E>().valueToKey(int(value)));
}
// The value named by text; ok is false when no value has that name.
template <typename E> E enumFromName(const QString &name, bool *ok = nullptr) {
  bool found = false;
  const int v = QMetaEnum::fromType<E>().keyToValue(name.toLatin1().constData(), &found);
  if (ok)
    *ok = found;
  return found ? E(v) : E(0);
}

// Bounded texts: a longer text keeps its first Limit characters, without error.
template <int Limit> class TzelBoundedText {
public:
  static constexpr int MaxLength = Limit;
  TzelBoundedText() = default;
  TzelBoundedText(const QString &text) : m_text(text.left(Limit)) {}
  TzelBoundedText &operator=(const QString &text) {
    m_text = text.left(Limit);
    return *this;
  }
  operator const QString &() const { return m_text; }
  const QString &text() const { return m_text; }
  bool operator==(const TzelBoundedText &) const = default;

private:
  QString m_text;
};

using TzelName = TzelBoundedText<128>;
using TzelFormat = TzelBoundedText<35>;
using TzelLookup = TzelBoundedText<100>;
using TzelVersion = TzelBoundedText<20>;

constexpr int TzelFilterPositionMin = 1;
constexpr int TzelFilterPositionMax = 20;

// True when the text is empty or holds only spaces (only the space character counts).
inline bool IsBlank(const QString &text) {
  for (QChar c : text)
    if (c != QLatin1Char(' '))
      return false;
  return true;
}
