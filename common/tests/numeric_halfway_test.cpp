// Numbers of more digits than NumericValue keeps, exactly halfway between two
// doubles in their kept digits: the digits beyond decide the rounding, as
// they do for the number written out (a finding of fuzz/fuzz_commandline).
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "common/numeric.h"

namespace wt {
namespace {

// 1 + 2^-53, halfway between 1 and the next double, digit for digit.
const std::string kHalfway = "1.00000000000000011102230246251565404236316680908203125";

TEST(NumericValueHalfway, DigitsBeyondTheKeptOnesBreakTheTie) {
  const double above = std::nextafter(1.0, 2.0);
  EXPECT_EQ(NumericValue(kHalfway + std::string(800, '0') + "1"), above);
  EXPECT_EQ(NumericValue("-" + kHalfway + std::string(2000, '0') + "7E0"), -above);
  // Exactly halfway, however many zeros follow: the even neighbour.
  EXPECT_EQ(NumericValue(kHalfway + std::string(1000, '0')), 1.0);
  // Below halfway, the extra digits do not round it up.
  std::string below = kHalfway;
  below.back() = '4';
  EXPECT_EQ(NumericValue(below + std::string(900, '9')), 1.0);
}

TEST(NumericValueHalfway, DroppedWholeDigitsCountToo) {
  // 2^53 + 1 lies halfway between 2^53 and 2^53 + 2; a 1 among the dropped
  // digits of the whole part puts it above.
  const std::string halfway = "9007199254740993";
  EXPECT_EQ(NumericValue(halfway + std::string(790, '0') + "1e-791"), 9007199254740994.0);
  EXPECT_EQ(NumericValue(halfway + std::string(800, '0') + "e-800"), 9007199254740992.0);
}

}  // namespace
}  // namespace wt
