#include "platform/consoledesktop.h"

#include "platform/process.h"

namespace wt {

std::string ConsoleLine(const Message& message) {
  return message.title.empty() ? message.text : message.title + ": " + message.text;
}

MessageAnswer ConsoleDesktop::ShowMessage(const Message& message) {
  err_ << ConsoleLine(message) << '\n';
  err_.flush();
  return MessageAnswer::Ok;
}

DialogOutcome ConsoleDesktop::ShowOpen(FileDialog&) { return DialogOutcome::Cancelled; }

bool ConsoleDesktop::StartProgram(const std::string& commandLine, WindowRequest window,
                                  std::string* reason) {
  return StartCommandLine(commandLine, window, reason);
}

bool ConsoleDesktop::SetCurrentFolder(const std::string& folder, std::string* reason) {
  return ChangeCurrentFolder(folder, reason);
}

}  // namespace wt
