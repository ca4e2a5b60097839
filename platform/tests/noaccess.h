// Files a test may not read and folders it may not write in (POSIX).
//
// Modes alone do not stop root. Run as root, the test takes the identity of
// the user nobody (its effective user and group) for as long as a NoAccess
// lives, and the files and folders are closed to everyone but their owner,
// root; programs the test starts meanwhile inherit that identity (see
// SettleIdentity). Run as anyone else, the modes themselves are taken away.
// Either way everything is as it was when the object goes.
#pragma once

#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <utility>
#include <vector>

namespace wt::testing {

// In a child process about to start a program: makes the effective user and
// group its real and saved ones too, so that the program runs wholly as the
// user a NoAccess took on, as one started by that user would (a program whose
// real and effective users differ is treated as privileged, and the leak
// checker cannot inspect it). No change where they are the same already.
inline void SettleIdentity() {
  const gid_t gid = getegid();
  const uid_t uid = geteuid();
  if (setresgid(gid, gid, gid) != 0 || setresuid(uid, uid, uid) != 0) _exit(125);
}

class NoAccess {
 public:
  NoAccess(std::vector<std::filesystem::path> unreadable,
           std::vector<std::filesystem::path> readOnly) {
    namespace fs = std::filesystem;
    const bool root = geteuid() == 0;
    for (const fs::path& file : unreadable) {
      Keep(file);
      fs::permissions(file,
                      root ? fs::perms::owner_read | fs::perms::owner_write : fs::perms::none);
    }
    for (const fs::path& folder : readOnly) {
      Keep(folder);
      const fs::perms all = fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                            fs::perms::others_read | fs::perms::others_exec;
      fs::permissions(folder, root ? all : all & ~fs::perms::owner_write);
    }
    if (root) {
      const passwd* nobody = getpwnam("nobody");
      const uid_t uid = nobody ? nobody->pw_uid : 65534;
      const gid_t gid = nobody ? nobody->pw_gid : 65534;
      EXPECT_EQ(setegid(gid), 0);
      EXPECT_EQ(seteuid(uid), 0);
      switched_ = true;
    }
  }
  NoAccess(const NoAccess&) = delete;
  NoAccess& operator=(const NoAccess&) = delete;
  ~NoAccess() {
    if (switched_) {
      EXPECT_EQ(seteuid(0), 0);
      EXPECT_EQ(setegid(0), 0);
    }
    for (const auto& [path, perms] : kept_) std::filesystem::permissions(path, perms);
  }

 private:
  void Keep(const std::filesystem::path& path) {
    kept_.emplace_back(path, std::filesystem::status(path).permissions());
  }
  std::vector<std::pair<std::filesystem::path, std::filesystem::perms>> kept_;
  bool switched_ = false;
};

}  // namespace wt::testing
