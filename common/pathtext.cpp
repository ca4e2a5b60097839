#include "common/pathtext.h"

#include "platform/paths.h"

namespace wt {

std::size_t LastPos(std::string_view s, char c) {
  std::size_t at = s.rfind(c);
  return at == std::string_view::npos ? 1 : at + 1;
}

std::size_t LastFolderPos(std::string_view s) {
  for (std::size_t i = s.size(); i > 0; --i) {
    if (EndsFolder(s[i - 1])) return i;
  }
  return 1;
}

std::string FileNameOf(std::string_view path) {
  for (std::size_t i = path.size(); i > 0; --i) {
    if (EndsFolder(path[i - 1])) return std::string(path.substr(i));
  }
  return std::string(path);
}

}  // namespace wt
