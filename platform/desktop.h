// The seam between the programs and what touches the world: message boxes,
// the Open-file dialog, starting programs and the current folder.
//
// Windows and start routines get a Desktop and never call the OS or the
// toolkit for these services themselves. Three implementations exist: the Qt
// one (qtdesktop.h), the console one (consoledesktop.h) and, for tests, the
// Recorder (recorder.h), which logs every request and answers from a script.
#pragma once

#include <string>

namespace wt {

enum class MessageIcon { None, Information, Critical };
enum class MessageButtons { Ok, OkCancel };
enum class MessageAnswer { Ok, Cancel };

struct Message {
  std::string text;
  std::string title;  // empty: the box has no title of its own
  MessageIcon icon = MessageIcon::None;
  MessageButtons buttons = MessageButtons::Ok;
};

// The properties of a common Open-file dialog. The object outlives one
// showing, as the dialog control of a window does, so a property set for one
// use (the default extension, say) stays in force for the next.
struct FileDialog {
  static constexpr int kFileMustExist = 4096;
  static constexpr int kHideReadOnly = 4;

  std::string fileName;     // initial name in, the chosen file's full path out
  std::string initDir;      // initial folder
  std::string dialogTitle;
  std::string filter;       // "Tarvo (*.in)|*.in|All Files (*.*)|*.*|"
  int filterIndex = 1;      // 1-based entry of the filter list shown first
  std::string defaultExt;   // appended to a typed name without extension
  int flags = 0;
  bool cancelError = false;  // whether cancelling counts as an error
};

enum class DialogOutcome { Chosen, Cancelled };

// How a started program's window should appear; a request a Linux desktop may
// ignore.
enum class WindowRequest { NormalActivated, MaximizedActivated };

class Desktop {
 public:
  virtual ~Desktop() = default;

  // Shows a modal message box and returns the button pressed.
  virtual MessageAnswer ShowMessage(const Message& message) = 0;

  // Shows `dialog` as an Open dialog. On Chosen, dialog.fileName holds the
  // chosen file; on Cancelled it is left as it was.
  virtual DialogOutcome ShowOpen(FileDialog& dialog) = 0;

  // Starts the command line as a new process and returns at once. False, with
  // the reason, when it could not be started.
  virtual bool StartProgram(const std::string& commandLine, WindowRequest window,
                            std::string* reason) = 0;

  // Makes the system path `folder` the process's current folder. False, with
  // the reason, when it cannot be made current.
  virtual bool SetCurrentFolder(const std::string& folder, std::string* reason) = 0;
};

}  // namespace wt
