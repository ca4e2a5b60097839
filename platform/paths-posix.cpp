#include "platform/paths.h"

#include <cctype>
#include <cstdlib>

namespace wt {

std::optional<std::string> DrivesFolder() {
  const char* drives = std::getenv("WINTARVO_DRIVES");
  if (drives && *drives) return std::string(drives);
  const char* home = std::getenv("HOME");
  if (home && *home) return std::string(home) + "/.wintarvo";
  return std::nullopt;
}

std::optional<std::string> HostPath(std::string_view systemPath) {
  std::string host;
  std::string_view rest = systemPath;
  const bool hasDrive = systemPath.size() >= 2 && systemPath[1] == ':' &&
                        std::isalpha(static_cast<unsigned char>(systemPath[0]));
  if (hasDrive) {
    std::optional<std::string> drives = DrivesFolder();
    if (!drives) return std::nullopt;
    host = *drives;
    if (!host.empty() && host.back() == '/') host.pop_back();
    host += "/drive_";
    host += static_cast<char>(std::tolower(static_cast<unsigned char>(systemPath[0])));
    rest = systemPath.substr(2);
    // "c:zorb" is relative to the drive's current folder; on Linux that is the
    // drive's root.
    if (!rest.empty() && rest.front() != '\\' && rest.front() != '/') host += '/';
  }
  host.reserve(host.size() + rest.size());
  for (char c : rest) host += (c == '\\') ? '/' : c;
  return host;
}

bool EndsFolder(char c) { return c == '\\' || c == '/'; }

}  // namespace wt
