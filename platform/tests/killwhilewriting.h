// Killing a program at a chosen moment of its run, to see what a kill in
// the middle of writing a file leaves behind (Linux).
//
// The program runs traced and stops at each of its system calls, so the
// moments of a run can be counted and a kill lands exactly where it is
// aimed. It is writing a file while it holds a file of the folder watched
// open for writing, or while a temporary file (a name beginning with a dot,
// see platform/atomicfile.h) lies there.
#pragma once

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/ptrace.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "platform/testenv.h"

namespace wt::testing {

// The temporary files of writes into `folder`.
inline std::vector<std::filesystem::path> Temporaries(const std::filesystem::path& folder) {
  std::vector<std::filesystem::path> found;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (entry.path().filename().string().starts_with(".")) found.push_back(entry.path());
  }
  return found;
}

// Never: the run ends by itself; Stop: a kill at the n-th stop of the run;
// WritingStop: at the n-th stop while a file is being written.
enum class KillAt { Never, Stop, WritingStop };

struct TracedRun {
  bool traced = true;    // false: this system does not let a test trace its child
  int stops = 0;         // stops of the run, up to the kill
  int writingStops = 0;  // of them, stops while a file was being written
  bool killed = false;
  int exitStatus = -1;  // when it ended by itself
};

namespace internal {

// The exit status of a child that could not be traced.
inline constexpr int kNotTraced = 124;

// True when process `pid` holds a file of `folder` (a canonical path) open
// for writing: the link of such a descriptor has its owner's write bit.
inline bool HoldsOpenForWriting(pid_t pid, const std::filesystem::path& folder) {
  namespace fs = std::filesystem;
  std::error_code error;
  for (const auto& fd : fs::directory_iterator("/proc/" + std::to_string(pid) + "/fd", error)) {
    if ((fd.symlink_status(error).permissions() & fs::perms::owner_write) != fs::perms::none &&
        fs::read_symlink(fd.path(), error).parent_path() == folder) {
      return true;
    }
  }
  return false;
}

// Whether a program is writing can change only after a system call that
// opens, closes or renames files, so the costly look is taken only then.
inline bool MayChangeFiles(long call) {
  static constexpr long kCalls[] = {
      SYS_openat, SYS_close, SYS_renameat, SYS_renameat2, SYS_unlinkat,
      SYS_dup,    SYS_dup3,  SYS_fcntl,
#ifdef SYS_open
      SYS_open,   SYS_creat, SYS_rename,   SYS_unlink,    SYS_dup2,
#endif
  };
  return std::find(std::begin(kCalls), std::end(kCalls), call) != std::end(kCalls);
}

// Follows the traced child `child` from its first stop to its end or its
// kill at the n-th stop of the kind `at`.
inline TracedRun Follow(pid_t child, const std::filesystem::path& folder, KillAt at, int n) {
  TracedRun run;
  const std::filesystem::path watched = std::filesystem::canonical(folder);
  int status = 0;
  waitpid(child, &status, 0);  // the stop before the program proper begins
  if (WIFEXITED(status) && WEXITSTATUS(status) == kNotTraced) {
    run.traced = false;
    return run;
  }
  ptrace(PTRACE_SETOPTIONS, child, nullptr, PTRACE_O_EXITKILL | PTRACE_O_TRACESYSGOOD);
  int pass = 0;    // a signal to hand on to the child
  long call = -1;  // the system call entered last
  bool writing = false;
  for (;;) {
    ptrace(PTRACE_SYSCALL, child, nullptr, pass);
    pass = 0;
    if (waitpid(child, &status, 0) != child || WIFEXITED(status) || WIFSIGNALED(status)) break;
    if (WSTOPSIG(status) != (SIGTRAP | 0x80)) {
      pass = WSTOPSIG(status);
      continue;
    }
    ++run.stops;
    __ptrace_syscall_info info{};
    ptrace(PTRACE_GET_SYSCALL_INFO, child, sizeof info, &info);
    if (info.op == PTRACE_SYSCALL_INFO_ENTRY) {
      call = static_cast<long>(info.entry.nr);
    } else if (MayChangeFiles(call)) {
      writing = HoldsOpenForWriting(child, watched) || !Temporaries(folder).empty();
    }
    if (writing) ++run.writingStops;
    if ((at == KillAt::Stop && run.stops == n) ||
        (at == KillAt::WritingStop && writing && run.writingStops == n)) {
      kill(child, SIGKILL);
      waitpid(child, &status, 0);
      break;
    }
  }
  run.killed = WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
  if (WIFEXITED(status)) run.exitStatus = WEXITSTATUS(status);
  // What a kill leaves would count as writing in the next run.
  for (const std::filesystem::path& left : Temporaries(folder)) std::filesystem::remove(left);
  return run;
}

}  // namespace internal

// Runs the program `argv` (the program first) with standard input from the
// file `input` and no output, traced, and kills it as `at` and `n` say.
// Leak checking is off in it: the leak checker cannot trace a traced
// program.
inline TracedRun RunTraced(const std::vector<std::string>& argv, const std::string& input,
                           const std::filesystem::path& folder, KillAt at, int n = 0) {
  std::vector<char*> args;
  for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);
  const char* asan = std::getenv("ASAN_OPTIONS");
  const std::string asanOptions = (asan ? std::string(asan) + ":" : "") + "detect_leaks=0";
  const pid_t child = fork();
  if (child == 0) {
    const int in = open(input.c_str(), O_RDONLY);
    const int out = open("/dev/null", O_WRONLY);
    if (in < 0 || out < 0) _exit(126);
    dup2(in, 0);
    dup2(out, 1);
    dup2(out, 2);
    SetEnvironment("ASAN_OPTIONS", asanOptions);
    if (ptrace(PTRACE_TRACEME, 0, nullptr, nullptr) != 0) _exit(internal::kNotTraced);
    execv(args[0], args.data());  // stops here, traced
    _exit(127);
  }
  return internal::Follow(child, folder, at, n);
}

// The same for `body` run in a child process of this one; its result is the
// exit status.
inline TracedRun RunTraced(const std::function<int()>& body, const std::filesystem::path& folder,
                           KillAt at, int n = 0) {
  const pid_t child = fork();
  if (child == 0) {
    if (ptrace(PTRACE_TRACEME, 0, nullptr, nullptr) != 0) _exit(internal::kNotTraced);
    raise(SIGSTOP);
    _exit(body());
  }
  return internal::Follow(child, folder, at, n);
}

// The kill test itself. `run(version, at, n)` writes version 0 or 1 of a
// file, killed as `at` and `n` say; `read()` gives the file. Both versions are
// first written whole; then `kills` runs, alternately killed at a random stop
// of the run (one of the last quarter when `late`, where a run that reads much
// first does its writing) and at a random stop while it writes, must each
// leave one of them whole.
inline void ExpectKillsLeaveTheOldFileOrTheNewOneWhole(
    const std::function<TracedRun(int version, KillAt at, int n)>& run,
    const std::function<std::string()>& read, int kills, unsigned seed, bool late = false) {
  TracedRun whole[2];
  std::string versions[2];
  for (int v = 0; v < 2; ++v) {
    whole[v] = run(v, KillAt::Never, 0);
    ASSERT_TRUE(whole[v].traced) << "this system does not let a test trace the program it starts";
    ASSERT_EQ(whole[v].exitStatus, 0);
    versions[v] = read();
  }
  ASSERT_NE(versions[0], versions[1]);
  const int stops = std::min(whole[0].stops, whole[1].stops);
  const int writingStops = std::min(whole[0].writingStops, whole[1].writingStops);
  ASSERT_GT(writingStops, 0) << "the write was not seen";
  std::mt19937 random(seed);
  for (int i = 0; i < kills; ++i) {
    const bool whileWriting = i % 2 == 1;
    const KillAt at = whileWriting ? KillAt::WritingStop : KillAt::Stop;
    const int r = static_cast<int>(random() % 0x7fffffffu);
    // A run's length varies by a few stops with where the heap was placed;
    // a run that ends before its stop is aimed again within the length it
    // has just shown.
    int length = whileWriting ? writingStops : stops;
    TracedRun killed;
    for (int attempt = 0; attempt < 3 && !killed.killed; ++attempt) {
      ASSERT_GT(length, 0);
      const int n = !whileWriting && late ? length - r % (length / 4 + 1) : 1 + r % length;
      killed = run(i / 2 % 2, at, n);
      const std::string now = read();
      ASSERT_TRUE(now == versions[0] || now == versions[1])
          << "a file of " << now.size() << " bytes after a kill at "
          << (whileWriting ? "writing " : "") << "stop " << n;
      length = whileWriting ? killed.writingStops : killed.stops;
    }
    EXPECT_TRUE(killed.killed) << "three runs ended before the stop they were aimed at";
  }
}

}  // namespace wt::testing
