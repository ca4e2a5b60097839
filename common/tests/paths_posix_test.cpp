#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <optional>

#include "common/fileexists.h"
#include "common/linereader.h"
#include "common/pathtext.h"
#include "platform/tests/tempdrives.h"

namespace wt {
namespace {

TEST(FileNameOf, SlashEndsAFolderOnLinux) {
  EXPECT_EQ(FileNameOf("/home/ana\\data/x\\benz"), "benz");
  EXPECT_EQ(LastFolderPos("/home/ana/data/benz.in"), 15u);
}

TEST(FileExists, OnlyAReadableRegularFileAtAMappedPath) {
  const testing::TempDrives drives;
  drives.Write("temp64", "$\n");
  EXPECT_TRUE(FileExists("C:\\zorb\\temp64"));
  EXPECT_TRUE(FileExists(drives.Zorb("temp64").string()));
  const std::string fifo = drives.Zorb("fifo").string();
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  for (const std::string& no : {std::string("c:\\zorb\\benz.out"), std::string("d:\\zorb\\temp64"),
                                std::string(""), std::string("c:\\zorb"), fifo,  // does not block
                                std::string("/dev/zero")}) {
    EXPECT_FALSE(FileExists(no)) << no;
  }
}

// Read by either way, a device that never ends is a failure, not an exhausted memory.
TEST(LineReader, AnEndlessLineIsAFailure) {
  std::string_view line;
  std::optional<LineReader> byNext = LineReader::Open("/dev/zero");
  std::optional<LineReader> byScan = LineReader::Open("/dev/zero");
  ASSERT_TRUE(byNext && byScan);
  EXPECT_FALSE(byNext->Next(&line));
  EXPECT_FALSE(byScan->NextStartingWith('$', &line));
  EXPECT_EQ(byNext->FailureReason(), "a line is longer than 64 MiB");
  EXPECT_EQ(byScan->FailureReason(), "a line is longer than 64 MiB");
  EXPECT_TRUE(byNext->Failed() && byScan->Failed());
  EXPECT_FALSE(byNext->Next(&line));
}

}  // namespace
}  // namespace wt
