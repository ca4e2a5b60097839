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

using namespace std::string_literals;

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
  // A fifo must not block.
  for (const std::string& no :
       {"c:\\zorb\\benz.out"s, "d:\\zorb\\temp64"s, ""s, "c:\\zorb"s, fifo, "/dev/zero"s}) {
    EXPECT_FALSE(FileExists(no)) << no;
  }
}

// Read by either way, a device that never ends is a failure, not an exhausted memory.
TEST(LineReader, AnEndlessLineIsAFailure) {
  for (const bool marked : {false, true}) {
    std::optional<LineReader> zero = LineReader::Open("/dev/zero");
    std::string_view line;
    ASSERT_TRUE(zero);
    EXPECT_FALSE(marked ? zero->NextStartingWith('$', &line) : zero->Next(&line));
    EXPECT_TRUE(zero->Failed());
    EXPECT_EQ(zero->FailureReason(), "a line is longer than 64 MiB");
    EXPECT_FALSE(zero->Next(&line));
  }
}

}  // namespace
}  // namespace wt
