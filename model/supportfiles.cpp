#include "model/supportfiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

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

// The value of key in group of an INI file, matching both names without regard to case as
// INI files always have.
QString iniValue(const QString &fileName, const QString &group, const QString &key) {
  QSettings ini(fileName, QSettings::IniFormat);
  const QStringList groups = ini.childGroups();
  for (const QString &g : groups) {
    if (g.compare(group, Qt::CaseInsensitive) != 0)
      continue;
    ini.beginGroup(g);
    const QStringList keys = ini.childKeys();
    for (const QString &k : keys)
      if (k.compare(key, Qt::CaseInsensitive) == 0)
        return ini.value(k).toString();
    ini.endGroup();
  }
  return {};
}

} // namespace

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
    const QString candidate = QDir(folder).filePath(name);
    if (QFileInfo(candidate).isFile())
      return candidate;
  }
  return name;
}

QString LocateHelpFile(const QString &file) {
  const QString settings = FindSupportFile(QStringLiteral("PELLOX.INI"));
  if (!QFileInfo(settings).isAbsolute() || !QFileInfo(settings).isFile())
    return file;
  const QString help = iniValue(settings, QStringLiteral("Settings"), QStringLiteral("HELP"));
  if (help.isEmpty())
    return file;
  const QString folder = isSeparator(help.back()) ? help : help + QLatin1Char('/');
  return folder + bareFileName(file);
}

int ScaleToScreen(int value, int screenPixelsPerInch) {
  return value * screenPixelsPerInch / 96;
}
