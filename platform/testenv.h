// Environment variables for tests, on either system.
#pragma once

#include <string>

namespace wt {

void SetEnvironment(const std::string& name, const std::string& value);
void ClearEnvironment(const std::string& name);

// True where drive paths are the system's real drives (Windows), so a test
// that writes c:\zorb\ writes the real folder.
bool DrivesAreReal();

}  // namespace wt
