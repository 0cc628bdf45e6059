// SPDX-License-Identifier: MIT
#pragma once
// The stored form's parser: text to a tree of blocks, objects with their property lines.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <memory>
#include <vector>

namespace ZelStoredForm {

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

// Raises EzelError ("Error: Line N: ...") on any fault of the text.
std::unique_ptr<Block> parseText(const QString &text);
QString decodeUtf8(const QByteArray &bytes);

} // namespace ZelStoredForm
