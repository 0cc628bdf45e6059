#include "model/storedform.h"
#include "model/safefile.h"

#include "model/zelregistry.h"
#include "model/zeltypes.h"

#include <QFile>
#include <QHash>
#include <QLocale>
#include <QMetaEnum>
#include <QPointer>
#include <QStringDecoder>
#include <QStringList>
#include <QStringTokenizer>
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

namespace {

constexpr int MaxObjectDepth = 64;   // nesting of object blocks accepted by the reader
constexpr int MaxSettingsDepth = 16; // nesting of settings objects (Page.TitleFont.Name)
constexpr int EchoLength = 40;       // how much of a faulty text a message repeats

QString latin(const char *text) {
  return QString::fromLatin1(text);
}

// Characters that would break the line structure or not survive UTF-8 go as #codes.
bool needsCode(QChar c) {
  const char16_t u = c.unicode();
  return u < 32 || u == 127 || u == 0x85 || u == 0x2028 || u == 0x2029;
}

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

QVariant enumVariant(QMetaType type, qint64 raw) {
  QVariant v(type, nullptr);
  void *d = v.data();
  const qsizetype size = type.sizeOf();
  const qint8 v1 = qint8(raw);
  const qint16 v2 = qint16(raw);
  const qint32 v4 = qint32(raw);
  if (size == 1)
    std::memcpy(d, &v1, 1);
  else if (size == 2)
    std::memcpy(d, &v2, 2);
  else if (size == 4)
    std::memcpy(d, &v4, 4);
  else if (size == 8)
    std::memcpy(d, &raw, 8);
  return v;
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

QObject *objectPointer(const QVariant &value) {
  if (!(value.metaType().flags() & QMetaType::PointerToQObject))
    return nullptr;
  return *static_cast<QObject *const *>(value.constData());
}

bool isObjectPointer(const QMetaProperty &p) {
  return p.metaType().flags() & QMetaType::PointerToQObject;
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

QString floatText(double v) {
  return QString::number(v, 'g', QLocale::FloatingPointShortest);
}

QString echo(QStringView text) {
  return text.size() > EchoLength ? text.left(EchoLength).toString() + latin("...")
                                  : text.toString();
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
  const QMetaObject *meta = object->metaObject();
  const int info =
      meta->indexOfClassInfo(QByteArray("zel.default.").append(property.name()).constData());
  if (info >= 0) {
    const QString declared = QString::fromUtf8(meta->classInfo(info).value());
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

// ---- Writing ----

namespace {

class Writer {
public:
  explicit Writer(ZelChildHeader style) : m_style(style) {}

  void object(const TzelComponent &obj, int depth) {
    const QString indent(depth * 2, QLatin1Char(' '));
    m_out += indent + latin("object ");
    if (!obj.objectName().isEmpty())
      m_out += obj.objectName() + latin(": ");
    else if (m_style == ZelChildHeader::Colon)
      m_out += latin(": ");
    m_out += latin(obj.metaObject()->className()) + QLatin1Char('\n');
    properties(&obj, QString(), indent + latin("  "), 0);
    const QList<TzelComponent *> children = obj.storedChildren();
    for (const TzelComponent *child : children)
      if (child)
        object(*child, depth + 1);
    m_out += indent + latin("end\n");
  }

  QString text() const { return m_out; }

private:
  void properties(const QObject *obj, const QString &prefix, const QString &indent, int level) {
    const QMetaObject *meta = obj->metaObject();
    const auto *component = qobject_cast<const TzelComponent *>(obj);
    for (int i = 0; i < meta->propertyCount(); ++i) {
      const QMetaProperty p = meta->property(i);
      if (qstrcmp(p.name(), "objectName") == 0)
        continue;
      if (!(component ? component->isPropertyStored(p) : isStoredByDefault(obj, p)))
        continue;
      const QString name = prefix + latin(p.name());
      if (isSettingsProperty(obj, p)) {
        const QObject *sub = objectPointer(p.read(obj));
        if (sub && level < MaxSettingsDepth)
          properties(sub, name + QLatin1Char('.'), indent, level + 1);
      } else if (isObjectPointer(p)) {
        const QObject *target = objectPointer(p.read(obj));
        if (target && !target->objectName().isEmpty())
          line(indent, name, target->objectName());
      } else if (p.metaType().id() == QMetaType::QStringList) {
        list(indent, name, p.read(obj).toStringList());
      } else {
        const QString text = storedValueText(obj, p);
        if (!text.isEmpty())
          line(indent, name, text);
      }
    }
  }

  void line(const QString &indent, const QString &name, const QString &value) {
    m_out += indent + name + latin(" = ") + value + QLatin1Char('\n');
  }

  // The platform's string-list form: items one per line, the ")" closing the last item.
  void list(const QString &indent, const QString &name, const QStringList &items) {
    m_out += indent + name + latin(".Strings = (");
    for (const QString &item : items)
      m_out += QLatin1Char('\n') + indent + latin("  ") + quoteText(item);
    m_out += latin(")\n");
  }

  ZelChildHeader m_style;
  QString m_out;
};

} // namespace

QString StoredFormWriter::write(const TzelComponent &root) const {
  Writer writer(m_childHeader);
  writer.object(root, 0);
  return writer.text();
}

// ---- Parsing: text -> tree of blocks ----

namespace {

[[noreturn]] void fail(int line, const QString &message) {
  throw EzelError(latin("Error: Line ") + QString::number(line) + latin(": ") + message);
}

QString withoutErrorPrefix(const QString &message) {
  return message.startsWith(latin("Error: ")) ? message.mid(7) : message;
}

struct Value {
  enum Kind { Integer, Float, String, Identifier, Set, List } kind = Integer;
  QStringView raw; // the value as written, for messages: a view into the text being read
  qint64 integer = 0;
  double number = 0;
  QString text;      // String, Identifier
  QStringList items; // Set names, List items
};

struct PropertyLine {
  QString name;
  Value value;
  int line = 0;
};

struct Block {
  QString name;
  QString className;
  int line = 0;
  std::vector<PropertyLine> properties;
  std::vector<std::unique_ptr<Block>> children;
};

struct Line {
  int number;
  QStringView text; // trimmed, into the text being parsed
};

std::vector<Line> splitLines(const QString &text) {
  std::vector<Line> lines;
  int number = 0;
  for (QStringView l : QStringTokenizer(text, QLatin1Char('\n'))) {
    ++number;
    if (l.endsWith(QLatin1Char('\r')))
      l.chop(1);
    for (QChar c : l)
      if (c.unicode() < 32 && c != QLatin1Char('\t'))
        fail(number, latin("Invalid character #") + QString::number(c.unicode()));
    l = l.trimmed();
    if (!l.isEmpty())
      lines.push_back({number, l});
  }
  return lines;
}

bool isIdentStart(QChar c) {
  return c.isLetter() || c == QLatin1Char('_');
}
bool isIdentChar(QChar c) {
  return c.isLetterOrNumber() || c == QLatin1Char('_');
}

// The grammar's own names (classes, objects, properties) are ASCII identifiers.
bool isAsciiLetter(QChar c) {
  return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
         (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) || c == QLatin1Char('_');
}
bool isAsciiDigit(QChar c) {
  return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}
bool isHexDigit(QChar c) {
  return isAsciiDigit(c) || (c >= QLatin1Char('a') && c <= QLatin1Char('f')) ||
         (c >= QLatin1Char('A') && c <= QLatin1Char('F'));
}
bool isBlankChar(QChar c) {
  return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

// A cursor over one trimmed line for the hand-written matchers below (a reader is called
// for every line of large files, so no regular expressions here).
class Scanner {
public:
  explicit Scanner(QStringView text) : m_s(text) {}
  bool atEnd() const { return m_pos >= m_s.size(); }
  QChar peek() const { return atEnd() ? QChar() : m_s.at(m_pos); }
  bool take(QChar c) {
    if (peek() != c || atEnd())
      return false;
    ++m_pos;
    return true;
  }
  qsizetype blanks() {
    const qsizetype start = m_pos;
    while (!atEnd() && isBlankChar(m_s.at(m_pos)))
      ++m_pos;
    return m_pos - start;
  }
  qsizetype digits() {
    const qsizetype start = m_pos;
    while (!atEnd() && isAsciiDigit(m_s.at(m_pos)))
      ++m_pos;
    return m_pos - start;
  }
  // An ASCII identifier, or empty text.
  QStringView identifier() {
    const qsizetype start = m_pos;
    if (!atEnd() && isAsciiLetter(m_s.at(m_pos)))
      while (++m_pos < m_s.size() && (isAsciiLetter(m_s.at(m_pos)) || isAsciiDigit(m_s.at(m_pos))))
        ;
    return m_s.mid(start, m_pos - start);
  }
  QStringView rest() const { return m_s.mid(m_pos); }

private:
  QStringView m_s;
  qsizetype m_pos = 0;
};

// [-+]digits
bool isIntegerText(QStringView text) {
  Scanner s(text);
  if (!s.take(QLatin1Char('-')))
    s.take(QLatin1Char('+'));
  return s.digits() > 0 && s.atEnd();
}

// $ and 1 to 16 hexadecimal digits
bool isHexText(QStringView text) {
  if (text.size() < 2 || text.size() > 17 || text.front() != QLatin1Char('$'))
    return false;
  return std::all_of(text.begin() + 1, text.end(), isHexDigit);
}

// [-+](digits[.digits] | .digits)[(e|E)[-+]digits]
bool isFloatText(QStringView text) {
  Scanner s(text);
  if (!s.take(QLatin1Char('-')))
    s.take(QLatin1Char('+'));
  if (s.digits() > 0) {
    if (s.take(QLatin1Char('.')))
      s.digits();
  } else if (!s.take(QLatin1Char('.')) || s.digits() == 0) {
    return false;
  }
  if (s.take(QLatin1Char('e')) || s.take(QLatin1Char('E'))) {
    if (!s.take(QLatin1Char('-')))
      s.take(QLatin1Char('+'));
    if (s.digits() == 0)
      return false;
  }
  return s.atEnd();
}

class ValueParser {
public:
  ValueParser(QStringView text, int line) : m_s(text), m_line(line) {}

  // One string expression: quoted pieces and #codes written together ('a'#13#10'b').
  QString string() {
    QString out;
    bool any = false;
    while (m_pos < m_s.size()) {
      const QChar c = m_s.at(m_pos);
      if (c == QLatin1Char('\'')) {
        ++m_pos;
        for (;;) { // a run up to the next quote, then a doubled quote or the end
          const qsizetype quote = m_s.indexOf(QLatin1Char('\''), m_pos);
          if (quote < 0)
            fail(m_line, latin("Unterminated string"));
          out += m_s.mid(m_pos, quote - m_pos);
          m_pos = quote + 1;
          if (m_pos < m_s.size() && m_s.at(m_pos) == QLatin1Char('\'')) {
            out += QLatin1Char('\'');
            ++m_pos;
          } else {
            break;
          }
        }
      } else if (c == QLatin1Char('#')) {
        ++m_pos;
        const bool hex = m_pos < m_s.size() && m_s.at(m_pos) == QLatin1Char('$');
        if (hex)
          ++m_pos;
        const qsizetype start = m_pos;
        while (m_pos < m_s.size() && m_pos - start < 8 &&
               (hex ? isxdigit(m_s.at(m_pos).toLatin1()) : m_s.at(m_pos).isDigit()))
          ++m_pos;
        bool ok = false;
        const uint code = m_s.mid(start, m_pos - start).toUInt(&ok, hex ? 16 : 10);
        if (!ok || code > 0x10FFFF)
          fail(m_line, latin("Invalid character code in [") + echo(m_s) + latin("]"));
        if (code > 0xFFFF)
          out += QString::fromUcs4(reinterpret_cast<const char32_t *>(&code), 1);
        else
          out += QChar(char16_t(code));
      } else {
        break;
      }
      any = true;
    }
    if (!any)
      fail(m_line, latin("Expected a text in [") + echo(m_s) + latin("]"));
    return out;
  }

  QString identifier() {
    const qsizetype start = m_pos;
    while (m_pos < m_s.size() && isIdentChar(m_s.at(m_pos)))
      ++m_pos;
    return m_s.mid(start, m_pos - start).toString();
  }

  void skipSpaces() {
    while (m_pos < m_s.size() && m_s.at(m_pos).isSpace())
      ++m_pos;
  }
  bool atEnd() const { return m_pos >= m_s.size(); }
  QChar peek() const { return atEnd() ? QChar() : m_s.at(m_pos); }
  void next() { ++m_pos; }
  QString rest() const { return m_s.mid(m_pos).toString(); }

private:
  QStringView m_s;
  qsizetype m_pos = 0;
  int m_line;
};

void parseScalar(const QString &text, int line, Value &v) {
  const QChar c = text.at(0);
  if (c == QLatin1Char('\'') || c == QLatin1Char('#')) {
    ValueParser p(text, line);
    v.kind = Value::String;
    v.text = p.string();
    if (!p.atEnd())
      fail(line, latin("Unexpected text after the value [") + echo(p.rest()) + latin("]"));
  } else if (c == QLatin1Char('[')) {
    ValueParser p(text, line);
    v.kind = Value::Set;
    p.next();
    p.skipSpaces();
    while (p.peek() != QLatin1Char(']')) {
      const QString name = p.identifier();
      if (name.isEmpty())
        fail(line, latin("Invalid set [") + echo(text) + latin("]"));
      v.items << name;
      p.skipSpaces();
      if (p.peek() == QLatin1Char(',')) {
        p.next();
        p.skipSpaces();
      } else if (p.peek() != QLatin1Char(']')) {
        fail(line, latin("Invalid set [") + echo(text) + latin("]"));
      }
    }
    p.next();
    if (!p.atEnd())
      fail(line, latin("Unexpected text after the value [") + echo(p.rest()) + latin("]"));
  } else if (isIdentStart(c)) {
    ValueParser p(text, line);
    v.kind = Value::Identifier;
    v.text = p.identifier();
    if (!p.atEnd())
      fail(line, latin("Invalid value [") + echo(text) + latin("]"));
  } else if (isIntegerText(text)) {
    bool ok = false;
    v.kind = Value::Integer;
    v.integer = text.toLongLong(&ok);
    v.number = double(v.integer);
    if (!ok)
      fail(line, latin("Number out of range [") + echo(text) + latin("]"));
  } else if (isHexText(text)) {
    bool ok = false;
    v.kind = Value::Integer;
    v.integer = qint64(text.mid(1).toULongLong(&ok, 16));
    v.number = double(v.integer);
  } else if (isFloatText(text)) {
    bool ok = false;
    v.kind = Value::Float;
    v.number = text.toDouble(&ok);
    if (!ok || !std::isfinite(v.number))
      fail(line, latin("Number out of range [") + echo(text) + latin("]"));
  } else {
    fail(line, latin("Invalid value [") + echo(text) + latin("]"));
  }
}

class Parser {
public:
  explicit Parser(std::vector<Line> lines) : m_lines(std::move(lines)) {}

  std::unique_ptr<Block> parse() {
    if (m_lines.empty())
      fail(1, latin("The text is empty"));
    std::unique_ptr<Block> root;
    std::vector<Block *> open;
    for (; m_at < m_lines.size(); ++m_at) {
      const Line &l = m_lines[m_at];
      if (!open.empty() || !root) {
        if (auto block = header(l)) {
          if (open.size() >= size_t(MaxObjectDepth))
            fail(l.number, latin("Objects are nested too deeply"));
          Block *raw = block.get();
          if (open.empty())
            root = std::move(block);
          else
            open.back()->children.push_back(std::move(block));
          open.push_back(raw);
          continue;
        }
      }
      if (!root)
        fail(l.number, latin("Expected an object line but found [") + echo(l.text) + latin("]"));
      if (open.empty())
        fail(l.number, latin("Unexpected text after the last end [") + echo(l.text) + latin("]"));
      if (l.text.compare(QLatin1String("end"), Qt::CaseInsensitive) == 0) {
        open.back()->properties.shrink_to_fit(); // large files hold many small blocks
        open.pop_back();
        continue;
      }
      property(l, *open.back());
    }
    if (!open.empty())
      fail(open.back()->line, latin("The ") + open.back()->className + latin(" object has no end"));
    return root;
  }

private:
  // "object" blanks [[Name] blanks ":" blanks] Class
  static std::unique_ptr<Block> header(const Line &l) {
    if (!l.text.startsWith(QLatin1String("object")))
      return nullptr;
    Scanner s(QStringView(l.text).mid(6));
    if (s.blanks() == 0)
      return nullptr;
    QStringView name = s.identifier();
    QStringView classText = name;
    s.blanks();
    if (s.take(QLatin1Char(':'))) {
      s.blanks();
      classText = s.identifier();
    } else {
      name = {};
    }
    if (classText.isEmpty() || !s.atEnd())
      return nullptr;
    auto block = std::make_unique<Block>();
    block->name = name.toString();
    block->className = classText.toString();
    block->line = l.number;
    return block;
  }

  // Name[.Name]... blanks "=" blanks value
  void property(const Line &l, Block &block) {
    Scanner s(l.text);
    qsizetype nameEnd = 0;
    for (bool more = true; more; more = s.take(QLatin1Char('.'))) {
      const QStringView part = s.identifier();
      if (part.isEmpty())
        fail(l.number, latin("Invalid line [") + echo(l.text) + latin("]"));
      nameEnd = l.text.size() - s.rest().size();
    }
    s.blanks();
    if (!s.take(QLatin1Char('=')))
      fail(l.number, latin("Invalid line [") + echo(l.text) + latin("]"));
    s.blanks();
    const QString name = l.text.left(nameEnd).toString();
    if (!block.children.empty())
      fail(l.number, latin("Property [") + name + latin("] must come before the child objects"));
    PropertyLine p{name, {}, l.number};
    p.value.raw = s.rest();
    const QString value = p.value.raw.toString();
    if (value.isEmpty())
      fail(l.number, latin("Missing value of property [") + p.name + latin("]"));
    if (value == QLatin1String("("))
      list(l, p.value);
    else
      parseScalar(value, l.number, p.value);
    block.properties.push_back(std::move(p));
  }

  // Items follow one per line; the list ends with ")" after the last item or on its own.
  void list(const Line &start, Value &v) {
    v.kind = Value::List;
    for (++m_at; m_at < m_lines.size(); ++m_at) {
      const Line &l = m_lines[m_at];
      if (l.text == QLatin1String(")"))
        return;
      ValueParser p(l.text, l.number);
      v.items << p.string();
      if (p.atEnd())
        continue;
      if (p.peek() == QLatin1Char(')') && p.rest().size() == 1)
        return;
      fail(l.number, latin("Unexpected text after the value [") + echo(p.rest()) + latin("]"));
    }
    fail(start.number, latin("The list has no closing parenthesis"));
  }

  std::vector<Line> m_lines;
  size_t m_at = 0;
};

std::unique_ptr<Block> parseText(const QString &text) {
  return Parser(splitLines(text)).parse();
}

QString decodeUtf8(const QByteArray &bytes) {
  QStringDecoder whole(QStringDecoder::Utf8);
  const QString text = whole(bytes);
  if (!whole.hasError())
    return text;
  // Only a faulty text is decoded again line by line, to name the line.
  const QList<QByteArray> lines = bytes.split('\n');
  for (qsizetype i = 0; i < lines.size(); ++i) {
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString line = decoder(i + 1 < lines.size() ? lines.at(i) + '\n' : lines.at(i));
    if (decoder.hasError())
      fail(int(i + 1), latin("The text is not valid UTF-8"));
  }
  fail(int(lines.size()), latin("The text is not valid UTF-8"));
}

// ---- Building: tree of blocks -> objects ----

struct Made {
  QPointer<TzelComponent> object;
  int line = 0;
  std::vector<QPointer<TzelComponent>> settings; // settings components touched
  std::vector<Made> children;
};

struct Fixup {
  QPointer<QObject> holder;
  QMetaProperty property;
  QString name;
  int line;
};

QString className(const QObject *o) {
  return latin(o->metaObject()->className());
}

class Builder {
public:
  explicit Builder(const StoredFormReader::Resolver &resolver) : m_resolver(resolver) {}

  std::unique_ptr<TzelComponent> build(const Block &root) {
    std::unique_ptr<TzelComponent> object(create(root));
    fill(object.get(), root);
    return object;
  }

  // Reads the block into an existing object: properties, children, loaded().
  void fill(TzelComponent *object, const Block &root) {
    Made made;
    apply(object, root, made);
    fixReferences();
    finish(made);
  }

private:
  static TzelComponent *create(const Block &block) {
    TzelComponent *object = ZelRegistry::instance().create(block.className);
    if (!object)
      fail(block.line, latin("Unknown class [") + block.className + latin("]"));
    object->setLoading(true);
    return object;
  }

  void apply(TzelComponent *object, const Block &block, Made &made) {
    made.object = object;
    made.line = block.line;
    object->setLoading(true);
    if (!block.name.isEmpty()) {
      object->setObjectName(block.name);
      m_named.insert(block.name.toLower(), object);
    }
    for (const PropertyLine &p : block.properties) {
      setProperty(object, p, made);
      if (!made.object)
        fail(p.line, latin("The object was destroyed while it was read"));
    }
    for (const auto &childBlock : block.children) {
      TzelComponent *child = create(*childBlock);
      QPointer<TzelComponent> guard(child);
      bool attached = false;
      try {
        attached = object->attachStoredChild(child);
      } catch (const std::exception &e) {
        if (guard && !guard->parent())
          delete child;
        fail(childBlock->line, message(e));
      }
      if (!attached) {
        delete child;
        fail(childBlock->line, className(object) + latin(" cannot hold a ") +
                                   childBlock->className + latin(" object"));
      }
      made.children.emplace_back();
      if (!guard)
        fail(childBlock->line, latin("The object was destroyed while it was read"));
      apply(child, *childBlock, made.children.back());
    }
  }

  static QString message(const std::exception &e) {
    if (const auto *z = dynamic_cast<const EzelError *>(&e))
      return withoutErrorPrefix(z->message());
    return QString::fromUtf8(e.what());
  }

  // The property of that name, the exact spelling first, else any spelling; remembered per
  // class, since every object of a class names the same few properties.
  bool findProperty(const QObject *holder, const QString &name, QMetaProperty &out) {
    const QMetaObject *meta = holder->metaObject();
    QHash<QString, QMetaProperty> &known = m_properties[meta];
    if (const auto it = known.constFind(name); it != known.cend()) {
      out = *it;
      return out.isValid();
    }
    QMetaProperty found;
    for (int i = 0; i < meta->propertyCount(); ++i) {
      const char *candidate = meta->property(i).name();
      if (qstrcmp(candidate, "objectName") == 0)
        continue;
      if (name.compare(QLatin1String(candidate), Qt::CaseInsensitive) == 0) {
        found = meta->property(i);
        if (name == QLatin1String(candidate))
          break;
      }
    }
    known.insert(name, found);
    out = found;
    return out.isValid();
  }

  void setProperty(TzelComponent *object, const PropertyLine &line, Made &made) {
    QStringList path = line.name.contains(QLatin1Char('.')) ? line.name.split(QLatin1Char('.'))
                                                            : QStringList{line.name};
    if (line.value.kind == Value::List && path.size() > 1 && path.last() == latin("Strings"))
      path.removeLast();
    QObject *holder = object;
    const auto unknown = [&] {
      fail(line.line, latin("Unknown property [") + line.name + latin("] of ") + className(object));
    };
    for (qsizetype i = 0; i + 1 < path.size(); ++i) {
      QMetaProperty p;
      if (!findProperty(holder, path.at(i), p) || !isSettingsProperty(holder, p))
        unknown();
      holder = objectPointer(p.read(holder));
      if (!holder)
        unknown();
      if (auto *settings = qobject_cast<TzelComponent *>(holder);
          settings && !settings->isLoading()) {
        settings->setLoading(true);
        made.settings.push_back(settings);
      }
    }
    QMetaProperty p;
    if (!findProperty(holder, path.last(), p))
      unknown();
    if (!p.isWritable() || isSettingsProperty(holder, p))
      fail(line.line, latin("Property [") + line.name + latin("] of ") + className(object) +
                          latin(" cannot be set"));
    if (isObjectPointer(p)) {
      if (line.value.kind != Value::Identifier)
        invalid(line, object);
      m_fixups.push_back({holder, p, line.value.text, line.line});
      return;
    }
    write(holder, p, convert(p, line, object), line.line, [&] { invalid(line, object); });
  }

  template <typename OnFalse>
  static void write(QObject *holder, const QMetaProperty &p, const QVariant &value, int line,
                    OnFalse onFalse) {
    bool ok = false;
    try {
      ok = p.write(holder, value);
    } catch (const std::exception &e) {
      fail(line, message(e));
    }
    if (!ok)
      onFalse();
  }

  [[noreturn]] static void invalid(const PropertyLine &line, const QObject *object) {
    fail(line.line, latin("Invalid value [") + echo(line.value.raw) + latin("] of property [") +
                        line.name + latin("] of ") + className(object));
  }

  static int enumKey(const QMetaEnum &e, const QString &name, bool &ok) {
    ok = true;
    for (int k = 0; k < e.keyCount(); ++k)
      if (name == QLatin1String(e.key(k)))
        return e.value(k);
    for (int k = 0; k < e.keyCount(); ++k)
      if (name.compare(QLatin1String(e.key(k)), Qt::CaseInsensitive) == 0)
        return e.value(k);
    ok = false;
    return 0;
  }

  static bool inRange(int typeId, qint64 v) {
    switch (typeId) {
    case QMetaType::Int:
    case QMetaType::Long:
      return v >= std::numeric_limits<qint32>::min() && v <= std::numeric_limits<qint32>::max();
    case QMetaType::UInt:
    case QMetaType::ULong:
      return v >= 0 && v <= std::numeric_limits<quint32>::max();
    case QMetaType::Short:
      return v >= -32768 && v <= 32767;
    case QMetaType::UShort:
      return v >= 0 && v <= 65535;
    case QMetaType::SChar:
    case QMetaType::Char:
      return v >= -128 && v <= 127;
    case QMetaType::UChar:
      return v >= 0 && v <= 255;
    case QMetaType::ULongLong:
      return v >= 0;
    default:
      return true;
    }
  }

  static QVariant convert(const QMetaProperty &p, const PropertyLine &line, const QObject *object) {
    const Value &v = line.value;
    const QMetaType type = p.metaType();
    if (p.isEnumType()) {
      const QMetaEnum e = p.enumerator();
      const auto notAValue = [&](const QString &name) {
        fail(line.line, latin("[") + name + latin("] is not a value of ") + latin(e.name()));
      };
      bool ok = false;
      if (p.isFlagType()) {
        if (v.kind != Value::Set)
          invalid(line, object);
        qint64 bits = 0;
        for (const QString &name : v.items) {
          bits |= enumKey(e, name, ok);
          if (!ok)
            notAValue(name);
        }
        return enumVariant(type, bits);
      }
      if (v.kind != Value::Identifier)
        invalid(line, object);
      const int value = enumKey(e, v.text, ok);
      if (!ok)
        notAValue(v.text);
      return enumVariant(type, value);
    }
    const int id = type.id();
    switch (id) {
    case QMetaType::Bool:
      if (v.kind == Value::Identifier && v.text.compare(latin("True"), Qt::CaseInsensitive) == 0)
        return true;
      if (v.kind == Value::Identifier && v.text.compare(latin("False"), Qt::CaseInsensitive) == 0)
        return false;
      invalid(line, object);
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::SChar:
    case QMetaType::Char:
    case QMetaType::UChar:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong: {
      if (v.kind != Value::Integer || !inRange(id, v.integer))
        invalid(line, object);
      QVariant result(qlonglong(v.integer));
      if (!result.convert(type))
        invalid(line, object);
      return result;
    }
    case QMetaType::Double:
    case QMetaType::Float: {
      if (v.kind != Value::Integer && v.kind != Value::Float)
        invalid(line, object);
      QVariant result(v.number);
      result.convert(type);
      return result;
    }
    case QMetaType::QString:
      if (v.kind != Value::String)
        invalid(line, object);
      return v.text;
    case QMetaType::QChar:
      if (v.kind != Value::String || v.text.size() != 1)
        invalid(line, object);
      return v.text.at(0);
    case QMetaType::QStringList:
      if (v.kind != Value::List)
        invalid(line, object);
      return v.items;
    default:
      if (v.kind == Value::String && QMetaType::canConvert(QMetaType::fromType<QString>(), type)) {
        QVariant result(v.text);
        if (result.convert(type))
          return result;
      }
      invalid(line, object);
    }
  }

  void fixReferences() {
    for (const Fixup &f : m_fixups) {
      QObject *target = m_named.value(f.name.toLower());
      if (!target && m_resolver)
        target = m_resolver(f.name);
      if (!target)
        fail(f.line, latin("Unknown component [") + f.name + latin("]"));
      if (!f.holder)
        fail(f.line, latin("The object was destroyed while it was read"));
      const QMetaObject *wanted = f.property.metaType().metaObject();
      if (wanted && !target->metaObject()->inherits(wanted))
        fail(f.line, latin("[") + f.name + latin("] is not a ") + latin(wanted->className()));
      write(f.holder, f.property, QVariant(f.property.metaType(), &target), f.line, [&] {
        fail(f.line, latin("Invalid value [") + f.name + latin("] of property [") +
                         latin(f.property.name()) + latin("]"));
      });
    }
  }

  // loaded() runs children first; each object leaves its loading state after its own.
  static void finish(Made &made) {
    for (Made &child : made.children)
      finish(child);
    try {
      for (const QPointer<TzelComponent> &s : made.settings)
        if (s) {
          s->loaded();
          s->setLoading(false);
        }
      if (made.object) {
        made.object->loaded();
        made.object->setLoading(false);
      }
    } catch (const std::exception &e) {
      fail(made.line, message(e));
    }
  }

  const StoredFormReader::Resolver &m_resolver;
  QHash<const QMetaObject *, QHash<QString, QMetaProperty>> m_properties;
  QHash<QString, QPointer<QObject>> m_named;
  std::vector<Fixup> m_fixups;
};

} // namespace

std::unique_ptr<TzelComponent> StoredFormReader::read(const QString &text) const {
  const std::unique_ptr<Block> root = parseText(text);
  return Builder(m_resolver).build(*root);
}

std::unique_ptr<TzelComponent> StoredFormReader::read(const QByteArray &utf8) const {
  return read(decodeUtf8(utf8));
}

void StoredFormReader::readInto(TzelComponent *target, const QString &text) const {
  if (!target)
    throw EzelError(latin("Error: No object to read into"));
  const std::unique_ptr<Block> root = parseText(text);
  const QMetaObject *named = ZelRegistry::instance().metaObject(root->className);
  if (!named)
    fail(root->line, latin("Unknown class [") + root->className + latin("]"));
  if (!target->metaObject()->inherits(named))
    fail(root->line,
         latin("The text holds a ") + root->className + latin(", not a ") + className(target));
  {
    std::unique_ptr<TzelComponent> fresh(ZelRegistry::instance().create(className(target)));
    if (!fresh)
      fail(root->line, latin("Unknown class [") + className(target) + latin("]"));
    Builder(m_resolver).fill(fresh.get(), *root);
  }
  try {
    Builder(m_resolver).fill(target, *root);
  } catch (...) {
    target->setLoading(false);
    throw;
  }
}

void saveStoredFormFile(const QString &fileName, const QString &text) {
  QString crlf = text;
  crlf.replace(latin("\r\n"), latin("\n")).replace(QLatin1Char('\n'), latin("\r\n"));
  const QString reason = WriteFileSafely(fileName, crlf.toUtf8());
  if (!reason.isEmpty())
    throw EzelError(latin("Error: Cannot write the ") + fileName + latin(" file: ") + reason);
}

QByteArray loadStoredFormFile(const QString &fileName) {
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly))
    throw EzelError(latin("Error: Cannot read the ") + fileName + latin(" file: ") +
                    file.errorString());
  QByteArray bytes = file.readAll();
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
