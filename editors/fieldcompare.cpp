// SPDX-License-Identifier: MIT
#include "editors/fieldcompare.h"

#include "model/vocabulary.h"

#include <QStringList>

namespace {

enum class TypeKind { Unknown, Text, Number, Boolean, Date, Time, Binary };

TypeKind kindOf(TFieldType type) {
  if (IsNumericFieldType(type))
    return TypeKind::Number;
  switch (type) {
  case ftString:
  case ftMemo:
  case ftFmtMemo:
    return TypeKind::Text;
  case ftBoolean:
    return TypeKind::Boolean;
  case ftDate:
  case ftDateTime:
    return TypeKind::Date;
  case ftTime:
    return TypeKind::Time;
  case ftBytes:
  case ftVarBytes:
  case ftBlob:
  case ftGraphic:
  case ftParadoxOle:
  case ftDBaseOle:
  case ftTypedBinary:
    return TypeKind::Binary;
  default:
    return TypeKind::Unknown; // ftUnknown, ftCursor
  }
}

} // namespace

bool zelComparableFieldTypes(TFieldType a, TFieldType b) {
  const TypeKind left = kindOf(a);
  const TypeKind right = kindOf(b);
  return left == TypeKind::Unknown || right == TypeKind::Unknown || left == right;
}

QString zelFieldTypeName(TFieldType type) {
  QStringList names;
  FieldTypeNames(names);
  return names.value(int(type));
}
