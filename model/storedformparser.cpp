// SPDX-License-Identifier: MIT
// The stored form's parser: text lines to a tree of blocks, values read and checked.
#include "model/storedformparser.h"
#include "model/storedformtext.h"

#include <QStringDecoder>
#include <QStringTokenizer>
#include <algorithm>
#include <cctype>
#include <cmath>

using namespace ZelStoredForm;

namespace {

constexpr int MaxObjectDepth = 64; // nesting of object blocks accepted by the reader

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

} // namespace

namespace ZelStoredForm {

std::unique_ptr<Block> parseText(const QString &text) {
  return Parser(splitLines(text)).parse();
}

QString decodeUtf8(const QByteArray &bytes) {
  QStringDecoder whole(QStringDecoder::Utf8);
  QString text = whole(bytes);
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

} // namespace ZelStoredForm
