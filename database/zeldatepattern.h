// SPDX-License-Identifier: MIT
#pragma once
// A date-time display pattern read once for a walk over many records. The display formatter
// reads the pattern anew for every value and asks the locale for names, digits and its short
// and long forms each time; this reads the pattern, and the locale's forms it names, into
// pieces once, with every text a piece can give looked up in advance, so a value's text is
// put together without asking the locale anything. The text is the formatter's, byte for byte.
// Locale forms holding what this does not take apart (a time zone, fractions of seconds)
// leave the pattern to the formatter (usable() is false).

#include "model/zeltypes.h"
#include "zelcore_export.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDate>
#include <QLocale>
#include <QString>
#include <QTime>
#include <QVariant>
#include <functional>
#include <optional>
#include <vector>

// A date and time taken apart; a time alone stands on 1899-12-30, a date alone at midnight.
struct TzelMoment {
  int year = 0;
  int month = 0;
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
  int msec = 0;
};

class ZELCORE_EXPORT TzelDatePattern {
public:
  TzelDatePattern() = default;
  // The pattern of a field of type ftDate, ftTime or ftDateTime; an empty one stands for the
  // type's default ("ddddd", "tt", "c"), as in the formatter.
  TzelDatePattern(const QString &pattern, TFieldType type, const QLocale &locale);

  bool usable() const { return m_usable; }
  // The most bytes writeUtf8 writes.
  qsizetype maxUtf8Size() const { return m_maxUtf8; }
  // Writes the UTF-8 bytes of the formatter's text of the moment at out and returns their end;
  // null (nothing written) for a year outside 1 to 9999, which is left to the formatter.
  // Only when usable().
  char *writeUtf8(char *out, const TzelMoment &moment) const;
  // The text of a value as the formatter shows it for this field; nothing when the value is
  // left to the formatter (null, not a date or time, or a year outside 1 to 9999).
  std::optional<QString> text(const QVariant &value) const;

  // The date and time of a date, time or date-time value as the formatter reads them; false
  // for null values and values of other kinds.
  static bool momentOf(const QVariant &value, TzelMoment &moment);
  // The moment of a value as the database writes it in ISO form ("1999-03-01",
  // "13:45:00.250", "1999-03-01 13:45:00"), read as the record readers read it; false for any
  // other form, which is left to them.
  static bool readIso(QByteArrayView text, TFieldType type, TzelMoment &moment);

private:
  // What a piece of the text shows.
  enum class Part {
    Literal,
    Day,
    Weekday,
    Month,
    Year2,
    Century,
    Hour,
    Minute,
    Second,
    Msec,
    SkipAtMidnight
  };
  struct Piece {
    Part part = Part::Literal;
    int first = 0;                 // the part's first number
    std::vector<QByteArray> texts; // by the part's number from first; a literal's one text
    int skip = 0;                  // SkipAtMidnight: pieces passed over at midnight
  };
  void readPattern(const QString &pattern);
  int readMarker(QStringView rest);
  int readLetter(QChar c, int k, bool afterHour, bool twelve);
  void readWhole();
  void readQtPattern(const QString &pattern, bool date);
  void readQtRun(const QString &pattern, qsizetype &i, bool date, bool amPm);
  void addLiteral(const QString &text);
  void addTable(Part part, int first, int last, const std::function<QString(int)> &text);
  void addDigits(Part part, int first, int last, int run);

  QLocale m_locale;
  TFieldType m_type = ftUnknown;
  bool m_usable = false;
  bool m_weekday = false; // a piece shows the day of the week
  std::vector<Piece> m_pieces;
  qsizetype m_maxUtf8 = 0;
};
