#include "platform/process.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/testenv.h"
#include "platform/tests/probereport.h"
#include "platform/tests/tempdrives.h"

namespace wt {
namespace {

namespace fs = std::filesystem;

class ProcessTest : public ::testing::Test {
 protected:
  const ScopedCurrentFolder inFolder_{fs::current_path()};  // put back at the end
  const testing::TempDrives drives_;
  const fs::path dir_ = drives_.Root();
};

TEST_F(ProcessTest, ProgramsStartInTheCurrentFolderWithArgumentsSplitAtBlanksAndTabs) {
  fs::create_directories(dir_ / "work folder");
  std::string reason;
  ASSERT_TRUE(ChangeCurrentFolder((dir_ / "work folder").string(), &reason)) << reason;
  const fs::path here = fs::canonical(dir_ / "work folder");
  ASSERT_TRUE(StartCommandLine(std::string(WT_PROCESS_PROBE) + "  report  a \tb\"c $(x) ;|&",
                               WindowRequest::MaximizedActivated, &reason))
      << reason;
  EXPECT_EQ(WaitForProbeReport(here / "report"),
            (std::vector<std::string>{here.string(), "report a b\"c $(x) ;|&", "a", "b\"c", "$(x)",
                                      ";|&"}));
  // The program is a drive path, or a bare name found on PATH.
  fs::copy_file(WT_PROCESS_PROBE, drives_.Zorb("xkryst"));
  fs::copy_file(WT_PROCESS_PROBE, dir_ / "probe-on-path");
  ASSERT_TRUE(StartCommandLine("c:\\zorb\\xkryst  out  c:\\data\\benz.cor",
                               WindowRequest::NormalActivated, nullptr));
  const ScopedEnvironment path("PATH", dir_.string());
  ASSERT_TRUE(StartCommandLine("probe-on-path found", WindowRequest::NormalActivated, nullptr));
  EXPECT_EQ(
      WaitForProbeReport(here / "out"),
      (std::vector<std::string>{here.string(), "out c:\\data\\benz.cor", "c:\\data\\benz.cor"}));
  EXPECT_EQ(WaitForProbeReport(here / "found").size(), 2u);
}

TEST_F(ProcessTest, ProgramsAndFoldersThatCannotBeUsedAreReported) {
  drives_.Write("wtarvo.bat", "not a program");
  std::string reason;
  EXPECT_FALSE(StartCommandLine("c:\\zorb\\nothing here", WindowRequest::NormalActivated, &reason));
  EXPECT_EQ(reason, "No such file or directory");
  for (const char* line : {"no-such-program-anywhere x", " \t ", "c:\\zorb\\wtarvo.bat benz"}) {
    EXPECT_FALSE(StartCommandLine(line, WindowRequest::NormalActivated, nullptr)) << line;
  }
  EXPECT_FALSE(ChangeCurrentFolder((dir_ / "missing").string(), &reason));
  EXPECT_EQ(reason, "No such file or directory");
  EXPECT_TRUE(ChangeCurrentFolder("c:\\zorb\\", &reason)) << reason;
  EXPECT_EQ(fs::current_path(), fs::canonical(drives_.Zorb("")));
}

}  // namespace
}  // namespace wt
