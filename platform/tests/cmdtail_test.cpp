#include "platform/cmdtail.h"

#include <gtest/gtest.h>

namespace wt {
namespace {

using Words = std::vector<std::string>;

TEST(SplitCommandLine, BlanksAndTabsAloneSeparateWordsUpToTheLimit) {
  const struct {
    const char* tail;
    std::size_t maxWords;
    Words words;
  } kCases[] = {
      {"  a.hgl\t P ", 10, {"a.hgl", "P"}},
      {" \t  \t", 10, {}},
      // No quoting, and other white space is part of a word.
      {"\"c:\\my plots\\x.hgl\"", 10, {"\"c:\\my", "plots\\x.hgl\""}},
      {"a\nb\rc", 10, {"a\nb\rc"}},
      // The walk stops at the start of the extra word: the last kept word is whole.
      {"ab cd ef", 2, {"ab", "cd"}},
      {"anything", 0, {}},
  };
  for (const auto& c : kCases) EXPECT_EQ(SplitCommandLine(c.tail, c.maxWords), c.words) << c.tail;
}

}  // namespace
}  // namespace wt
