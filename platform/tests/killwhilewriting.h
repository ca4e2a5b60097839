// Killing a process at a chosen stop of its run, traced at each system call,
// to see what a kill in the middle of writing a file leaves (Linux). It is
// writing while it holds a file of the folder watched open for writing, or
// while a temporary file (a name beginning with a dot) lies there.
#pragma once

#include <signal.h>
#include <sys/ptrace.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace wt::testing {

// The temporary files of writes into `folder`.
inline std::vector<std::filesystem::path> Temporaries(const std::filesystem::path& folder) {
  std::vector<std::filesystem::path> found;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (entry.path().filename().string().starts_with(".")) found.push_back(entry.path());
  }
  return found;
}

struct TracedRun {
  int stops = 0;         // stops of the run, up to the kill
  int writingStops = 0;  // of them, stops while a file was being written
  bool killed = false;
  int exitStatus = -1;  // when it ended by itself; 124 where the system lets no test trace
};

// Runs `body` in a child process of this one, traced, whose exit status is
// what `body` returns, and kills it at its n-th stop, or with `whileWriting`
// at its n-th stop while it writes into `folder`; n = 0: never. What a kill
// leaves of a temporary file is then removed.
inline TracedRun RunTraced(const std::function<int()>& body, const std::filesystem::path& folder,
                           int n = 0, bool whileWriting = false) {
  namespace fs = std::filesystem;
  const pid_t child = fork();
  if (child == 0) {
    if (ptrace(PTRACE_TRACEME, 0, nullptr, nullptr) != 0) _exit(124);
    raise(SIGSTOP);
    _exit(body());
  }
  TracedRun run;
  const fs::path watched = fs::canonical(folder);
  const fs::path descriptors = "/proc/" + std::to_string(child) + "/fd";
  int status = 0, pass = 0;  // pass: a signal to hand on to the child
  waitpid(child, &status, 0);
  ptrace(PTRACE_SETOPTIONS, child, nullptr, PTRACE_O_EXITKILL | PTRACE_O_TRACESYSGOOD);
  while (ptrace(PTRACE_SYSCALL, child, nullptr, pass) == 0 && waitpid(child, &status, 0) == child &&
         WIFSTOPPED(status)) {
    pass = WSTOPSIG(status) == (SIGTRAP | 0x80) ? 0 : WSTOPSIG(status);
    if (pass != 0) continue;
    // A descriptor open for writing has a link with its owner's write bit.
    bool writing = !Temporaries(folder).empty();
    std::error_code error;
    for (const auto& fd : fs::directory_iterator(descriptors, error)) {
      writing = writing || ((fd.symlink_status(error).permissions() & fs::perms::owner_write) !=
                                fs::perms::none &&
                            fs::read_symlink(fd.path(), error).parent_path() == watched);
    }
    ++run.stops;
    run.writingStops += writing;
    if (n > 0 && (whileWriting ? writing && run.writingStops == n : run.stops == n)) {
      kill(child, SIGKILL);
      waitpid(child, &status, 0);
      break;
    }
  }
  run.killed = WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
  if (WIFEXITED(status)) run.exitStatus = WEXITSTATUS(status);
  for (const fs::path& left : Temporaries(folder)) fs::remove(left);
  return run;
}

}  // namespace wt::testing
