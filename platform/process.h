// Starting programs and the current folder, for real.
#pragma once

#include <string>

#include "platform/desktop.h"

namespace wt {

// Starts a command line as a new process, without a shell and without
// waiting; the child gets the caller's current folder.
//
// Linux: the line is split at blanks and tabs with no quoting; the first word
// is the program (a system path, mapped like any other, or a bare name looked
// up on PATH), the rest are its arguments, passed unchanged. The bare name
// notepad, when no such program is on PATH, starts the desktop's plain text
// editor instead, on the mapped host paths of its arguments.
// Windows: the line goes to the OS unchanged.
bool StartCommandLine(const std::string& commandLine, WindowRequest window,
                      std::string* reason);

// Makes the system path `folder` the process's current folder.
bool ChangeCurrentFolder(const std::string& folder, std::string* reason);

}  // namespace wt
