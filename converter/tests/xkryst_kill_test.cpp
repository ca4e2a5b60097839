// xkryst killed at any moment of a conversion and while it writes its file:
// the file of each kind is always the old one or the new one, whole.
#include <gtest/gtest.h>

#include <random>

#include "converter/tests/testfiles.h"
#include "platform/tests/killwhilewriting.h"

namespace wt {
namespace {

class XkrystKillTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("WINTARVO_UI", "console", 1);
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
  void TearDown() override { unsetenv("WINTARVO_UI"); }

  // Converts step 1 or 2 to `kind`, killed as `at` and `n` say.
  testing::TracedRun Convert(int kind, int step, testing::KillAt at, int n = 0) {
    return testing::RunTraced({WT_XKRYST, coordinates_, std::to_string(kind)},
                              (drives_.Root() / std::to_string(step)).string(), drives_.Zorb(""),
                              at, n);
  }

  testing::TempDrives drives_;
  std::string coordinates_;
};

TEST_F(XkrystKillTest, AKilledConversionLeavesTheOldFileOrTheNewOneWhole) {
  std::mt19937 random(8);
  for (const auto& [kind, name] : {std::pair(1, "tarvo.mol"), std::pair(2, "tarvo.xyz"),
                                   std::pair(3, "tarvo.com"), std::pair(4, "tarvo.in")}) {
    // The two versions, each written by a whole run.
    const testing::TracedRun one = Convert(kind, 1, testing::KillAt::Never);
    ASSERT_TRUE(one.traced) << "this system does not let a test trace the program it starts";
    ASSERT_EQ(one.exitStatus, 0) << name;
    const std::string first = drives_.Read(name);
    const testing::TracedRun two = Convert(kind, 2, testing::KillAt::Never);
    ASSERT_EQ(two.exitStatus, 0) << name;
    const int stops = std::min(one.stops, two.stops);
    const int writingStops = std::min(one.writingStops, two.writingStops);
    ASSERT_GT(writingStops, 0) << name << ": the write was not seen";
    const std::string second = drives_.Read(name);
    ASSERT_NE(first, second);

    // Killed at any moment of a run, and while it writes.
    for (int i = 0; i < 16; ++i) {
      const bool whileWriting = i % 2 == 1;
      const int n = 1 + static_cast<int>(
                            random() % static_cast<unsigned>(whileWriting ? writingStops : stops));
      const testing::TracedRun run =
          Convert(kind, 1 + i / 2 % 2,
                  whileWriting ? testing::KillAt::WritingStop : testing::KillAt::Stop, n);
      EXPECT_TRUE(run.killed) << name << " ended before "
                              << (whileWriting ? "writing stop " : "stop ") << n;
      const std::string now = drives_.Read(name);
      ASSERT_TRUE(now == first || now == second)
          << name << ": a file of " << now.size() << " bytes after a kill at "
          << (whileWriting ? "writing stop " : "stop ") << n;
    }
  }
}

}  // namespace
}  // namespace wt
