#include <dlfcn.h>

#include "platform/module.h"

namespace wt {

void* ModuleSymbol(const std::string& file, const char* symbol, std::string* reason) {
  void* module = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
  void* address = module ? dlsym(module, symbol) : nullptr;
  if (!address && reason) {
    const char* error = dlerror();
    *reason = error ? error : file + ": " + symbol + " is missing";
  }
  return address;
}

std::string ModuleFileName(const std::string& name) { return name + ".so"; }

}  // namespace wt
