// A fresh drives folder for each test, so that c:\zorb\ and every other drive
// path live in a temporary folder of the test's own.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>

#include "platform/paths.h"
#include "platform/testenv.h"

namespace wt::testing {

inline std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

inline void WriteBytes(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// For as long as it lives, WINTARVO_DRIVES names a fresh folder, named after
// the process and the test, holding an empty c:\zorb\. On Windows, where drive
// paths are the real drives, c:\zorb\ itself is emptied, and only where
// WINTARVO_SCRATCH_DRIVE_C says the system is a disposable one.
class TempDrives {
 public:
  TempDrives() {
    namespace fs = std::filesystem;
    if (DrivesAreReal() && !std::getenv("WINTARVO_SCRATCH_DRIVE_C")) {
      std::fputs("set WINTARVO_SCRATCH_DRIVE_C to let the tests write c:\\zorb\\\n", stderr);
      std::exit(1);
    }
    if (!DrivesAreReal()) {
      const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
      root_ = fs::temp_directory_path() / ("wt_drives_" + std::to_string(getpid()) + "_" +
                                           test->test_suite_name() + "_" + test->name());
      fs::remove_all(root_);
      drives_.emplace("WINTARVO_DRIVES", root_.string());
    }
    fs::remove_all(Zorb(""));
    fs::create_directories(Zorb(""));
  }
  TempDrives(const TempDrives&) = delete;
  TempDrives& operator=(const TempDrives&) = delete;
  ~TempDrives() {
    std::error_code ignored;  // a test that failed half-way may leave closed folders
    std::filesystem::remove_all(DrivesAreReal() ? Zorb("") : root_, ignored);
    drives_.reset();
  }

  // The drives folder (c:\ itself on Windows).
  const std::filesystem::path& Root() const { return root_; }
  // The host path of c:\zorb\<name>.
  std::filesystem::path Zorb(std::string_view name) const {
    return *HostPath("c:\\zorb\\" + std::string(name));
  }
  // The bytes of c:\zorb\<name>, and writing them; Write gives the drive path.
  std::string Read(std::string_view name) const { return ReadBytes(Zorb(name)); }
  std::string Write(std::string_view name, std::string_view bytes) const {
    WriteBytes(Zorb(name), bytes);
    return "c:\\zorb\\" + std::string(name);
  }

 private:
  std::filesystem::path root_ = "c:\\";
  std::optional<ScopedEnvironment> drives_;
};

}  // namespace wt::testing
