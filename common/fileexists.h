#pragma once

#include <string_view>

namespace wt {

// True when the file at the system path `path` can be opened for reading; it
// is opened and closed again at once. False on any failure (no such file, an
// empty path, a folder, no access, a path that maps nowhere); nothing is
// reported. Only a regular file counts: pipes, sockets and devices do not,
// since opening one could block and reading one may never end.
bool FileExists(std::string_view path);

}  // namespace wt
