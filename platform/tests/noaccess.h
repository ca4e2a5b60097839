// Files a test may not read, folders it may not write in, and a full disk (POSIX).
//
// For as long as a NoAccess lives, the files have no mode bits and the
// folders no write bits. Modes alone do not stop root: as root, the test
// thread also sets aside the two capabilities that override them, and the
// programs it starts meanwhile are started without them (KeepFileModes). Its
// identity stays, so a program it starts is reached even inside a folder only
// its owner may enter.
#pragma once

#include <gtest/gtest.h>
#include <linux/capability.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <filesystem>
#include <optional>
#include <utility>
#include <vector>

namespace wt::testing {

namespace internal {

// The capabilities by which root reads, writes and searches regardless of
// modes; both are in the first word of a capability set.
inline constexpr unsigned kModeOverrides = (1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH);

// The first word of the calling thread's effective capabilities; with `on`,
// the mode overrides are then put back (those permitted) or taken out.
inline std::optional<unsigned> ModeOverrides(std::optional<bool> on = std::nullopt) {
  __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
  __user_cap_data_struct sets[2]{};
  if (syscall(SYS_capget, &header, sets) != 0) return std::nullopt;
  const unsigned effective = sets[0].effective;
  if (!on) return effective;
  sets[0].effective =
      *on ? effective | (sets[0].permitted & kModeOverrides) : effective & ~kModeOverrides;
  if (syscall(SYS_capset, &header, sets) != 0) return std::nullopt;
  return effective;
}

}  // namespace internal

// In a child process about to start a program: where a NoAccess has set the
// mode overrides aside, removes them from the bounding set too, so that the
// program does not get them back when root starts it. No change otherwise.
inline void KeepFileModes() {
  const std::optional<unsigned> effective = internal::ModeOverrides();
  if (!effective) _exit(125);
  if (geteuid() != 0 || (*effective & internal::kModeOverrides) != 0) return;
  for (const int capability : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH}) {
    if (prctl(PR_CAPBSET_READ, capability) == 1 &&
        prctl(PR_CAPBSET_DROP, capability, 0, 0, 0) != 0) {
      _exit(125);
    }
  }
}

class NoAccess {
 public:
  NoAccess(std::vector<std::filesystem::path> unreadable,
           std::vector<std::filesystem::path> readOnly) {
    namespace fs = std::filesystem;
    for (const fs::path& file : unreadable) Take(file, fs::perms::all);
    for (const fs::path& folder : readOnly) {
      Take(folder, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write);
    }
    EXPECT_TRUE(!root_ || internal::ModeOverrides(false)) << "the mode overrides stay";
  }
  ~NoAccess() {
    EXPECT_TRUE(!root_ || internal::ModeOverrides(true));
    for (const auto& [path, perms] : kept_) std::filesystem::permissions(path, perms);
  }

 private:
  void Take(const std::filesystem::path& path, std::filesystem::perms bits) {
    kept_.emplace_back(path, std::filesystem::status(path).permissions());
    std::filesystem::permissions(path, bits, std::filesystem::perm_options::remove);
  }
  const bool root_ = geteuid() == 0;
  std::vector<std::pair<std::filesystem::path, std::filesystem::perms>> kept_;
};

// For as long as it lives, a write beyond `bytes` fails with "File too
// large", as one fails on a full disk, instead of raising SIGXFSZ.
class FullDisk {
 public:
  explicit FullDisk(rlim_t bytes) : signal_(signal(SIGXFSZ, SIG_IGN)) {
    EXPECT_EQ(getrlimit(RLIMIT_FSIZE, &before_), 0);
    const rlimit limit{bytes, before_.rlim_max};
    EXPECT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
  }
  ~FullDisk() {
    EXPECT_EQ(setrlimit(RLIMIT_FSIZE, &before_), 0);
    signal(SIGXFSZ, signal_);
  }

 private:
  const sighandler_t signal_;
  rlimit before_{};
};

}  // namespace wt::testing
