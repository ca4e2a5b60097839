// Wintarvo run as a program where it cannot show its window.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

TEST(WintarvoProgram, WithoutADisplayItSaysSoAndEnds) {
  for (const char* env : {"-u DISPLAY -u WAYLAND_DISPLAY", "DISPLAY=:0 WINTARVO_UI=console"}) {
    // Its standard error, then its exit status.
    const std::string run =
        "env " + std::string(env) + " '" WT_WINTARVO "' 2>&1 >/dev/null; echo $?";
    FILE* pipe = popen(run.c_str(), "r");
    std::string told(4096, '\0');
    told.resize(fread(told.data(), 1, told.size(), pipe));
    pclose(pipe);
    EXPECT_EQ(told,
              "Wintarvo: no display to show its window on (DISPLAY and WAYLAND_DISPLAY are unset, "
              "or WINTARVO_UI is console)\n1\n")
        << env;
  }
}

}  // namespace
