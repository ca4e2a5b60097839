#include "platform/cmdtail.h"

#include <gtest/gtest.h>

namespace wt {
namespace {

using Words = std::vector<std::string>;

TEST(SplitCommandLine, RunsOfBlanksAndTabsSeparateWords) {
  EXPECT_EQ(SplitCommandLine("C:\\data\\run1.cor  2", 3), (Words{"C:\\data\\run1.cor", "2"}));
  EXPECT_EQ(SplitCommandLine("  a.hgl\t P ", 10), (Words{"a.hgl", "P"}));
  EXPECT_EQ(SplitCommandLine("a\tb", 10), (Words{"a", "b"}));
}

TEST(SplitCommandLine, EmptyAndBlankTailsGiveNoWords) {
  EXPECT_TRUE(SplitCommandLine("", 10).empty());
  EXPECT_TRUE(SplitCommandLine(" \t  \t", 10).empty());
}

TEST(SplitCommandLine, QuotesAreOrdinaryCharacters) {
  EXPECT_EQ(SplitCommandLine("\"c:\\my plots\\x.hgl\"", 10), (Words{"\"c:\\my", "plots\\x.hgl\""}));
  EXPECT_EQ(SplitCommandLine("C:\\my data\\run1.cor 3", 3),
            (Words{"C:\\my", "data\\run1.cor", "3"}));
}

TEST(SplitCommandLine, TheWordLimitStopsTheWalk) {
  EXPECT_EQ(SplitCommandLine("a b c d", 3), (Words{"a", "b", "c"}));
  EXPECT_EQ(SplitCommandLine("1 2 3 4 5 6 7 8 9 10 11 12", 10).size(), 10u);
  EXPECT_EQ(SplitCommandLine("1 2 3 4 5 6 7 8 9 10 11 12", 10).back(), "10");
  // The walk stops at the start of the extra word: the last kept word is whole.
  EXPECT_EQ(SplitCommandLine("ab cd ef", 2), (Words{"ab", "cd"}));
  EXPECT_TRUE(SplitCommandLine("anything", 0).empty());
}

TEST(SplitCommandLine, OtherWhitespaceBelongsToWords) {
  EXPECT_EQ(SplitCommandLine("a\nb\rc", 10), (Words{"a\nb\rc"}));
}

}  // namespace
}  // namespace wt
