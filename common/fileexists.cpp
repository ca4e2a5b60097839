#include "common/fileexists.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "platform/paths.h"

namespace wt {

bool FileExists(std::string_view path) {
  if (path.empty()) return false;
  std::optional<std::string> host = HostPath(path);
  if (!host || host->empty()) return false;
  std::error_code ec;
  auto type = std::filesystem::status(*host, ec).type();
  // Only a regular file: a folder cannot be read as text, a pipe could
  // block the open, and a device may never end.
  if (ec || type != std::filesystem::file_type::regular) return false;
  std::FILE* f = std::fopen(host->c_str(), "rb");
  if (!f) return false;
  std::fclose(f);
  return true;
}

}  // namespace wt
