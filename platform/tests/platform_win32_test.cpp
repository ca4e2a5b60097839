// The Windows side of the platform layer, run under wine by the Windows
// build check.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <optional>

#include "platform/atomicfile.h"
#include "platform/batchline.h"
#include "platform/paths.h"
#include "platform/process.h"
#include "platform/testenv.h"
#include "platform/tests/probereport.h"
#include "platform/tests/tempdrives.h"
#include "platform/tests/testfolder.h"

namespace wt {
namespace {

namespace fs = std::filesystem;

class WindowsPlatformTest : public ::testing::Test {
 protected:
  void TearDown() override {
    inFolder_.reset();  // out of the folder before it goes
    std::error_code ignored;
    fs::remove_all(dir_, ignored);
  }
  std::optional<ScopedCurrentFolder> inFolder_{std::in_place, fs::current_path()};
  const fs::path dir_ = FreshTestFolder("wt_win");
};

TEST_F(WindowsPlatformTest, StartedProgramGetsTheRawTailAndTheCurrentFolder) {
  char self[MAX_PATH];
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  const std::string probe = (fs::path(self).parent_path() / "wt_process_probe.exe").string();
  fs::create_directories(dir_ / "work folder");
  std::string reason;
  ASSERT_TRUE(ChangeCurrentFolder((dir_ / "work folder").string(), &reason)) << reason;
  ASSERT_TRUE(StartCommandLine("\"" + probe + "\" report  a\tb  \"c d\"",
                               WindowRequest::NormalActivated, &reason))
      << reason;
  std::vector<std::string> report = WaitForProbeReport(dir_ / "work folder" / "report");
  ASSERT_GE(report.size(), 2u);
  EXPECT_EQ(fs::path(report[0]), dir_ / "work folder");
  EXPECT_EQ(report[1], "report  a\tb  \"c d\"");
  EXPECT_FALSE(StartCommandLine((dir_ / "nothing.exe").string() + " x",
                                WindowRequest::MaximizedActivated, &reason));
  EXPECT_FALSE(StartCommandLine("  ", WindowRequest::NormalActivated, &reason));
  EXPECT_FALSE(ChangeCurrentFolder((dir_ / "missing").string(), &reason));
}

TEST_F(WindowsPlatformTest, PathsAreUsedAsTheyAreAndAtomicWriteReplacesOrLeavesTheFileAlone) {
  EXPECT_EQ(HostPath("c:\\zorb\\wtarvo.ini"), "c:\\zorb\\wtarvo.ini");
  EXPECT_EQ(HostPath("run7.hgl"), "run7.hgl");
  EXPECT_TRUE(EndsFolder('\\') && !EndsFolder('/'));
  EXPECT_TRUE(BatchLineGoesThroughInterpreter());
  const std::string target = (dir_ / "tarvo.mol").string();
  ASSERT_TRUE(WriteFileAtomically(target, "one\r\n"));
  ASSERT_TRUE(WriteFileAtomically(target, "two\r\n"));
  EXPECT_EQ(testing::ReadBytes(target), "two\r\n");
  EXPECT_FALSE(WriteFileAtomically((dir_ / "missing" / "x").string(), "x"));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), {}), 1);  // no temporary file
}

}  // namespace
}  // namespace wt
