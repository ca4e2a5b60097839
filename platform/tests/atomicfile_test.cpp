#include "platform/atomicfile.h"
#include "platform/tests/killwhilewriting.h"
#include "platform/tests/tempdrives.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace wt {
namespace {

namespace fs = std::filesystem;

class AtomicFileTest : public ::testing::Test {
 protected:
  static std::string Read(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
  }
  std::size_t EntriesIn(const fs::path& folder) {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), {}));
  }
  const testing::TempDrives drives_;
  const fs::path dir_ = drives_.Root();
};

TEST_F(AtomicFileTest, WritesAndReplacesWholeFiles) {
  ASSERT_TRUE(WriteFileAtomically("C:\\zorb\\tarvo.mol", "first\r\n"));
  EXPECT_EQ(Read(dir_ / "drive_c/zorb/tarvo.mol"), "first\r\n");
  ASSERT_TRUE(WriteFileAtomically("C:\\zorb\\tarvo.mol", "2"));
  EXPECT_EQ(Read(dir_ / "drive_c/zorb/tarvo.mol"), "2");
  ASSERT_TRUE(WriteFileAtomically("C:\\zorb\\tarvo.mol", ""));
  EXPECT_EQ(Read(dir_ / "drive_c/zorb/tarvo.mol"), "");
  EXPECT_EQ(EntriesIn(dir_ / "drive_c/zorb"), 1u);  // no temporary file left
}

TEST_F(AtomicFileTest, KeepsTheModeOfTheFileItReplaces) {
  fs::path target = dir_ / "kept";
  std::ofstream(target) << "old";
  fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  ASSERT_TRUE(WriteFileAtomically(target.string(), "new"));
  EXPECT_EQ(fs::status(target).permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(AtomicFileTest, ANewFileHasTheModeTheFileMaskLeaves) {
  const mode_t mask = umask(0);  // the test alone runs: no file is made meanwhile
  umask(mask);
  const fs::path target = dir_ / "new";
  ASSERT_TRUE(WriteFileAtomically(target.string(), "new"));
  struct stat made;
  ASSERT_EQ(stat(target.c_str(), &made), 0);
  EXPECT_EQ(made.st_mode & 07777, 0666 & ~mask);
}

TEST_F(AtomicFileTest, MissingFolderIsReported) {
  std::string reason;
  EXPECT_FALSE(WriteFileAtomically("C:\\nowhere\\tarvo.mol", "x", &reason));
  EXPECT_EQ(reason, "No such file or directory");
  EXPECT_FALSE(fs::exists(dir_ / "drive_c/nowhere"));
}

TEST_F(AtomicFileTest, FolderInPlaceOfTheFileIsReported) {
  fs::create_directories(dir_ / "drive_c/zorb/tarvo.xyz");
  std::string reason;
  EXPECT_FALSE(WriteFileAtomically("C:\\zorb\\tarvo.xyz", "x", &reason));
  EXPECT_FALSE(reason.empty());
  EXPECT_TRUE(fs::is_directory(dir_ / "drive_c/zorb/tarvo.xyz"));
  EXPECT_FALSE(WriteFileAtomically("C:\\zorb\\", "x", &reason));
}

TEST_F(AtomicFileTest, FailureHalfWayLeavesTheOldFileIntact) {
  fs::path target = dir_ / "drive_c/zorb/wtarvo.ini";
  std::ofstream(target, std::ios::binary) << "good old settings\r\n";
  const std::string big(64 * 1024, 'n');

  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    // A file size limit makes the write fail after 4 KiB, as a full disk would.
    signal(SIGXFSZ, SIG_IGN);
    struct rlimit limit = {4096, 4096};
    setrlimit(RLIMIT_FSIZE, &limit);
    std::string reason;
    bool ok = WriteFileAtomically("c:\\zorb\\wtarvo.ini", big, &reason);
    _exit(ok ? 1 : (reason.empty() ? 2 : 0));
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "the failed write was reported as success";
  EXPECT_EQ(Read(target), "good old settings\r\n");
  EXPECT_EQ(EntriesIn(dir_ / "drive_c/zorb"), 1u);
}

// Every program writes its files through here, so a kill at any moment of a
// write is tried here once, for all of them: the old file or the new one,
// whole, and never a torn one.
TEST_F(AtomicFileTest, AKilledWriteLeavesTheOldFileOrTheNewOneWhole) {
  // Large enough that the file takes many writes' worth of stops.
  const std::string versions[2] = {std::string(700000, 'a') + "\r\n",
                                   std::string(500000, 'b') + "\r\n"};
  testing::ExpectKillsLeaveTheOldFileOrTheNewOneWhole(
      [&](int v, testing::KillAt at, int n) {
        return testing::RunTraced(
            [&] {
              return WriteFileAtomically("c:\\zorb\\wtarvo.ini", versions[v], nullptr) ? 0 : 1;
            },
            drives_.Zorb(""), at, n);
      },
      [&] { return drives_.Read("wtarvo.ini"); }, 24, 12);
}

}  // namespace
}  // namespace wt
