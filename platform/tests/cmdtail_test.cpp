#include "platform/cmdtail.h"

#include <gtest/gtest.h>

namespace wt {
namespace {

using Words = std::vector<std::string>;

TEST(SplitCommandLine, BlanksAndTabsAloneSeparateWordsUpToTheLimit) {
  EXPECT_EQ(SplitCommandLine("  a.hgl\t P ", 10), (Words{"a.hgl", "P"}));
  EXPECT_EQ(SplitCommandLine(" \t  \t", 10), Words{});
  // No quoting, and other white space is part of a word.
  EXPECT_EQ(SplitCommandLine("\"c:\\my plots\\x.hgl\"", 10), (Words{"\"c:\\my", "plots\\x.hgl\""}));
  EXPECT_EQ(SplitCommandLine("a\nb\rc", 10), Words{"a\nb\rc"});
  // The walk stops at the start of the extra word: the last kept word is whole.
  EXPECT_EQ(SplitCommandLine("ab cd ef", 2), (Words{"ab", "cd"}));
  EXPECT_EQ(SplitCommandLine("anything", 0), Words{});
}

}  // namespace
}  // namespace wt
