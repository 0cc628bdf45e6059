// SPDX-License-Identifier: MIT
#pragma once
// The component text form ("stored form") of every TzelComponent tree, written and read
// generically over the meta-object system: one block per object ("object Name: Class"),
// its stored property lines in declaration order, its stored children, "end".

#include "model/zelcomponent.h"
#include "zelcore_export.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>

// How an unnamed child's header is written: "object : Class" in forms, "object Class" in
// query files. A named object is always "object Name: Class".
enum class ZelChildHeader { Colon, ClassOnly };

class ZELCORE_EXPORT StoredFormWriter {
public:
  explicit StoredFormWriter(ZelChildHeader childHeader = ZelChildHeader::Colon)
      : m_childHeader(childHeader) {}
  // The text of the tree, lines ended by "\n".
  QString write(const TzelComponent &root) const;

private:
  ZelChildHeader m_childHeader;
};

// Reading raises EzelError ("Error: Line N: ...") on any fault of the text; it never
// changes an object the caller already has.
class ZELCORE_EXPORT StoredFormReader {
public:
  // Finds a component named in a reference property that is not part of the text.
  using Resolver = std::function<QObject *(const QString &name)>;
  void setResolver(Resolver resolver) { m_resolver = std::move(resolver); }

  // A new object tree of the class the text names (registered in ZelRegistry).
  std::unique_ptr<TzelComponent> read(const QString &text) const;
  // UTF-8 bytes (CR LF or LF); invalid UTF-8 and binary bytes are errors.
  std::unique_ptr<TzelComponent> read(const QByteArray &utf8) const;
  // Validates the text on a fresh object of the target's class, then applies it to the
  // target (children are appended to the ones it has). A faulty text leaves it untouched.
  void readInto(TzelComponent *target, const QString &text) const;

private:
  Resolver m_resolver;
};

// Files: UTF-8 with CR LF, saved beside and renamed into place. Both raise EzelError.
ZELCORE_EXPORT void saveStoredFormFile(const QString &fileName, const QString &text);
ZELCORE_EXPORT QByteArray loadStoredFormFile(const QString &fileName);
// The object tree of a stored form file; a fault of its text is reported under the file's
// name (messageForFile).
ZELCORE_EXPORT std::unique_ptr<TzelComponent>
readStoredFormFile(const QString &fileName, const StoredFormReader &reader = {});
// A message about a file's content, saying which file: "Error: step1.zel: Line 27: ...".
ZELCORE_EXPORT QString messageForFile(const QString &fileName, const QString &message);

// The stored text of a property's current value (115, True, zelJoinEqual, 'text', 0.3,
// [fsBold]); empty for settings objects and string lists.
ZELCORE_EXPORT QString storedValueText(const QObject *object, const QMetaProperty &property);
// The default storing rule of TzelComponent::isPropertyStored, also applied to plain
// settings objects.
ZELCORE_EXPORT bool isStoredByDefault(const QObject *object, const QMetaProperty &property);
// Whether the property holds a settings object (written as dotted sub-properties).
ZELCORE_EXPORT bool isSettingsProperty(const QObject *object, const QMetaProperty &property);
