// A part of a test run where no thread can be started (POSIX): in a child
// process whose user may have no process at all. Root is not held to that
// limit, so as root the part runs as nobody and must read only what everyone
// may, as the temporary folder's files are.
#pragma once

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <string>
#include <system_error>
#include <thread>

namespace wt::testing {

// Runs `part` where no thread can be started and says how it went:
// "passed" or "failed" as `part` returned true or false; otherwise why it did
// not run to its end.
inline std::string RunWithoutThreads(const std::function<bool()>& part) {
  enum Verdict { kPassed, kFailed, kThreadStarted, kNoLimit, kOtherwise };
  static const char* const kWords[] = {"passed", "failed", "a thread could be started all the same",
                                       "the limit on processes could not be set",
                                       "the part ended otherwise (an exception, a signal)"};
  const pid_t child = fork();
  if (child == 0) {
    int verdict = kNoLimit;
    try {
      const rlimit none{0, 0};
      if ((geteuid() != 0 || (setgid(65534) == 0 && setuid(65534) == 0)) &&
          setrlimit(RLIMIT_NPROC, &none) == 0) {
        verdict = kThreadStarted;
        try {
          std::thread([] {}).join();
        } catch (const std::system_error&) {
          verdict = part() ? kPassed : kFailed;
        }
      }
    } catch (...) {
      verdict = kOtherwise;
    }
    _exit(verdict);  // nothing of the test process runs on in the child
  }
  int status = 0;
  const bool ended = child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status);
  return kWords[ended && WEXITSTATUS(status) < kOtherwise ? WEXITSTATUS(status) : kOtherwise];
}

}  // namespace wt::testing
