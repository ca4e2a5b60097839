// Parts of a program kept in a module of their own, loaded only when wanted,
// so that a run that does not need them does not pay for loading what they
// link (the converter's windows and the toolkit behind them, say).
#pragma once

#include <string>

namespace wt {

// The address of `symbol` in the module `file` (a host path), loading the
// module first; the module stays loaded until the program ends. Null when it
// cannot be had, with `reason` (when given) saying why.
void* ModuleSymbol(const std::string& file, const char* symbol, std::string* reason);

// The file name a module called `name` has on this system: NAME.so,
// NAME.dll.
std::string ModuleFileName(const std::string& name);

}  // namespace wt
