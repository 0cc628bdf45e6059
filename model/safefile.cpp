#include "model/safefile.h"

#include <QSaveFile>

QString WriteFileSafely(const QString &fileName, const QByteArray &bytes) {
  // Unbuffered, so that a short write (a full disk, a size limit) shows in write()'s count
  // instead of vanishing in the buffer's flush.
  QSaveFile file(fileName);
  const bool written =
      file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) && file.write(bytes) == bytes.size();
  if (written && file.commit())
    return {};
  QString reason = file.errorString();
  file.cancelWriting();
  return reason;
}
