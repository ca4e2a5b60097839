#include "common/pathtext.h"

#include <gtest/gtest.h>

namespace wt {
namespace {

TEST(PathText, OneBasedLastPositionsOrOneAndTheNameAfterTheLastFolder) {
  EXPECT_EQ(LastPos("abc", 'x'), 1u);
  EXPECT_EQ(LastPos("", '.'), 1u);
  EXPECT_EQ(LastPos("c:\\data\\benz.in", '\\'), 8u);
  EXPECT_EQ(LastPos(std::string(70000, 'a') + '.', '.'), 70001u);  // no 16-bit wrap
  EXPECT_EQ(LastFolderPos("benz.in"), 1u);
  EXPECT_EQ(FileNameOf("c:\\data\\benz"), "benz");
  EXPECT_EQ(FileNameOf("benz"), "benz");
  EXPECT_EQ(FileNameOf("c:\\data\\"), "");
}

}  // namespace
}  // namespace wt
