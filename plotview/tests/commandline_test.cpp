#include "plotview/commandline.h"

#include <gtest/gtest.h>

namespace wt::plot {

void PrintTo(const StartChoice& c, std::ostream* os) {
  *os << "{" << c.plotFile << (c.print ? ", print}" : ", window}");
}

namespace {

// One word: show it; two: print the first where the second is P or p;
// any other count, ten or more included, shows the default file. Blanks and
// tabs separate words, and quotes are no quoting.
TEST(ChooseStart, TheWordCountDecides) {
  const StartChoice defaultWindow{"c:\\zorb\\zorb1.hgl", false};
  const struct {
    const char* tail;
    StartChoice choice;
  } cases[] = {{"", defaultWindow},
               {"run7.hgl p", {"run7.hgl", true}},
               {"  a.hgl\t P ", {"a.hgl", true}},
               {"c:\\my plots\\x.hgl", {"c:\\my", false}},
               {"\"c:\\plots\\x.hgl\"", {"\"c:\\plots\\x.hgl\"", false}},
               {"a.hgl P x", defaultWindow},
               {"1 2 3 4 5 6 7 8 9 10 11", defaultWindow}};
  for (const auto& c : cases) EXPECT_EQ(ChooseStart(c.tail), c.choice) << c.tail;
}

}  // namespace
}  // namespace wt::plot
