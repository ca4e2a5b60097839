// Wintarvo run as a program where it cannot show its window.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "platform/testenv.h"

namespace {

struct Outcome {
  int status = -1;
  std::string err;
};

// Runs Wintarvo with `environment` (NAME=VALUE, or -NAME to remove) added to
// this process's own.
Outcome RunWintarvo(const std::vector<std::string>& environment) {
  int errPipe[2];
  if (pipe(errPipe) != 0) return {};
  const pid_t child = fork();
  if (child == 0) {
    for (const std::string& change : environment) {
      const std::size_t equals = change.find('=');
      if (change.starts_with("-")) {
        wt::ClearEnvironment(change.substr(1));
      } else {
        wt::SetEnvironment(change.substr(0, equals), change.substr(equals + 1));
      }
    }
    dup2(errPipe[1], 2);
    close(errPipe[0]);
    execl(WT_WINTARVO, WT_WINTARVO, static_cast<char*>(nullptr));
    _exit(127);
  }
  close(errPipe[1]);
  Outcome outcome;
  char buffer[4096];
  for (ssize_t got; (got = read(errPipe[0], buffer, sizeof buffer)) > 0;)
    outcome.err.append(buffer, got);
  close(errPipe[0]);
  int status = 0;
  waitpid(child, &status, 0);
  if (WIFEXITED(status)) outcome.status = WEXITSTATUS(status);
  return outcome;
}

TEST(WintarvoProgram, WithoutADisplayItSaysSoAndEnds) {
  const std::string why =
      "Wintarvo: no display to show its window on (DISPLAY and WAYLAND_DISPLAY are unset, or "
      "WINTARVO_UI is console)\n";
  Outcome outcome = RunWintarvo({"-DISPLAY", "-WAYLAND_DISPLAY"});
  EXPECT_EQ(outcome.status, 1);
  EXPECT_EQ(outcome.err, why);
  outcome = RunWintarvo({"DISPLAY=:0", "WINTARVO_UI=console"});
  EXPECT_EQ(outcome.status, 1);
  EXPECT_EQ(outcome.err, why);
}

}  // namespace
