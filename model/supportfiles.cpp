// SPDX-License-Identifier: MIT
#include "model/supportfiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringDecoder>

namespace {

bool isSeparator(QChar c) {
  return c == QLatin1Char('/') || c == QLatin1Char('\\');
}

// The file's name without its folder, for both separators.
QString bareFileName(const QString &file) {
  for (qsizetype i = file.size() - 1; i >= 0; --i)
    if (isSeparator(file.at(i)) || (i == 1 && file.at(i) == QLatin1Char(':')))
      return file.mid(i + 1);
  return file;
}

// The file's text: UTF-8 when it is valid UTF-8, else Latin-1 (older settings files).
QString readText(const QString &fileName) {
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly))
    return {};
  const QByteArray bytes = file.readAll();
  QStringDecoder utf8(QStringConverter::Utf8);
  const QString text = utf8(bytes);
  return utf8.hasError() ? QString::fromLatin1(bytes) : text;
}

// The value of key in group of an INI file, as ReadIniFile gives it.
QString iniValue(const QString &fileName, const QString &group, const QString &key) {
  const QList<TzelIniSection> sections = ReadIniFile(fileName);
  for (const TzelIniSection &section : sections)
    if (section.name.compare(group, Qt::CaseInsensitive) == 0)
      if (const auto value = section.value(key))
        return *value;
  return {};
}

} // namespace

std::optional<QString> TzelIniSection::value(const QString &key) const {
  for (const auto &[k, v] : entries)
    if (k.compare(key, Qt::CaseInsensitive) == 0)
      return v;
  return std::nullopt;
}

QList<TzelIniSection> ReadIniFile(const QString &fileName) {
  QList<TzelIniSection> sections;
  const QStringList lines = readText(fileName).split(u'\n');
  for (const QString &raw : lines) {
    const QString line = raw.trimmed();
    if (line.startsWith(u'[') && line.endsWith(u']')) {
      sections.append({line.mid(1, line.size() - 2).trimmed(), {}});
      continue;
    }
    const qsizetype eq = line.indexOf(u'=');
    if (sections.isEmpty() || eq <= 0 || line.startsWith(u';') || line.startsWith(u'#'))
      continue;
    QString value = line.mid(eq + 1).trimmed();
    if (value.size() >= 2 && value.startsWith(u'"') && value.endsWith(u'"'))
      value = value.mid(1, value.size() - 2);
    sections.last().entries.append({line.left(eq).trimmed(), value});
  }
  return sections;
}

bool IsAbsolutePath(const QString &path) {
  if (path.size() >= 3 && path.at(1) == QLatin1Char(':') && path.at(2) == QLatin1Char('\\'))
    return true;
  return path.startsWith(QLatin1String("\\\\")) || path.startsWith(QLatin1Char('/'));
}

QString AddTrailingBackslash(const QString &path) {
  if (!IsAbsolutePath(path))
    return path;
  const QChar separator = path.startsWith(QLatin1Char('/')) ? QLatin1Char('/') : QLatin1Char('\\');
  return path.endsWith(separator) ? path : path + separator;
}

QStringList SupportFolders() {
  QStringList folders;
  if (QCoreApplication::instance())
    folders << QCoreApplication::applicationDirPath();
  // This platform's stand-ins for the Windows folder and the system folder: the user's
  // configuration folder, then /etc.
  folders << QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
          << QStringLiteral("/etc");
  folders.removeAll(QString());
  return folders;
}

QString FindSupportFile(const QString &name) {
  const QStringList folders = SupportFolders();
  for (const QString &folder : folders) {
    QString candidate = QDir(folder).filePath(name);
    if (QFileInfo(candidate).isFile())
      return candidate;
  }
  return name;
}

QString InProgramFolder(const QString &fileName) {
  const bool hasFolder = fileName.contains(u'/') || fileName.contains(u'\\');
  return hasFolder ? fileName : QDir(QCoreApplication::applicationDirPath()).filePath(fileName);
}

QString LocateHelpFile(const QString &file) {
  const QString settings = FindSupportFile(QStringLiteral("PELLOX.INI"));
  if (!QFileInfo(settings).isAbsolute() || !QFileInfo(settings).isFile())
    return file;
  const QString help = iniValue(settings, QStringLiteral("Settings"), QStringLiteral("HELP"));
  if (help.isEmpty())
    return file;
  // A folder written with backslashes (C:\HELP) goes on with one; others with '/'.
  const QChar separator = help.contains(u'\\') && !help.contains(u'/') ? u'\\' : u'/';
  const QString folder = isSeparator(help.back()) ? help : help + separator;
  return folder + bareFileName(file);
}

int ScaleToScreen(int value, int screenPixelsPerInch) {
  return value * screenPixelsPerInch / 96;
}
