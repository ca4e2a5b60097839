// Files for the converter's tests: coordinate files in their columns, in the
// drives folder of the test (platform/tests/tempdrives.h).
#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "platform/tests/tempdrives.h"

namespace wt::testing {

namespace fs = std::filesystem;

// Lines each ended by CR LF.
inline std::string CrLf(std::initializer_list<std::string_view> lines) {
  std::string text;
  for (std::string_view line : lines) text += std::string(line) + "\r\n";
  return text;
}

inline std::string Right(std::string_view text, std::size_t width) {
  return std::string(width > text.size() ? width - text.size() : 0, ' ') + std::string(text);
}

// An atom line in the reader's columns, and a step: marker, count line, the
// line that is not read, atom lines.
inline std::string AtomLine(std::string_view x, std::string_view y, std::string_view z,
                            std::string_view symbol, std::string_view tag = "1") {
  return Right(x, 15) + Right(y, 15) + Right(z, 15) + "  " + std::string(symbol) +
         std::string(23, ' ') + Right(tag, 3);
}
inline std::string Step(std::string_view count, std::initializer_list<std::string> atoms) {
  std::string text = "$ step\r\n" + std::string(count) + "\r\nenergy\r\n";
  for (const std::string& atom : atoms) text += atom + "\r\n";
  return text;
}
inline std::string HydrogenStep() {
  return Step("1", {AtomLine("1", "0", "0", "H ")});
}

#if defined(WT_XKRYST)
// xkryst as built beside this test program (WT_XKRYST names it relative to
// the test program's folder), so that a copy of the build runs its own.
inline std::string Xkryst() {
  return (fs::read_symlink("/proc/self/exe").parent_path() / WT_XKRYST).lexically_normal().string();
}
#endif

// c:\zorb\<name> in `drives`: `head`, then a line of 65 MiB without a line
// end (NULs, stored sparse, and "end"); gives the drive path.
inline std::string WriteLongLine(const TempDrives& drives, std::string_view name,
                                 std::string_view head) {
  const std::string path = drives.Write(name, head);
  fs::resize_file(drives.Zorb(name), std::uintmax_t{65} << 20);
  std::ofstream(drives.Zorb(name), std::ios::binary | std::ios::app) << "end";
  return path;
}

}  // namespace wt::testing
