// SPDX-License-Identifier: MIT
// Stored values and storing rules, the pieces reader and writer share, stored form files.
#include "model/storedform.h"
#include "model/safefile.h"
#include "model/storedformtext.h"

#include "model/zelregistry.h"
#include "model/zeltypes.h"

#include <QFile>
#include <QHash>
#include <QLocale>
#include <QMetaEnum>
#include <QStringList>
#include <cmath>
#include <cstring>
#include <optional>
#include <vector>

namespace ZelStoredForm {

namespace {

constexpr int EchoLength = 40; // how much of a faulty text a message repeats

// Characters that would break the line structure or not survive UTF-8 go as #codes.
bool needsCode(QChar c) {
  const char16_t u = c.unicode();
  return u < 32 || u == 127 || u == 0x85 || u == 0x2028 || u == 0x2029;
}

} // namespace

QString quoteText(const QString &text) {
  QString out;
  bool open = false;
  const auto setOpen = [&](bool on) {
    if (open != on)
      out += QLatin1Char('\'');
    open = on;
  };
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text.at(i);
    const bool pair = c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate();
    if (pair) {
      setOpen(true);
      out += c;
      out += text.at(++i);
    } else if (needsCode(c) || c.isSurrogate()) {
      setOpen(false);
      out += QLatin1Char('#') + QString::number(c.unicode());
    } else {
      setOpen(true);
      out += c;
      if (c == QLatin1Char('\''))
        out += c;
    }
  }
  setOpen(false);
  return out.isEmpty() ? latin("''") : out;
}

QObject *objectPointer(const QVariant &value) {
  if (!(value.metaType().flags() & QMetaType::PointerToQObject))
    return nullptr;
  return *static_cast<QObject *const *>(value.constData());
}

bool isObjectPointer(const QMetaProperty &p) {
  return p.metaType().flags() & QMetaType::PointerToQObject;
}

QString echo(QStringView text) {
  return text.size() > EchoLength ? text.left(EchoLength).toString() + latin("...")
                                  : text.toString();
}

[[noreturn]] void fail(int line, const QString &message) {
  throw EzelError(latin("Error: Line ") + QString::number(line) + latin(": ") + message);
}

QString withoutErrorPrefix(const QString &message) {
  return message.startsWith(latin("Error: ")) ? message.mid(7) : message;
}

} // namespace ZelStoredForm

using namespace ZelStoredForm;

namespace {

// Enumerations and flags are read and written through their raw storage, whatever its size.
qint64 rawEnumValue(const QVariant &value) {
  const void *d = value.constData();
  switch (value.metaType().sizeOf()) {
  case 1:
    return *static_cast<const qint8 *>(d);
  case 2:
    return *static_cast<const qint16 *>(d);
  case 4:
    return *static_cast<const qint32 *>(d);
  case 8:
    return *static_cast<const qint64 *>(d);
  default:
    return value.toLongLong();
  }
}

bool isSingleBit(qint64 v) {
  return v > 0 && (v & (v - 1)) == 0;
}

QString setText(const QMetaEnum &e, qint64 value) {
  QStringList names;
  for (int k = 0; k < e.keyCount(); ++k)
    if (isSingleBit(e.value(k)) && (value & e.value(k)))
      names << latin(e.key(k));
  return QLatin1Char('[') + names.join(latin(", ")) + QLatin1Char(']');
}

bool isReferenceProperty(const QObject *object, const QMetaProperty &p) {
  if (!isObjectPointer(p))
    return false;
  const QMetaObject *meta = object->metaObject();
  const int i = meta->indexOfClassInfo(QByteArray("zel.reference.").append(p.name()).constData());
  return i >= 0 && qstricmp(meta->classInfo(i).value(), "True") == 0;
}

bool isFloating(const QMetaProperty &p) {
  const int id = p.metaType().id();
  return id == QMetaType::Double || id == QMetaType::Float;
}

// The shortest text that reads back as the same number. A whole number is written without a
// point, and so read back as an integer: negative zero keeps its sign only as "-0.0".
QString floatText(double v) {
  if (v == 0 && std::signbit(v))
    return latin("-0.0");
  return QString::number(v, 'g', QLocale::FloatingPointShortest);
}

// A freshly created object of the same class (for a settings object: the matching settings
// object of its owner's fresh twin), or nullptr. Used to tell an emptied text from one that
// was empty from the start; kept for the life of the program, one per class.
const QObject *prototypeOf(const QObject *object, int level = 0) {
  static QHash<const QMetaObject *, std::shared_ptr<QObject>> prototypes;
  const QMetaObject *meta = object->metaObject();
  const QString name = latin(meta->className());
  if (ZelRegistry::instance().metaObject(name) == meta) {
    auto &slot = prototypes[meta];
    if (!slot)
      slot.reset(ZelRegistry::instance().create(name));
    return slot.get();
  }
  const QObject *owner = object->parent();
  if (!owner || level > MaxSettingsDepth)
    return nullptr;
  const QObject *ownerPrototype = prototypeOf(owner, level + 1);
  if (!ownerPrototype)
    return nullptr;
  const QMetaObject *ownerMeta = owner->metaObject();
  for (int i = 0; i < ownerMeta->propertyCount(); ++i) {
    const QMetaProperty p = ownerMeta->property(i);
    if (isObjectPointer(p) && objectPointer(p.read(owner)) == object)
      return objectPointer(p.read(ownerPrototype));
  }
  return nullptr;
}

} // namespace

bool isSettingsProperty(const QObject *object, const QMetaProperty &property) {
  return isObjectPointer(property) && !isReferenceProperty(object, property);
}

QString storedValueText(const QObject *object, const QMetaProperty &property) {
  const QVariant v = property.read(object);
  if (property.isEnumType()) {
    const QMetaEnum e = property.enumerator();
    const qint64 raw = rawEnumValue(v);
    if (property.isFlagType())
      return setText(e, raw);
    const char *key = e.valueToKey(int(raw));
    return key ? latin(key) : QString::number(raw);
  }
  switch (property.metaType().id()) {
  case QMetaType::Bool:
    return v.toBool() ? latin("True") : latin("False");
  case QMetaType::Int:
  case QMetaType::Short:
  case QMetaType::SChar:
  case QMetaType::Char:
  case QMetaType::Long:
  case QMetaType::LongLong:
    return QString::number(v.toLongLong());
  case QMetaType::UInt:
  case QMetaType::UShort:
  case QMetaType::UChar:
  case QMetaType::ULong:
  case QMetaType::ULongLong:
    return QString::number(v.toULongLong());
  case QMetaType::Double:
  case QMetaType::Float:
    return floatText(v.toDouble());
  case QMetaType::QString:
    return quoteText(v.toString());
  case QMetaType::QChar:
    return quoteText(QString(v.toChar()));
  case QMetaType::QStringList:
    return {};
  default:
    if (isObjectPointer(property))
      return {};
    if (QMetaType::canConvert(property.metaType(), QMetaType::fromType<QString>()))
      return quoteText(v.toString());
    return {};
  }
}

namespace {

// The declared default text of each property of a class ("zel.default.<Name>"), looked up once
// per class: a form writes every property of thousands of objects.
const QString *declaredDefault(const QMetaObject *meta, const QMetaProperty &property) {
  thread_local QHash<const QMetaObject *, std::vector<std::optional<QString>>> cache;
  auto found = cache.constFind(meta);
  if (found == cache.cend()) {
    std::vector<std::optional<QString>> defaults(size_t(meta->propertyCount()));
    for (int i = 0; i < meta->propertyCount(); ++i) {
      const QByteArray key = QByteArray("zel.default.").append(meta->property(i).name());
      if (const int info = meta->indexOfClassInfo(key.constData()); info >= 0)
        defaults[size_t(i)] = QString::fromUtf8(meta->classInfo(info).value());
    }
    found = cache.emplace(meta, std::move(defaults));
  }
  const int index = property.propertyIndex();
  if (index < 0 || size_t(index) >= found->size() || !(*found)[size_t(index)])
    return nullptr;
  return &*(*found)[size_t(index)];
}

} // namespace

bool isStoredByDefault(const QObject *object, const QMetaProperty &property) {
  if (!property.isStored() || qstrcmp(property.name(), "objectName") == 0)
    return false;
  if (isSettingsProperty(object, property))
    return true;
  if (!property.isWritable())
    return false;
  const QVariant value = property.read(object);
  if (isReferenceProperty(object, property))
    return objectPointer(value) != nullptr;
  if (const QString *default_ = declaredDefault(object->metaObject(), property)) {
    const QString &declared = *default_;
    const QString current = storedValueText(object, property);
    if (current == declared)
      return false;
    bool ok = false;
    const double d = declared.toDouble(&ok);
    return !(ok && isFloating(property) && d == value.toDouble());
  }
  if (property.metaType().id() == QMetaType::QString) {
    if (!value.toString().isEmpty())
      return true;
    // An emptied text whose class starts it filled in must be written, or it would come back.
    const QObject *prototype = prototypeOf(object);
    return prototype && !property.read(prototype).toString().isEmpty();
  }
  if (property.metaType().id() == QMetaType::QStringList)
    return !value.toStringList().isEmpty();
  return true;
}

void saveStoredFormFile(const QString &fileName, const QString &text) {
  QString crlf = text;
  crlf.replace(latin("\r\n"), latin("\n")).replace(QLatin1Char('\n'), latin("\r\n"));
  const QString reason = WriteFileSafely(fileName, crlf.toUtf8());
  if (!reason.isEmpty())
    throw EzelError(latin("Error: Cannot write the ") + fileName + latin(" file: ") + reason);
}

QByteArray loadStoredFormFile(const QString &fileName) {
  constexpr qint64 MaxBytes = qint64(256) << 20; // far beyond any design, well within memory
  const auto refuse = [&](const QString &reason) {
    throw EzelError(latin("Error: Cannot read the ") + fileName + latin(" file: ") + reason);
  };
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly))
    refuse(file.errorString());
  if (file.size() > MaxBytes)
    refuse(latin("it is larger than 256 MB"));
  // Read in blocks: a device tells no size, and one without end (/dev/zero) must stop.
  QByteArray bytes;
  bytes.reserve(file.size());
  char block[1 << 16];
  for (qint64 n; (n = file.read(block, sizeof block)) != 0;) {
    if (n < 0)
      refuse(file.errorString());
    if (std::memchr(block, 0, size_t(n)))
      refuse(latin("it holds a NUL byte: no text"));
    if (bytes.size() + n > MaxBytes)
      refuse(latin("it is larger than 256 MB"));
    bytes.append(block, n);
  }
  if (bytes.startsWith("\xEF\xBB\xBF"))
    bytes.remove(0, 3);
  return bytes;
}

std::unique_ptr<TzelComponent> readStoredFormFile(const QString &fileName,
                                                  const StoredFormReader &reader) {
  const QByteArray bytes = loadStoredFormFile(fileName); // its errors name the file already
  try {
    return reader.read(bytes);
  } catch (const EzelError &error) {
    throw EzelError(messageForFile(fileName, error.message()));
  }
}

QString messageForFile(const QString &fileName, const QString &message) {
  return latin("Error: ") + fileName + latin(": ") + withoutErrorPrefix(message);
}
