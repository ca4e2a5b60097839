// A Desktop for tests: logs every message box, file dialog, program start and
// change of folder, and answers from a script. Nothing reaches the OS.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/desktop.h"

namespace wt {

struct RecordedEvent {
  enum class Kind { Message, OpenDialog, Start, ChangeFolder };
  Kind kind;
  Message message;          // Message
  FileDialog dialog;        // OpenDialog: the properties as the dialog was shown
  std::string commandLine;  // Start
  WindowRequest window = WindowRequest::NormalActivated;  // Start
  std::string folder;       // Start: the current folder then; ChangeFolder: the new one
};

class Recorder : public Desktop {
 public:
  // Script. Each request takes the next answer; when none is left a message
  // box answers OK and a file dialog is cancelled.
  std::deque<MessageAnswer> messageAnswers;
  std::deque<std::optional<std::string>> openAnswers;  // a chosen file, or nothing: cancel
  // Called while a message box is "open", before it answers.
  std::function<void(const Message&)> onMessage;
  // Failures to simulate.
  std::optional<std::string> startFailure;   // every start fails with this reason
  std::optional<std::string> folderFailure;  // every change of folder fails with this reason

  std::vector<RecordedEvent> events;
  std::string currentFolder;

  MessageAnswer ShowMessage(const Message& message) override;
  DialogOutcome ShowOpen(FileDialog& dialog) override;
  bool StartProgram(const std::string& commandLine, WindowRequest window,
                    std::string* reason) override;
  bool SetCurrentFolder(const std::string& folder, std::string* reason) override;

  // Convenience views of the log.
  std::vector<Message> Messages() const;
  std::vector<std::string> Starts() const;  // command lines, in order
  const RecordedEvent* Last(RecordedEvent::Kind kind) const;
  void Clear() { events.clear(); }
};

}  // namespace wt
