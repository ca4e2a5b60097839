// A place of its own in the temporary folder for the running test, so that
// tests and runs side by side never meet there.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

namespace wt {

// <temp>/<prefix>_<process>_<test name>; nothing is made.
inline std::filesystem::path TestPath(const std::string& prefix) {
  return std::filesystem::temp_directory_path() /
         (prefix + "_" + std::to_string(getpid()) + "_" +
          ::testing::UnitTest::GetInstance()->current_test_info()->name());
}

// TestPath(prefix) as an empty folder, whatever an earlier run left there.
inline std::filesystem::path FreshTestFolder(const std::string& prefix) {
  const std::filesystem::path folder = TestPath(prefix);
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  return folder;
}

}  // namespace wt
