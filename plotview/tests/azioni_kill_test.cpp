// The viewer killed at any moment of a save and while it writes the bitmap:
// wtplotr.bmp is always the old one or the new one, whole.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

#include "platform/testenv.h"
#include "platform/tests/killwhilewriting.h"
#include "platform/tests/testfolder.h"

namespace wt::plot {
namespace {

namespace fs = std::filesystem;

class AzioniKillTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = FreshTestFolder("wt_azioni_kill");
    inFolder_.emplace(folder_);
    std::ofstream("one.hgl") << "SP9\r\nPU 0,0\r\nPD 10430,8000\r\n";
    std::ofstream("two.hgl") << "SP1\r\nPU 0,8000\r\nPD 10430,0\r\n";
    std::ofstream("none") << "";
  }
  void TearDown() override {
    inFolder_.reset();
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

  fs::path folder_;
  std::optional<ScopedCurrentFolder> inFolder_;
};

TEST_F(AzioniKillTest, AKilledSaveLeavesTheOldBitmapOrTheNewOneWhole) {
  // Killed late in the run, when the picture is drawn and saved.
  testing::ExpectKillsLeaveTheOldFileOrTheNewOneWhole(
      [&](int version, testing::KillAt at, int n) {
        return Save(version == 1 ? "two.hgl" : "one.hgl", at, n);
      },
      Bitmap, 12, 4, true);
}

}  // namespace
}  // namespace wt::plot
