#include <windows.h>

#include "platform/module.h"

namespace wt {

void* ModuleSymbol(const std::string& file, const char* symbol, std::string* reason) {
  HMODULE module = LoadLibraryA(file.c_str());
  FARPROC address = module ? GetProcAddress(module, symbol) : nullptr;
  if (!address && reason) {
    *reason = file + ": " + (module ? std::string(symbol) + " is missing"
                                    : "cannot be loaded (error " + std::to_string(GetLastError()) + ")");
  }
  return reinterpret_cast<void*>(address);
}

std::string ModuleFileName(const std::string& name) { return name + ".dll"; }

}  // namespace wt
