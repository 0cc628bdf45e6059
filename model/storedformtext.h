// SPDX-License-Identifier: MIT
#pragma once
// What the stored form's writer, parser and builder share: quoting, pointers, line errors.

#include <QMetaProperty>
#include <QString>
#include <QStringView>
#include <QVariant>

namespace ZelStoredForm {

constexpr int MaxSettingsDepth = 16; // nesting of settings objects (Page.TitleFont.Name)

inline QString latin(const char *text) {
  return QString::fromLatin1(text);
}

QString quoteText(const QString &text);
QObject *objectPointer(const QVariant &value);
bool isObjectPointer(const QMetaProperty &p);
// The start of a faulty text, for a message.
QString echo(QStringView text);
[[noreturn]] void fail(int line, const QString &message);
QString withoutErrorPrefix(const QString &message);

} // namespace ZelStoredForm
