#include "platform/firststart.h"

namespace wt {

// c:\zorb\ is the real installation folder on Windows: there is nothing to
// make it from.
FirstStart MakeUserInstallation(const std::string& /*programFolder*/, std::string* /*reason*/) {
  return FirstStart::kNotSystem;
}

std::vector<BrokenLink> BrokenLinks() { return {}; }

std::vector<std::string> Relink(const std::vector<BrokenLink>& /*broken*/,
                                const std::string& /*programFolder*/) {
  return {};
}

std::string ProgramFolder() {
  return std::string();
}

void PrepareUserInstallation(std::string_view /*programName*/) {}

void PrepareUserInstallation(std::string_view /*programName*/, const std::string& /*programFolder*/,
                             std::ostream& /*err*/) {}

}  // namespace wt
