// The viewer killed at any moment of a save and while it writes the bitmap:
// wtplotr.bmp is always the old one or the new one, whole.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "platform/tests/killwhilewriting.h"

namespace wt::plot {
namespace {

namespace fs = std::filesystem;

class AzioniKillTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() / ("wt_azioni_kill_" + std::to_string(getpid()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    previousFolder_ = fs::current_path();
    fs::current_path(folder_);
    std::ofstream("one.hgl") << "SP9\r\nPU 0,0\r\nPD 10430,8000\r\n";
    std::ofstream("two.hgl") << "SP1\r\nPU 0,8000\r\nPD 10430,0\r\n";
    std::ofstream("none") << "";
  }
  void TearDown() override {
    fs::current_path(previousFolder_);
    fs::remove_all(folder_);
  }
  testing::TracedRun Save(const char* plot, testing::KillAt at, int n = 0) {
    return testing::RunTraced({WT_SAVE_BITMAP, plot}, "none", folder_, at, n);
  }
  static std::string Bitmap() {
    std::ostringstream bytes;
    bytes << std::ifstream("wtplotr.bmp", std::ios::binary).rdbuf();
    return bytes.str();
  }

  fs::path folder_, previousFolder_;
};

TEST_F(AzioniKillTest, AKilledSaveLeavesTheOldBitmapOrTheNewOneWhole) {
  const testing::TracedRun one = Save("one.hgl", testing::KillAt::Never);
  ASSERT_TRUE(one.traced) << "this system does not let a test trace the program it starts";
  ASSERT_EQ(one.exitStatus, 0);
  const std::string first = Bitmap();
  const testing::TracedRun two = Save("two.hgl", testing::KillAt::Never);
  ASSERT_EQ(two.exitStatus, 0);
  const std::string second = Bitmap();
  ASSERT_NE(first, second);
  const int stops = std::min(one.stops, two.stops);
  const int writingStops = std::min(one.writingStops, two.writingStops);
  ASSERT_GT(writingStops, 0);

  std::mt19937 random(4);
  for (int i = 0; i < 12; ++i) {
    const bool whileWriting = i % 2 == 1;
    // Any moment late in the run, when the picture is drawn and saved.
    const int n = whileWriting
                      ? 1 + static_cast<int>(random() % static_cast<unsigned>(writingStops))
                      : stops - static_cast<int>(random() % static_cast<unsigned>(stops / 4 + 1));
    const testing::TracedRun run =
        Save(i / 2 % 2 ? "two.hgl" : "one.hgl",
             whileWriting ? testing::KillAt::WritingStop : testing::KillAt::Stop, n);
    EXPECT_TRUE(run.killed);
    const std::string now = Bitmap();
    ASSERT_TRUE(now == first || now == second)
        << "a bitmap of " << now.size() << " bytes after a kill at "
        << (whileWriting ? "writing stop " : "stop ") << n;
  }
}

}  // namespace
}  // namespace wt::plot
