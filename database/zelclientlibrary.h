// SPDX-License-Identifier: MIT
#pragma once
// A database client library loaded when its engine's first statement runs rather than at
// start-up, with its functions looked up by name into a table of typed pointers. The
// library stays loaded for the life of the process.

#include <QLibrary>
#include <QString>

class TzelClientLibrary {
public:
  // Loads lib<file>.so.<version>; engine names it in messages ("PostgreSQL"). Throws
  // EzelError when it cannot be loaded.
  TzelClientLibrary(const QString &engine, const QString &file, int version);
  TzelClientLibrary(const TzelClientLibrary &) = delete;
  TzelClientLibrary &operator=(const TzelClientLibrary &) = delete;

  // Sets function to the library's symbol name; throws EzelError when the library lacks it.
  template <typename F> void resolve(F &function, const char *name) {
    function = reinterpret_cast<F>(address(name));
  }

private:
  QFunctionPointer address(const char *name);

  QString m_engine;
  QLibrary m_library;
};
