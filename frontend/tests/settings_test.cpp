#include "frontend/settings.h"

#include <gtest/gtest.h>

namespace wt {
namespace {

// The window tests cover the file through a whole run; this is the guard that
// keeps each value on its own line.
TEST(SettingsFile, AValueEndsAtItsFirstLineBreak) {
  Settings settings{"c:\\data\\benz.in\nc:\\x", {"vi\r\n-x", "\rvi", " a\tb ", "\n"}};
  EXPECT_EQ(SettingsText(settings), "c:\\data\\benz.in\r\nvi\r\n\r\n a\tb \r\n\r\n");
}

}  // namespace
}  // namespace wt
