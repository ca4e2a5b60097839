#include "platform/paths.h"

namespace wt {

std::optional<std::string> DrivesFolder() { return std::string(); }

std::optional<std::string> HostPath(std::string_view systemPath) {
  return std::string(systemPath);
}

bool EndsFolder(char c) { return c == '\\'; }

}  // namespace wt
