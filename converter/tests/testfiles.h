// Files for the converter's tests: a fresh drives folder per test, so that
// c:\zorb\ lives in a temporary folder, and byte-exact file access.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>

#include "platform/paths.h"

namespace wt::testing {

namespace fs = std::filesystem;

inline std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

inline void WriteBytes(const fs::path& path, std::string_view bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

// An expected file of tests/golden.
inline std::string Golden(std::string_view name) {
  fs::path path = fs::path(WT_GOLDEN_DIR) / name;
  EXPECT_TRUE(fs::exists(path)) << path;
  return ReadBytes(path);
}

// Lines joined with CR LF, each one ended by it.
inline std::string CrLf(std::initializer_list<std::string_view> lines) {
  std::string text;
  for (std::string_view line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

// A fresh drives folder with an empty c:\zorb\, named WINTARVO_DRIVES for the
// test's lifetime.
class TempDrives {
 public:
  TempDrives() {
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    root_ = fs::temp_directory_path() / ("wt_converter_" + std::to_string(getpid()) + "_" +
                                         test->test_suite_name() + "_" + test->name());
    fs::remove_all(root_);
    fs::create_directories(root_ / "drive_c" / "zorb");
    setenv("WINTARVO_DRIVES", root_.c_str(), 1);
  }
  ~TempDrives() {
    unsetenv("WINTARVO_DRIVES");
    fs::remove_all(root_);
  }
  TempDrives(const TempDrives&) = delete;
  TempDrives& operator=(const TempDrives&) = delete;

  const fs::path& Root() const { return root_; }

  // The host file of a system path such as C:\zorb\tarvo.mol.
  fs::path Host(std::string_view systemPath) const { return fs::path(*HostPath(systemPath)); }

 private:
  fs::path root_;
};

}  // namespace wt::testing
