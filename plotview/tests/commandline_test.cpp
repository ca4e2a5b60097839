#include "plotview/commandline.h"

#include <gtest/gtest.h>

namespace wt::plot {

void PrintTo(const StartChoice& c, std::ostream* os) {
  *os << "{" << c.plotFile << (c.print ? ", print}" : ", window}");
}

namespace {

using Words = std::vector<std::string>;

TEST(SplitCommandLine, WordsStartAtIndexOneAfterAnEmptyText) {
  EXPECT_EQ(SplitCommandLine(""), (Words{""}));
  EXPECT_EQ(SplitCommandLine("  a.hgl\t P "), (Words{"", "a.hgl", "P"}));
  EXPECT_EQ(SplitCommandLine("a b c", 2), (Words{"", "a", "b"}));
}

TEST(SplitCommandLine, KeepsTenWordsByDefault) {
  EXPECT_EQ(SplitCommandLine("1 2 3 4 5 6 7 8 9 10 11 12").size(), 11u);
}

TEST(ChooseStart, TheWordCountDecides) {
  const StartChoice defaultWindow{"c:\\zorb\\zorb1.hgl", false};
  EXPECT_EQ(ChooseStart(""), defaultWindow);
  EXPECT_EQ(ChooseStart("d:\\plots\\run7.hgl"), (StartChoice{"d:\\plots\\run7.hgl", false}));
  EXPECT_EQ(ChooseStart("d:\\plots\\run7.hgl p"), (StartChoice{"d:\\plots\\run7.hgl", true}));
  EXPECT_EQ(ChooseStart("d:\\plots\\run7.hgl P"), (StartChoice{"d:\\plots\\run7.hgl", true}));
  EXPECT_EQ(ChooseStart("d:\\plots\\run7.hgl PRINT"), (StartChoice{"d:\\plots\\run7.hgl", false}));
  EXPECT_EQ(ChooseStart("a.hgl b.hgl c.hgl"), defaultWindow);
  EXPECT_EQ(ChooseStart("a.hgl P x"), defaultWindow);
}

TEST(ChooseStart, BlanksAndTabsSeparateWordsWithoutQuoting) {
  EXPECT_EQ(ChooseStart("  a.hgl\t P "), (StartChoice{"a.hgl", true}));
  EXPECT_EQ(ChooseStart("c:\\my plots\\x.hgl"), (StartChoice{"c:\\my", false}));
  EXPECT_EQ(ChooseStart("\"c:\\plots\\x.hgl\""), (StartChoice{"\"c:\\plots\\x.hgl\"", false}));
}

TEST(ChooseStart, TenOrMoreWordsGiveTheDefaultFile) {
  EXPECT_EQ(ChooseStart("1 2 3 4 5 6 7 8 9 10"), (StartChoice{"c:\\zorb\\zorb1.hgl", false}));
  EXPECT_EQ(ChooseStart("1 2 3 4 5 6 7 8 9 10 11"), (StartChoice{"c:\\zorb\\zorb1.hgl", false}));
}

}  // namespace
}  // namespace wt::plot
