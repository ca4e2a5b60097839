// The converter's windows live in a module of their own (xkryst_windows),
// loaded only when they are wanted, so that a conversion on the console does
// not pay for loading the toolkit. This is what the program and the module
// agree on.
#pragma once

namespace wt {

// The module's name (platform/module.h gives its file name) and its entry.
inline constexpr const char* kWindowsModule = "xkryst_windows";
inline constexpr const char* kWindowsEntry = "wt_xkryst_windows";

// The entry: runs xkryst in its windows on the command-line tail `tail`,
// with the program's arguments for the toolkit; gives the exit status, or
// kNoDisplay when no display can be reached (the console serves then).
using WindowsEntry = int (*)(int* argc, char** argv, const char* tail);
inline constexpr int kNoDisplay = -1;

}  // namespace wt
