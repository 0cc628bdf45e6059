#pragma once
// Replacing a file without ever leaving a half-written one in its place: the bytes go to a
// file beside it, which is renamed over the target only when every byte was written.

#include <QByteArray>
#include <QString>

// Empty on success; otherwise the reason, and the target is as it was.
QString WriteFileSafely(const QString &fileName, const QByteArray &bytes);
