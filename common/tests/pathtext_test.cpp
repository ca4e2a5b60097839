#include "common/pathtext.h"

#include <gtest/gtest.h>


namespace wt {
namespace {

TEST(LastPos, OneBasedLastOccurrenceOrOne) {
  EXPECT_EQ(LastPos("abc", 'x'), 1u);
  EXPECT_EQ(LastPos("a.b.c", '.'), 4u);
  EXPECT_EQ(LastPos("", '.'), 1u);
  EXPECT_EQ(LastPos(".", '.'), 1u);
  EXPECT_EQ(LastPos("c:\\data\\benz.in", '\\'), 8u);
}

TEST(LastPos, LongTextsDoNotWrap) {
  std::string s(70000, 'a');
  s += '.';
  EXPECT_EQ(LastPos(s, '.'), 70001u);
}

TEST(FileNameOf, TextAfterTheLastFolderSeparator) {
  EXPECT_EQ(FileNameOf("c:\\data\\benz"), "benz");
  EXPECT_EQ(FileNameOf("benz"), "benz");
  EXPECT_EQ(FileNameOf("c:\\data\\"), "");
  EXPECT_EQ(FileNameOf(""), "");
}

}  // namespace
}  // namespace wt
