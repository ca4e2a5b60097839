#include "platform/atomicfile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <utility>

#include "platform/tests/killwhilewriting.h"
#include "platform/tests/noaccess.h"
#include "platform/tests/tempdrives.h"

namespace wt {
namespace {

namespace fs = std::filesystem;

class AtomicFileTest : public ::testing::Test {
 protected:
  const testing::TempDrives drives_;
  const fs::path zorb_ = drives_.Zorb("");
};

TEST_F(AtomicFileTest, WritesAndReplacesWholeFilesKeepingTheirMode) {
  ASSERT_TRUE(WriteFileAtomically("C:\\zorb\\tarvo.mol", "first\r\n"));
  EXPECT_EQ(drives_.Read("tarvo.mol"), "first\r\n");
  drives_.Write("plain", "");  // made as any new file is
  EXPECT_EQ(fs::status(drives_.Zorb("tarvo.mol")).permissions(),
            fs::status(drives_.Zorb("plain")).permissions());
  const fs::perms kept = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
  fs::permissions(drives_.Zorb("tarvo.mol"), kept);
  ASSERT_TRUE(WriteFileAtomically("c:\\zorb\\tarvo.mol", ""));
  EXPECT_EQ(drives_.Read("tarvo.mol"), "");
  EXPECT_EQ(fs::status(drives_.Zorb("tarvo.mol")).permissions(), kept);
  EXPECT_EQ(std::distance(fs::directory_iterator(zorb_), {}), 2);  // no temporary file
}

TEST_F(AtomicFileTest, FailuresAreReportedAndLeaveTheOldFile) {
  fs::create_directory(drives_.Zorb("tarvo.xyz"));
  const std::pair<const char*, const char*> kCases[] = {
      {"C:\\nowhere\\tarvo.mol", "No such file or directory"},
      {"C:\\zorb\\", "Is a directory"},
      {"C:\\zorb\\tarvo.xyz", "Is a directory"}};
  std::string reason;
  for (const auto& [path, why] : kCases) {
    EXPECT_FALSE(WriteFileAtomically(path, "x", &reason));
    EXPECT_EQ(reason, why) << path;
  }
  // A disk that fills half-way through the write.
  drives_.Write("wtarvo.ini", "good old settings\r\n");
  {
    const testing::FullDisk full(4096);
    EXPECT_FALSE(WriteFileAtomically("c:\\zorb\\wtarvo.ini", std::string(65536, 'n'), &reason));
  }
  EXPECT_EQ(reason, "File too large");
  EXPECT_EQ(drives_.Read("wtarvo.ini"), "good old settings\r\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(zorb_), {}), 2);  // no temporary file
}

// Every program writes its files through here, so a kill at any moment of a
// write is tried here once, for all of them: the old file or the new one,
// whole, and never a torn one.
TEST_F(AtomicFileTest, AKilledWriteLeavesTheOldFileOrTheNewOneWhole) {
  const std::string versions[2] = {std::string(700000, 'a') + "\r\n",
                                   std::string(500000, 'b') + "\r\n"};
  const auto write = [&](int v, int n, bool whileWriting) {
    return testing::RunTraced(
        [&] { return WriteFileAtomically("c:\\zorb\\wtarvo.ini", versions[v]) ? 0 : 1; }, zorb_, n,
        whileWriting);
  };
  testing::TracedRun whole[2];
  for (int v = 0; v < 2; ++v) {
    whole[v] = write(v, 0, false);
    ASSERT_EQ(whole[v].exitStatus, 0) << "124: this system does not let a test trace its child";
    ASSERT_EQ(drives_.Read("wtarvo.ini"), versions[v]);
  }
  const int stops = std::min(whole[0].stops, whole[1].stops);
  const int writingStops = std::min(whole[0].writingStops, whole[1].writingStops);
  ASSERT_GT(writingStops, 0) << "the write was not seen";
  // Alternately a kill at any stop of the run and at a stop while it writes.
  std::mt19937 random(12);
  for (int i = 0; i < 24; ++i) {
    const bool whileWriting = i % 2 == 1;
    const int n = 1 + static_cast<int>(random() % (whileWriting ? writingStops : stops));
    EXPECT_TRUE(write(i / 2 % 2, n, whileWriting).killed) << "ended before stop " << n;
    const std::string now = drives_.Read("wtarvo.ini");
    ASSERT_TRUE(now == versions[0] || now == versions[1])
        << "a file of " << now.size() << " bytes after a kill at "
        << (whileWriting ? "writing " : "") << "stop " << n;
  }
}

}  // namespace
}  // namespace wt
