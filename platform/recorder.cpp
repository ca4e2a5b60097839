#include "platform/recorder.h"

namespace wt {

MessageAnswer Recorder::ShowMessage(const Message& message) {
  RecordedEvent e{RecordedEvent::Kind::Message};
  e.message = message;
  events.push_back(e);
  if (onMessage) onMessage(message);
  if (messageAnswers.empty()) return MessageAnswer::Ok;
  MessageAnswer answer = messageAnswers.front();
  messageAnswers.pop_front();
  return answer;
}

DialogOutcome Recorder::ShowOpen(FileDialog& dialog) {
  RecordedEvent e{RecordedEvent::Kind::OpenDialog};
  e.dialog = dialog;
  events.push_back(e);
  if (openAnswers.empty()) return DialogOutcome::Cancelled;
  std::optional<std::string> answer = openAnswers.front();
  openAnswers.pop_front();
  if (!answer) return DialogOutcome::Cancelled;
  dialog.fileName = *answer;
  return DialogOutcome::Chosen;
}

bool Recorder::StartProgram(const std::string& commandLine, WindowRequest window,
                            std::string* reason) {
  RecordedEvent e{RecordedEvent::Kind::Start};
  e.commandLine = commandLine;
  e.window = window;
  e.folder = currentFolder;
  events.push_back(e);
  if (startFailure) {
    if (reason) *reason = *startFailure;
    return false;
  }
  return true;
}

bool Recorder::SetCurrentFolder(const std::string& folder, std::string* reason) {
  RecordedEvent e{RecordedEvent::Kind::ChangeFolder};
  e.folder = folder;
  events.push_back(e);
  if (folderFailure) {
    if (reason) *reason = *folderFailure;
    return false;
  }
  currentFolder = folder;
  return true;
}

std::vector<Message> Recorder::Messages() const {
  std::vector<Message> result;
  for (const RecordedEvent& e : events) {
    if (e.kind == RecordedEvent::Kind::Message) result.push_back(e.message);
  }
  return result;
}

std::vector<std::string> Recorder::Starts() const {
  std::vector<std::string> result;
  for (const RecordedEvent& e : events) {
    if (e.kind == RecordedEvent::Kind::Start) result.push_back(e.commandLine);
  }
  return result;
}

const RecordedEvent* Recorder::Last(RecordedEvent::Kind kind) const {
  for (auto it = events.rbegin(); it != events.rend(); ++it) {
    if (it->kind == kind) return &*it;
  }
  return nullptr;
}

}  // namespace wt
