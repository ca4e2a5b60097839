#include "frontend/standin/standin.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <sstream>

#include "platform/testenv.h"
#include "platform/tests/tempdrives.h"
#include "platform/tests/testfolder.h"

namespace wt::standin {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;

// Runs in a dataset folder of its own, as the front end starts the stand-in.
class Standin : public ::testing::Test {
 protected:
  void SetUp() override { inFolder_.emplace(dir_); }
  void TearDown() override {
    inFolder_.reset();
    fs::remove_all(dir_);
  }

  const fs::path dir_ = FreshTestFolder("wt_standin");
  std::optional<ScopedCurrentFolder> inFolder_;
  std::ostringstream out_, err_;
};

TEST_F(Standin, SampleDatasetGivesTheExpectedFiles) {
  fs::copy_file(fs::path(WT_SAMPLE_DIR) / "benz.in", dir_ / "benz.in");
  ASSERT_EQ(RunStandin("wtarvo.bat", {"benz", "mol"}, out_, err_), 0) << err_.str();
  for (const char* file : {"benz.cor", "benz.out"}) {
    EXPECT_EQ(ReadBytes(file), ReadBytes(fs::path(WT_GOLDEN_DIR) / file)) << file;
  }
  EXPECT_EQ(out_.str(),
            "wtarvo.bat (WinTarvo stand-in): wrote benz.cor and benz.out (nothing computed)\n");
}

TEST_F(Standin, AtomLinesKeepTheirColumns) {
  testing::WriteBytes(
      "w.in",
      "Titl  water\r\nPar  0 \r\nCell \r\nATOM  C  -1234.5000 99999.000     1\r\nATOM CL\r\n"
      "End \r\nATOM H         1.0       2.0       3.0\r\n");
  ASSERT_EQ(RunStandin("tarvo.exe", {"w"}, out_, err_), 0) << err_.str();
  EXPECT_EQ(ReadBytes("w.cor"),
            " WinTarvo stand-in coordinate file, nothing computed: water\r\n"
            "$ step 1\r\n"
            "     2\r\n"
            " coordinates copied from w.in\r\n"
            " -1234.50000000 99999.00000000     1.00000000   C      1                  6\r\n"
            "     0.00000000     0.00000000     0.00000000  CL      2                 17\r\n");
}

TEST_F(Standin, UnusableInputIsNamedAndNothingIsWritten) {
  EXPECT_EQ(RunStandin("tarvo.exe", {"benz"}, out_, err_), 1);
  testing::WriteBytes("big.in", "Titl  big\r\nATOM C   1.0E+99        0         0\r\nEnd \r\n");
  EXPECT_EQ(RunStandin("wtarvo.bat", {"big", "nul"}, out_, err_), 1);
  EXPECT_EQ(err_.str(),
            "tarvo.exe (WinTarvo stand-in): cannot read the input file 'benz.in': No such file or "
            "directory\n"
            "wtarvo.bat (WinTarvo stand-in): the input file 'big.in', line 2: a coordinate does "
            "not fit the coordinate file\n");
  EXPECT_FALSE(fs::exists("big.cor") || fs::exists("big.out") || fs::exists("benz.cor"));
#ifndef _WIN32
  const int status = std::system("'" WT_STANDIN "' 2>/dev/null");  // the program, without a name
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1);
#endif
}

}  // namespace
}  // namespace wt::standin
