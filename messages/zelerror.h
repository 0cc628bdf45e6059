// SPDX-License-Identifier: MIT
#pragma once

#include "zelcore_export.h"

#include <QByteArray>
#include <QString>
#include <exception>

// The library's exception: one message, which begins with "Error: ".
class ZELCORE_EXPORT EzelError : public std::exception {
public:
  explicit EzelError(QString message) : m_message(std::move(message)), m_utf8(m_message.toUtf8()) {}
  const QString &message() const noexcept { return m_message; }
  const char *what() const noexcept override { return m_utf8.constData(); }

private:
  QString m_message;
  QByteArray m_utf8;
};
