// SPDX-License-Identifier: MIT
#include "messages/zelmessages.h"

#include "messages/zelerror.h"
#include "messages/zelinteraction.h"

#include <algorithm>

TzelAnswer zelDecliningAnswer(TzelButtons buttons) {
  switch (buttons) {
  case TzelButtons::Ok:
    return TzelAnswer::Ok;
  case TzelButtons::YesNo:
    return TzelAnswer::No;
  case TzelButtons::YesNoCancel:
    return TzelAnswer::Cancel;
  }
  return TzelAnswer::Cancel;
}

QString zelReadableText(const QString &text) {
  constexpr qsizetype NameLimit = 200;
  constexpr qsizetype LineLimit = 1000;
  const QChar ellipsis(0x2026);
  QString result;
  result.reserve(std::min(text.size(), qsizetype(4 * LineLimit)));
  qsizetype line = 0;    // characters kept on the current line
  qsizetype inName = -1; // characters of the current bracketed name, -1 outside one
  bool kept = true;      // the previous character was kept: a surrogate pair stays whole
  for (const QChar c : text) {
    if (c.isLowSurrogate()) {
      if (kept)
        result += c;
      continue;
    }
    kept = false;
    if (c == u'\n') {
      line = -1;
      inName = -1;
    } else if (c == u'[') {
      inName = 0;
    } else if (c == u']') {
      inName = -1;
    } else if (inName >= 0 && ++inName > NameLimit) {
      if (inName == NameLimit + 1)
        result += ellipsis;
      continue;
    }
    if (++line > LineLimit) {
      if (line == LineLimit + 1)
        result += ellipsis;
      continue;
    }
    result += c;
    kept = true;
  }
  return result;
}

TzelAnswer zelMessageBox(const QString &text, TzelMessageKind kind, TzelButtons buttons) {
  return zelInteraction().messageBox(zelReadableText(text), kind, buttons);
}

bool zelConfirmReplace(const QString &fileName) {
  return zelMessageBox(QStringLiteral("The file ") + fileName +
                           QStringLiteral(" already exists.\r\rDo you want to replace it?"),
                       TzelMessageKind::Confirmation, TzelButtons::YesNo) == TzelAnswer::Yes;
}

bool zelInputBox(const QString &caption, const QString &prompt, QString &text) {
  return zelInteraction().inputBox(caption, prompt, text);
}

bool zelInputBox(const QString &caption, const QString &prompt, QString &text,
                 const std::function<void()> &help) {
  return zelInteraction().inputBoxWithHelp(caption, prompt, text, help);
}

bool ShowMessages(QStringList &lines, const QString &title) {
  if (lines.isEmpty()) {
    zelInteraction().hideMessageList();
    return false;
  }
  QStringList readable;
  for (const QString &line : std::as_const(lines))
    readable << zelReadableText(line);
  zelInteraction().showMessageList(readable, title);
  lines.clear();
  return true;
}

bool zelCatchToMessage(const std::function<void()> &action) {
  try {
    action();
    return true;
  } catch (const EzelError &error) {
    zelShowError(error.message());
    return false;
  }
}
