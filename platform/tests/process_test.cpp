#include "platform/process.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/batchline.h"
#include "platform/tests/probereport.h"
#include "platform/tests/testfolder.h"
#include "platform/testenv.h"
#include "platform/tests/tempdrives.h"

namespace wt {
namespace {

namespace fs = std::filesystem;

class ProcessTest : public ::testing::Test {
 protected:
  void SetUp() override { fs::create_directories(dir_ / "work folder"); }


  const ScopedCurrentFolder inFolder_{std::filesystem::current_path()};  // put back at the end
  const testing::TempDrives drives_;
  const fs::path dir_ = drives_.Root();
};

TEST_F(ProcessTest, ArgumentsSplitAtBlanksAndTabsInTheCurrentFolder) {
  std::string reason;
  ASSERT_TRUE(ChangeCurrentFolder((dir_ / "work folder").string(), &reason)) << reason;
  ASSERT_TRUE(StartCommandLine(std::string(WT_PROCESS_PROBE) + "  report  a \tb\"c $(x) ;|&",
                               WindowRequest::MaximizedActivated, &reason))
      << reason;
  std::vector<std::string> report = WaitForProbeReport(dir_ / "work folder" / "report");
  ASSERT_EQ(report.size(), 6u);
  EXPECT_EQ(fs::path(report[0]), fs::canonical(dir_ / "work folder"));
  EXPECT_EQ(report[1], "report a b\"c $(x) ;|&");  // the tail, joined by single blanks
  EXPECT_EQ(report[2], "a");
  EXPECT_EQ(report[3], "b\"c");
  EXPECT_EQ(report[4], "$(x)");  // no shell saw it
  EXPECT_EQ(report[5], ";|&");
}

TEST_F(ProcessTest, ABatchFileIsStartedWithoutAnInterpreter) {
  EXPECT_FALSE(BatchLineGoesThroughInterpreter());
}

TEST_F(ProcessTest, DrivePathProgramIsMapped) {
  fs::copy_file(WT_PROCESS_PROBE, dir_ / "drive_c" / "zorb" / "xkryst");
  ASSERT_TRUE(ChangeCurrentFolder(dir_.string(), nullptr));
  std::string reason;
  ASSERT_TRUE(StartCommandLine("c:\\zorb\\xkryst  out  c:\\data\\benz.cor  1",
                               WindowRequest::NormalActivated, &reason))
      << reason;
  std::vector<std::string> report = WaitForProbeReport(dir_ / "out");
  ASSERT_EQ(report.size(), 4u);
  EXPECT_EQ(report[2], "c:\\data\\benz.cor");  // arguments stay as given
  EXPECT_EQ(report[3], "1");
}

TEST_F(ProcessTest, MissingProgramIsReported) {
  std::string reason;
  EXPECT_FALSE(StartCommandLine("c:\\zorb\\nothing here", WindowRequest::NormalActivated, &reason));
  EXPECT_EQ(reason, "No such file or directory");
  reason.clear();
  EXPECT_FALSE(StartCommandLine("no-such-program-anywhere x", WindowRequest::NormalActivated,
                                &reason));
  EXPECT_FALSE(reason.empty());
  EXPECT_FALSE(StartCommandLine(" \t ", WindowRequest::NormalActivated, &reason));
  EXPECT_FALSE(reason.empty());
}

TEST_F(ProcessTest, NonExecutableFileIsReported) {
  std::ofstream(dir_ / "drive_c" / "zorb" / "wtarvo.bat") << "not a program";
  std::string reason;
  EXPECT_FALSE(StartCommandLine("c:\\zorb\\wtarvo.bat benz mol", WindowRequest::MaximizedActivated,
                                &reason));
  EXPECT_FALSE(reason.empty());
}

TEST_F(ProcessTest, BareNameIsLookedUpOnPath) {
  fs::copy_file(WT_PROCESS_PROBE, dir_ / "probe-on-path");
  ASSERT_TRUE(ChangeCurrentFolder(dir_.string(), nullptr));
  {
    const ScopedEnvironment path("PATH", dir_.string());
    ASSERT_TRUE(StartCommandLine("probe-on-path found", WindowRequest::NormalActivated, nullptr));
  }
  EXPECT_EQ(WaitForProbeReport(dir_ / "found").size(), 2u);
}

TEST_F(ProcessTest, FoldersThatCannotBeMadeCurrent) {
  std::string reason;
  EXPECT_FALSE(ChangeCurrentFolder("", &reason));
  EXPECT_FALSE(reason.empty());
  EXPECT_FALSE(ChangeCurrentFolder((dir_ / "missing").string(), &reason));
  EXPECT_EQ(reason, "No such file or directory");
  std::ofstream(dir_ / "plain") << "x";
  EXPECT_FALSE(ChangeCurrentFolder((dir_ / "plain").string(), &reason));
  EXPECT_TRUE(ChangeCurrentFolder("c:\\zorb\\", &reason)) << reason;
  EXPECT_EQ(fs::current_path(), fs::canonical(dir_ / "drive_c" / "zorb"));
}

}  // namespace
}  // namespace wt
