// Small text helpers for paths.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace wt {

// The 1-based position of the last occurrence of `c` in `s`; 1 when `c` does
// not occur or `s` is empty.
std::size_t LastPos(std::string_view s, char c);

// The 1-based position of the last character that ends a folder (the
// backslash, and on Linux the slash too); 1 when there is none.
std::size_t LastFolderPos(std::string_view s);

// The part of `path` after the last character that ends a folder; the whole
// text when there is none.
std::string FileNameOf(std::string_view path);

}  // namespace wt
