// SPDX-License-Identifier: MIT
#include "model/tokenizer.h"
#include "model/keywords.h"
#include "model/zeltypes.h"

QString TzelValue::text(const QStringList &lines) const {
  if (line < 0 || line >= lines.size())
    return {};
  return lines.at(line).mid(column - 1, length);
}

int TzelTokenList::index(int i) const {
  const auto &item = m_items.at(i);
  if (const auto *token = std::get_if<TzelToken>(&item))
    return token->index;
  return TzelValue::Marker;
}

QString TzelTokenList::text(int i, const QStringList &lines) const {
  return isValue(i) ? value(i).text(lines) : Keyword(index(i));
}

namespace {

// The scanner's state across lines; one instance per tokenization.
class Scanner {
public:
  explicit Scanner(TzelTokenList &tokens) : m_tokens(tokens) {}

  void scanLine(int lineNo, const QString &line);
  void check() const;

private:
  void append(int lineNo, int column) {
    if (m_wordLength == 0) {
      m_wordLine = lineNo;
      m_wordColumn = column;
    }
    ++m_wordLength;
  }
  void emitPendingValue() {
    if (m_wordLength > 0)
      m_tokens.addValue(m_wordLine, m_wordColumn, m_wordLength);
    m_wordLength = 0;
  }
  // A separator after a digit continues a number (1,250.75), never a name: T6.Count is the
  // field Count of table T6.
  bool pendingIsNumber(const QString &line) const {
    return m_wordLength > 0 && line.at(m_wordColumn - 1).isDigit();
  }
  void symbol(int code, QChar next, int &i);

  TzelTokenList &m_tokens;
  int m_parenDepth = 0;
  int m_bracketDepth = 0;
  bool m_inQuote = false;
  bool m_inText = false; // between single quotes, whose words are still tokens
  bool m_inBracket = false;
  bool m_afterDigit = false;
  // The pending word lies in one line: [m_wordColumn, m_wordColumn + m_wordLength).
  int m_wordLine = 0;
  int m_wordColumn = 0;
  int m_wordLength = 0;
};

void Scanner::scanLine(int lineNo, const QString &line) {
  const int n = int(line.size());
  for (int i = 1; i <= n; ++i) {
    const QChar c = line.at(i - 1);
    if ((m_inQuote && c != QLatin1Char('"')) || (m_inBracket && c != QLatin1Char(']')) ||
        (m_afterDigit && (c == QLatin1Char(',') || c == QLatin1Char('.')) &&
         pendingIsNumber(line))) {
      append(lineNo, i);
      continue;
    }
    m_afterDigit = c >= QLatin1Char('0') && c <= QLatin1Char('9');
    const int code = SymbolCode(c);
    const QChar next = i < n ? line.at(i) : QLatin1Char(' ');
    if (code < 0) {
      append(lineNo, i);
      if (SymbolCode(next) < 0 && i < n)
        continue;
      const int keyword = KeywordIndex(QStringView(line).mid(m_wordColumn - 1, m_wordLength));
      if (keyword >= 0) {
        m_tokens.addToken(keyword);
        m_wordLength = 0;
      }
      continue;
    }
    emitPendingValue();
    symbol(code, next, i);
  }
  // One step past the end of the line ends any pending word.
  emitPendingValue();
}

void Scanner::symbol(int code, QChar next, int &i) {
  using namespace ZelKeyword;
  switch (code) {
  case Less:
    if (next == QLatin1Char('=') || next == QLatin1Char('>')) {
      code = next == QLatin1Char('=') ? LessEqual : NotEqual;
      ++i;
    }
    break;
  case Greater:
    if (next == QLatin1Char('=')) {
      code = GreaterEqual;
      ++i;
    }
    break;
  case OpenParen: // a parenthesis in a text neither opens nor closes
    m_parenDepth += m_inText ? 0 : 1;
    break;
  case CloseParen:
    m_parenDepth -= m_inText ? 0 : 1;
    break;
  case SingleQuote:
    m_inText = !m_inText;
    break;
  case OpenBracket:
    ++m_bracketDepth;
    m_inBracket = true;
    break;
  case CloseBracket:
    --m_bracketDepth;
    m_inBracket = false;
    break;
  case DoubleQuote:
    m_inQuote = !m_inQuote;
    break;
  default:
    break;
  }
  m_tokens.addToken(code);
}

void Scanner::check() const {
  if (m_parenDepth > 0)
    throw EzelError(QStringLiteral("Error: Insufficient closing parenthesis"));
  if (m_parenDepth < 0)
    throw EzelError(QStringLiteral("Error: Insufficient opening parenthesis"));
  if (m_bracketDepth > 0)
    throw EzelError(QStringLiteral("Error: Insufficient closing brackets"));
  if (m_bracketDepth < 0)
    throw EzelError(QStringLiteral("Error: Insufficient opening brackets"));
  if (m_inQuote)
    throw EzelError(QStringLiteral("Error: Insufficient closing quotes"));
}

} // namespace

int TokenizeExpression(const QStringList &lines, TzelTokenList &tokens) {
  tokens.clear();
  Scanner scanner(tokens);
  for (int lineNo = 0; lineNo < lines.size(); ++lineNo)
    scanner.scanLine(lineNo, lines.at(lineNo));
  scanner.check();
  return tokens.count();
}
