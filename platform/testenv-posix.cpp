#include <cstdlib>

#include "platform/testenv.h"

namespace wt {

void SetEnvironment(const std::string& name, const std::string& value) {
  setenv(name.c_str(), value.c_str(), 1);
}

void ClearEnvironment(const std::string& name) { unsetenv(name.c_str()); }

bool DrivesAreReal() { return false; }

}  // namespace wt
