#include <cstdlib>

#include "platform/testenv.h"

namespace wt {

void SetEnvironment(const std::string& name, const std::string& value) {
  _putenv_s(name.c_str(), value.c_str());
}

void ClearEnvironment(const std::string& name) { _putenv_s(name.c_str(), ""); }

bool DrivesAreReal() { return true; }

}  // namespace wt
