// Meeting the user on the console: a message box becomes one line on
// standard error, "Title: text" (just the text where the box has no title of
// its own), and takes its default answer, OK. There is no file dialog.
#pragma once

#include <iostream>

#include "platform/desktop.h"

namespace wt {

class ConsoleDesktop : public Desktop {
 public:
  explicit ConsoleDesktop(std::ostream& err = std::cerr) : err_(err) {}

  MessageAnswer ShowMessage(const Message& message) override;
  DialogOutcome ShowOpen(FileDialog& dialog) override;
  bool StartProgram(const std::string& commandLine, WindowRequest window,
                    std::string* reason) override;
  bool SetCurrentFolder(const std::string& folder, std::string* reason) override;

 private:
  std::ostream& err_;
};

// The console line for a message box.
std::string ConsoleLine(const Message& message);

}  // namespace wt
