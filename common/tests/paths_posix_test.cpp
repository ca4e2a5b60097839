#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <optional>

#include "common/fileexists.h"
#include "common/linereader.h"
#include "common/pathtext.h"
#include "platform/tests/testfolder.h"
#include "platform/testenv.h"
#include "platform/tests/tempdrives.h"

namespace wt {
namespace {

TEST(FileNameOf, SlashEndsAFolderOnLinux) {
  EXPECT_EQ(FileNameOf("/home/ana/data/benz"), "benz");
  EXPECT_EQ(FileNameOf("/home/ana\\data/x\\benz"), "benz");
  EXPECT_EQ(LastFolderPos("/home/ana/data/benz.in"), 15u);
  EXPECT_EQ(LastFolderPos("benz.in"), 1u);
}

class FileExistsTest : public ::testing::Test {
 protected:
  const testing::TempDrives drives_;
  const std::filesystem::path dir_ = drives_.Root();
};

TEST_F(FileExistsTest, ReadableFileIsThere) {
  std::ofstream(dir_ / "benz.cor") << "$\n";
  EXPECT_TRUE(FileExists((dir_ / "benz.cor").string()));
  EXPECT_FALSE(FileExists((dir_ / "benz.out").string()));
}

TEST_F(FileExistsTest, DrivePathsAreMapped) {
  std::ofstream(dir_ / "drive_c" / "zorb" / "temp64") << "$\n";
  EXPECT_TRUE(FileExists("c:\\zorb\\temp64"));
  EXPECT_TRUE(FileExists("C:\\zorb\\temp64"));
  EXPECT_FALSE(FileExists("d:\\zorb\\temp64"));
}

TEST_F(FileExistsTest, FolderAndEmptyPathAreNoFiles) {
  EXPECT_FALSE(FileExists(""));
  EXPECT_FALSE(FileExists(dir_.string()));
  EXPECT_FALSE(FileExists("c:\\zorb"));
  EXPECT_FALSE(FileExists("c:\\zorb\\"));
}

TEST_F(FileExistsTest, PipesAndDevicesAreNoFiles) {
  std::string fifo = (dir_ / "fifo").string();
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_FALSE(FileExists(fifo));  // and does not block
  EXPECT_FALSE(FileExists("/dev/zero"));
  EXPECT_FALSE(FileExists("/dev/null"));
}

TEST(LineReader, EndlessLineIsAFailureNotAnExhaustedMemory) {
  std::optional<LineReader> reader = LineReader::Open("/dev/zero");
  ASSERT_TRUE(reader);
  std::string_view line;
  EXPECT_FALSE(reader->Next(&line));
  EXPECT_TRUE(reader->Failed());
  EXPECT_EQ(reader->FailureReason(), "a line is longer than 64 MiB");
  EXPECT_FALSE(reader->Next(&line));
}

}  // namespace
}  // namespace wt
