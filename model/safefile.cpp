// SPDX-License-Identifier: MIT
#include "model/safefile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

TzelFileOwner TzelFileOwner::of(const QString &fileName) {
  struct stat st = {};
  if (::stat(QFile::encodeName(fileName).constData(), &st) != 0)
    return {};
  return {true, st.st_uid, st.st_gid};
}

void TzelFileOwner::giveTo(const QString &fileName) const {
  if (!known)
    return;
  const QByteArray name = QFile::encodeName(fileName);
  if (::chown(name.constData(), uid, gid) != 0)
    (void)!::chown(name.constData(), uid_t(-1), gid);
}

TzelWriteTarget zelWriteTarget(const QString &fileName) {
  QFileInfo info(fileName);
  for (int depth = 0; info.isSymLink() && depth < 40; ++depth)
    info.setFile(info.symLinkTarget());
  const QString path = info.filePath();
  if (info.isSymLink())
    return {path, QString::fromLocal8Bit(std::strerror(ELOOP))};
  const QByteArray name = QFile::encodeName(path);
  struct stat st = {};
  if (::stat(name.constData(), &st) != 0)
    return {path, {}};
  if (!S_ISREG(st.st_mode))
    return {path, QStringLiteral("it is not a regular file")};
  // The rename that replaces the file needs only the folder's permission, not the file's.
  if (::access(name.constData(), W_OK) != 0)
    return {path, QString::fromLocal8Bit(std::strerror(errno))};
  return {path, {}};
}

QString WriteFileSafely(const QString &fileName, const QByteArray &bytes) {
  if (const TzelWriteTarget target = zelWriteTarget(fileName); !target.refusal.isEmpty())
    return target.refusal;
  const TzelFileOwner owner = TzelFileOwner::of(fileName);
  // Unbuffered, so that a short write (a full disk, a size limit) shows in write()'s count
  // instead of vanishing in the buffer's flush.
  QSaveFile file(fileName);
  const bool written =
      file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) && file.write(bytes) == bytes.size();
  if (written && file.commit()) {
    owner.giveTo(fileName);
    return {};
  }
  QString reason = file.errorString();
  file.cancelWriting();
  return reason;
}

QString ReplaceFileWith(const QString &temporary, const QString &target) {
  const QByteArray from = QFile::encodeName(temporary);
  const QByteArray to = QFile::encodeName(target);
  // A private file must not become readable by others through its replacement. The owner
  // goes first: chown clears set-user-ID bits that the mode then restores.
  struct stat old = {};
  if (::stat(to.constData(), &old) == 0) {
    TzelFileOwner{true, old.st_uid, old.st_gid}.giveTo(temporary);
    ::chmod(from.constData(), old.st_mode & 07777);
  }
  if (std::rename(from.constData(), to.constData()) == 0)
    return {};
  QString reason = QString::fromLocal8Bit(std::strerror(errno));
  QFile::remove(temporary);
  return reason;
}

TzelPrivateCreation::TzelPrivateCreation() : m_umask(::umask(077)) {}

TzelPrivateCreation::~TzelPrivateCreation() {
  ::umask(mode_t(m_umask));
}
