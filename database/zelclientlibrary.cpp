// SPDX-License-Identifier: MIT
#include "database/zelclientlibrary.h"

#include "model/zeltypes.h"

using namespace Qt::StringLiterals;

TzelClientLibrary::TzelClientLibrary(const QString &engine, const QString &file, int version)
    : m_engine(engine), m_library(file, version) {
  if (!m_library.load())
    throw EzelError(u"Error: The "_s + m_engine + u" client library cannot be loaded: "_s +
                    m_library.errorString());
}

QFunctionPointer TzelClientLibrary::address(const char *name) {
  const QFunctionPointer function = m_library.resolve(name);
  if (!function)
    throw EzelError(u"Error: The "_s + m_engine + u" client library lacks "_s +
                    QLatin1String(name));
  return function;
}
