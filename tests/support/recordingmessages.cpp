#include "support/recordingmessages.h"

namespace {

// The seam owns its handler, while a recorder lives on the test's stack: the seam gets
// a forwarder that points back at the recorder.
class MessageForwarder : public TzelMessageHandler {
public:
  explicit MessageForwarder(RecordingMessages &rec) : rec(rec) {}
  TzelAnswer messageBox(const QString &text, TzelMessageKind kind, TzelButtons buttons) override {
    rec.messages.append({text, kind, buttons});
    if (!rec.answers.isEmpty())
      return rec.answers.dequeue();
    return buttons == TzelButtons::Ok ? TzelAnswer::Ok : TzelAnswer::Yes;
  }
  bool inputBox(const QString &caption, const QString &prompt, QString &text) override {
    rec.inputs.append({caption, prompt, text});
    if (rec.inputAnswers.isEmpty())
      return false;
    const std::optional<QString> answer = rec.inputAnswers.dequeue();
    if (!answer)
      return false;
    text = *answer;
    return true;
  }
  void showMessageList(const QStringList &lines, const QString &title) override {
    rec.lists.append({lines, title});
  }
  void hideMessageList() override { ++rec.hides; }

private:
  RecordingMessages &rec;
};

class HelpForwarder : public TzelHelpHandler {
public:
  explicit HelpForwarder(RecordingHelp &rec) : rec(rec) {}
  void showHelp(const QString &helpFile, int context) override {
    rec.calls.append({helpFile, context});
  }

private:
  RecordingHelp &rec;
};

} // namespace

RecordingMessages::RecordingMessages()
    : previous(zelSetMessageHandler(std::make_unique<MessageForwarder>(*this))) {}

RecordingMessages::~RecordingMessages() {
  zelSetMessageHandler(std::move(previous));
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

RecordingHelp::RecordingHelp()
    : previous(zelSetHelpHandler(std::make_unique<HelpForwarder>(*this))) {}

RecordingHelp::~RecordingHelp() {
  zelSetHelpHandler(std::move(previous));
}
