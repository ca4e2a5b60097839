// xkryst killed at any moment of a conversion and while it writes its file:
// the file of each kind is always the old one or the new one, whole.
#include <gtest/gtest.h>

#include "converter/tests/testfiles.h"
#include "platform/tests/killwhilewriting.h"
#include "platform/testenv.h"

namespace wt {
namespace {

class XkrystKillTest : public ::testing::Test {
 protected:
  const ScopedEnvironment console_{"WINTARVO_UI", "console"};
  void SetUp() override {
    std::string file;
    for (const auto& [count, symbol] : {std::pair(300, "C "), std::pair(400, "N ")}) {
      file += "$ step\r\n" + std::to_string(count) + "\r\nenergy\r\n";
      for (int i = 0; i < count; ++i) {
        file += testing::AtomLine(std::to_string(i) + ".5", "-1.25", "3", symbol) + "\r\n";
      }
    }
    coordinates_ = drives_.Write("big.cor", file);
    for (const char* step : {"1", "2"}) {
      testing::WriteBytes(drives_.Root() / step, std::string(step) + "\n");
    }
  }

  // Converts step 1 or 2 to `kind`, killed as `at` and `n` say.
  testing::TracedRun Convert(int kind, int step, testing::KillAt at, int n = 0) {
    return testing::RunTraced({testing::Xkryst(), coordinates_, std::to_string(kind)},
                              (drives_.Root() / std::to_string(step)).string(), drives_.Zorb(""),
                              at, n);
  }

  testing::TempDrives drives_;
  std::string coordinates_;
};

// The write itself is tried in the atomic file's own kill test; this one
// kills the whole program while it reads, checks and writes, where it decides
// what replaces the old file. Every kind takes the same way to its file.
TEST_F(XkrystKillTest, AKilledConversionLeavesTheOldFileOrTheNewOneWhole) {
  testing::ExpectKillsLeaveTheOldFileOrTheNewOneWhole(
      [&](int version, testing::KillAt at, int n) { return Convert(2, 1 + version, at, n); },
      [&] { return drives_.Read("tarvo.xyz"); }, 24, 10);
}

}  // namespace
}  // namespace wt
