// The Desktop in windows: QMessageBox and QFileDialog, modal over the active
// window; programs and folders for real.
#pragma once

#include <QStringList>
#include <string>

#include "platform/desktop.h"

namespace wt {

class QtDesktop : public Desktop {
 public:
  // `applicationTitle` is the title of message boxes that have none of their own.
  explicit QtDesktop(std::string applicationTitle) : title_(std::move(applicationTitle)) {}

  MessageAnswer ShowMessage(const Message& message) override;
  DialogOutcome ShowOpen(FileDialog& dialog) override;
  bool StartProgram(const std::string& commandLine, WindowRequest window,
                    std::string* reason) override;
  bool SetCurrentFolder(const std::string& folder, std::string* reason) override;

 private:
  std::string title_;
};

// The Qt name filters of a filter list "Tarvo (*.in)|*.in|All Files (*.*)|*.*|":
// one per pair of description and patterns. On Linux *.* becomes *, so that
// "All Files" also lists names without a dot.
QStringList NameFiltersOf(const std::string& filter);

}  // namespace wt
