// The Windows side of the platform layer, run under wine by the Windows
// build check.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <optional>

#include "platform/atomicfile.h"
#include "platform/batchline.h"
#include "platform/paths.h"
#include "platform/process.h"
#include "platform/tests/probereport.h"
#include "platform/tests/testfolder.h"
#include "platform/testenv.h"

namespace wt {
namespace {

namespace fs = std::filesystem;

std::string ProbePath() {
  char self[MAX_PATH];
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  return (fs::path(self).parent_path() / "wt_process_probe.exe").string();
}

class WindowsPlatformTest : public ::testing::Test {
 protected:
  void SetUp() override {
    inFolder_.emplace(fs::current_path());  // the test moves; this puts it back
    dir_ = FreshTestFolder("wt_win");
    fs::create_directories(dir_ / "work folder");
  }
  void TearDown() override {
    inFolder_.reset();
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }
  std::optional<ScopedCurrentFolder> inFolder_;
  fs::path dir_;
};

TEST_F(WindowsPlatformTest, BatchFilesAreStartedThroughTheCommandInterpreter) {
  EXPECT_TRUE(BatchLineGoesThroughInterpreter());
}

TEST_F(WindowsPlatformTest, PathsAreUsedAsTheyAre) {
  EXPECT_EQ(HostPath("c:\\zorb\\wtarvo.ini"), "c:\\zorb\\wtarvo.ini");
  EXPECT_EQ(HostPath("run7.hgl"), "run7.hgl");
  EXPECT_TRUE(EndsFolder('\\'));
  EXPECT_FALSE(EndsFolder('/'));
}

TEST_F(WindowsPlatformTest, StartedProgramGetsTheRawTailAndTheCurrentFolder) {
  std::string reason;
  ASSERT_TRUE(ChangeCurrentFolder((dir_ / "work folder").string(), &reason)) << reason;
  ASSERT_TRUE(StartCommandLine("\"" + ProbePath() + "\" report  a\tb  \"c d\"",
                               WindowRequest::NormalActivated, &reason))
      << reason;
  std::vector<std::string> report = WaitForProbeReport(dir_ / "work folder" / "report");
  ASSERT_GE(report.size(), 2u);
  EXPECT_EQ(fs::path(report[0]), fs::path(dir_ / "work folder"));
  EXPECT_EQ(report[1], "report  a\tb  \"c d\"");
}

TEST_F(WindowsPlatformTest, MissingProgramAndFolderAreReported) {
  std::string reason;
  EXPECT_FALSE(StartCommandLine((dir_ / "nothing.exe").string() + " x",
                                WindowRequest::MaximizedActivated, &reason));
  EXPECT_FALSE(reason.empty());
  EXPECT_FALSE(StartCommandLine("  ", WindowRequest::NormalActivated, &reason));
  EXPECT_FALSE(ChangeCurrentFolder((dir_ / "missing").string(), &reason));
  EXPECT_FALSE(ChangeCurrentFolder("", &reason));
}

TEST_F(WindowsPlatformTest, AtomicWriteReplacesOrLeavesTheFileAlone) {
  std::string target = (dir_ / "tarvo.mol").string();
  ASSERT_TRUE(WriteFileAtomically(target, "one\r\n"));
  ASSERT_TRUE(WriteFileAtomically(target, "two\r\n"));
  std::ifstream in(target, std::ios::binary);
  std::stringstream content;
  content << in.rdbuf();
  EXPECT_EQ(content.str(), "two\r\n");
  std::string reason;
  EXPECT_FALSE(WriteFileAtomically((dir_ / "missing" / "x").string(), "x", &reason));
  EXPECT_FALSE(reason.empty());
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), {}), 2);  // work folder, tarvo.mol
}

}  // namespace
}  // namespace wt
