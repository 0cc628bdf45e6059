// SPDX-License-Identifier: MIT
#pragma once
// A small file system mounted on a folder for the length of a scope, so that writes run out
// of room as on a full disk. Mounting needs root; whyNot() says why there is no disk, and a
// test skips with that reason.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <sys/mount.h>
#include <unistd.h>

class SmallDisk {
public:
  SmallDisk(const QString &folder, const char *size) : m_folder(QFile::encodeName(folder)) {
    if (::geteuid() != 0) {
      m_whyNot = "mounting a small file system needs root";
      return;
    }
    QDir().mkpath(folder);
    const QByteArray options = QByteArray("size=") + size;
    if (::mount("tmpfs", m_folder.constData(), "tmpfs", 0, options.constData()) != 0)
      m_whyNot = "a tmpfs cannot be mounted here";
  }
  ~SmallDisk() {
    if (!m_whyNot)
      ::umount(m_folder.constData());
  }
  SmallDisk(const SmallDisk &) = delete;
  SmallDisk &operator=(const SmallDisk &) = delete;

  const char *whyNot() const { return m_whyNot; } // null when mounted

private:
  QByteArray m_folder;
  const char *m_whyNot = nullptr;
};
