// Files for the converter's tests: a fresh drives folder per test, so that
// c:\zorb\ lives in a temporary folder; coordinate files in their columns.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

#include "platform/paths.h"
#include "platform/testenv.h"

namespace wt::testing {

namespace fs = std::filesystem;

inline std::string ReadBytes(const fs::path& path) {
  std::ostringstream bytes;
  bytes << std::ifstream(path, std::ios::binary).rdbuf();
  return bytes.str();
}

inline void WriteBytes(const fs::path& path, std::string_view bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

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

// A fresh drives folder with an empty c:\zorb\, named by WINTARVO_DRIVES for
// the test's lifetime.
class TempDrives {
 public:
  TempDrives() {
    if (DrivesAreReal()) {
      // Windows: c:\zorb\ is the real folder. Only the disposable system of
      // the Windows build check may be written.
      if (!std::getenv("WINTARVO_SCRATCH_DRIVE_C")) {
        std::fprintf(stderr,
                     "these tests write c:\\zorb\\; set WINTARVO_SCRATCH_DRIVE_C to allow it\n");
        std::exit(1);
      }
      root_ = fs::path("c:\\");
      fs::remove_all(root_ / "zorb");
      fs::create_directories(root_ / "zorb");
      return;
    }
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    root_ = fs::temp_directory_path() / ("wt_converter_" + std::to_string(getpid()) + "_" +
                                         test->test_suite_name() + "_" + test->name());
    fs::remove_all(root_);
    fs::create_directories(root_ / "drive_c" / "zorb");
    drives_.emplace("WINTARVO_DRIVES", root_.string());
  }
  ~TempDrives() {
    if (DrivesAreReal()) {
      fs::remove_all(root_ / "zorb");
      return;
    }
    drives_.reset();
    fs::remove_all(root_);
  }

  const fs::path& Root() const { return root_; }
  // The host file of c:\zorb\<name>, its bytes, and writing them.
  fs::path Zorb(std::string_view name) const {
    return fs::path(*HostPath("c:\\zorb\\" + std::string(name)));
  }
  std::string Read(std::string_view name) const { return ReadBytes(Zorb(name)); }
  std::string Write(std::string_view name, std::string_view bytes) const {
    WriteBytes(Zorb(name), bytes);
    return "c:\\zorb\\" + std::string(name);
  }
  // c:\zorb\<name>: `head`, then a line of 65 MiB without a line end (NULs,
  // stored sparse, and "end").
  std::string WriteLongLine(std::string_view name, std::string_view head) const {
    const std::string path = Write(name, head);
    fs::resize_file(Zorb(name), std::uintmax_t{65} << 20);
    std::ofstream(Zorb(name), std::ios::binary | std::ios::app) << "end";
    return path;
  }

 private:
  fs::path root_;
  std::optional<ScopedEnvironment> drives_;
};

}  // namespace wt::testing
