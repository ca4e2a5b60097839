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
  if (ec || (type != std::filesystem::file_type::regular &&
             type != std::filesystem::file_type::character &&
             type != std::filesystem::file_type::block)) {
    return false;
  }
  std::FILE* f = std::fopen(host->c_str(), "rb");
  if (!f) return false;
  std::fclose(f);
  return true;
}

}  // namespace wt
