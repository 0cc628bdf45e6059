#include "messages/zelmessages.h"

#include "messages/zelerror.h"

#include <algorithm>
#include <cstdio>

namespace {

// Until a program installs its own handler, messages go to standard error and every
// question is answered with its first button; nothing ever blocks.
class StderrHandler : public TzelMessageHandler {
public:
  TzelAnswer messageBox(const QString &text, TzelMessageKind, TzelButtons buttons) override {
    std::fprintf(stderr, "%s\n", qPrintable(text));
    return buttons == TzelButtons::Ok ? TzelAnswer::Ok : TzelAnswer::Yes;
  }
  bool inputBox(const QString &, const QString &, QString &) override { return false; }
  void showMessageList(const QStringList &lines, const QString &) override {
    for (const QString &line : lines)
      std::fprintf(stderr, "%s\n", qPrintable(line));
  }
  void hideMessageList() override {}
};

std::unique_ptr<TzelMessageHandler> &handlerSlot() {
  static std::unique_ptr<TzelMessageHandler> handler = std::make_unique<StderrHandler>();
  return handler;
}

} // namespace

std::unique_ptr<TzelMessageHandler>
zelSetMessageHandler(std::unique_ptr<TzelMessageHandler> handler) {
  if (!handler)
    handler = std::make_unique<StderrHandler>();
  std::swap(handlerSlot(), handler);
  return handler;
}

TzelMessageHandler &zelMessageHandler() {
  return *handlerSlot();
}

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
  return zelMessageHandler().messageBox(zelReadableText(text), kind, buttons);
}

bool zelConfirmReplace(const QString &fileName) {
  return zelMessageBox(QStringLiteral("The file ") + fileName +
                           QStringLiteral(" already exists.\r\rDo you want to replace it?"),
                       TzelMessageKind::Confirmation, TzelButtons::YesNo) == TzelAnswer::Yes;
}

bool zelInputBox(const QString &caption, const QString &prompt, QString &text) {
  return zelMessageHandler().inputBox(caption, prompt, text);
}

bool ShowMessages(QStringList &lines, const QString &title) {
  if (lines.isEmpty()) {
    zelMessageHandler().hideMessageList();
    return false;
  }
  QStringList readable;
  for (const QString &line : std::as_const(lines))
    readable << zelReadableText(line);
  zelMessageHandler().showMessageList(readable, title);
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
