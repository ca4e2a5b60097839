// Wintarvo run as a program where it cannot show its window.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <string>

namespace {

// Wintarvo's exit status, a blank and its standard error, run by env(1) with
// the changes `env`.
std::string RunWintarvo(const std::string& env) {
  FILE* pipe = popen(("env " + env + " '" WT_WINTARVO "' 2>&1 >/dev/null").c_str(), "r");
  std::string err;
  char buffer[4096];
  for (std::size_t got; (got = fread(buffer, 1, sizeof buffer, pipe)) > 0;) err.append(buffer, got);
  const int status = pclose(pipe);
  return std::to_string(WIFEXITED(status) ? WEXITSTATUS(status) : -1) + " " + err;
}

TEST(WintarvoProgram, WithoutADisplayItSaysSoAndEnds) {
  const std::string why =
      "1 Wintarvo: no display to show its window on (DISPLAY and WAYLAND_DISPLAY are unset, or "
      "WINTARVO_UI is console)\n";
  EXPECT_EQ(RunWintarvo("-u DISPLAY -u WAYLAND_DISPLAY"), why);
  EXPECT_EQ(RunWintarvo("DISPLAY=:0 WINTARVO_UI=console"), why);
}

}  // namespace
