// SPDX-License-Identifier: MIT
#include "support/recordingmessages.h"

TzelAnswer RecordingMessages::messageBox(const QString &text, TzelMessageKind kind,
                                         TzelButtons buttons) {
  messages.append({text, kind, buttons});
  if (!answers.isEmpty())
    return answers.dequeue();
  return buttons == TzelButtons::Ok ? TzelAnswer::Ok : TzelAnswer::Yes;
}

bool RecordingMessages::inputBox(const QString &caption, const QString &prompt, QString &text) {
  inputs.append({caption, prompt, text});
  if (inputAnswers.isEmpty())
    return false;
  const std::optional<QString> answer = inputAnswers.dequeue();
  if (!answer)
    return false;
  text = *answer;
  return true;
}

void RecordingMessages::showMessageList(const QStringList &lines, const QString &title) {
  lists.append({lines, title});
}

QStringList RecordingMessages::texts() const {
  QStringList result;
  for (const RecordedMessage &m : messages)
    result << m.text;
  return result;
}

QString RecordingMessages::lastText() const {
  return messages.isEmpty() ? QString() : messages.last().text;
}

void RecordingMessages::clear() {
  messages.clear();
  inputs.clear();
  lists.clear();
  hides = 0;
}
