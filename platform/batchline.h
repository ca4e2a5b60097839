// Whether a batch file's command line passes through the command interpreter.
#pragma once

namespace wt {

// True when starting a batch file hands its command line to the command
// interpreter, which gives & | < > ^ % a meaning of their own (Windows); false
// where no interpreter is involved and every character reaches the program
// as it is (Linux).
bool BatchLineGoesThroughInterpreter();

}  // namespace wt
