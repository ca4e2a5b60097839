#include "common/numeric.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>

namespace wt {
namespace {

TEST(NumericValue, TheLongestLeadingNumberBlanksLeftOut) {
  // In turn: the leading number (the comma is no decimal separator);
  // exponents with E or D, either case, one without digits no part of it;
  // blanks, tabs and line feeds dropped, a carriage return ending the number.
  const std::pair<std::string, double> kCases[] = {
      {"3abc", 3.0},  {"1.5.3", 1.5}, {"-.25", -0.25}, {"+20;", 20.0},        {"7.", 7.0},
      {".", 0.0},     {"--1", 0.0},   {"1,5", 1.0},    {"0.1", 0.1},          {"1.5D+02", 150.0},
      {"25e-1", 2.5}, {"4E+", 4.0},   {"4dx", 4.0},    {"- 1\t2\n.5", -12.5}, {"1 E 2", 100.0},
      {"1\r5", 1.0}};
  for (const auto& [text, value] : kCases) EXPECT_EQ(NumericValue(text), value) << text;
}

TEST(NumericValue, BeyondTheRangeAndBeyondTheKeptDigits) {
  EXPECT_EQ(NumericValue("1e999999999999999999"), HUGE_VAL);
  EXPECT_EQ(NumericValue("-1e400"), -HUGE_VAL);
  EXPECT_EQ(NumericValue("1e-400"), 0.0);
  const auto zeros = [](std::size_t n) { return std::string(n, '0'); };
  EXPECT_EQ(NumericValue(std::string(100000, '9') + "e-99995"), 1e5);
  EXPECT_EQ(NumericValue("0." + zeros(100000) + "1e100001"), 1.0);
  // 1 + 2^-53, halfway between 1 and the next double, digit for digit. The
  // digits beyond the kept ones decide, as they do for the number written
  // out (a finding of fuzz/fuzz_commandline); exactly halfway goes to the even one.
  const std::string halfway = "1.00000000000000011102230246251565404236316680908203125";
  const double above = std::nextafter(1.0, 2.0);
  EXPECT_EQ(NumericValue(halfway + zeros(800) + "1"), above);
  EXPECT_EQ(NumericValue("-" + halfway + zeros(2000) + "7E0"), -above);
  EXPECT_EQ(NumericValue(halfway + zeros(1000)), 1.0);
  EXPECT_EQ(NumericValue(halfway.substr(0, 54) + "4" + std::string(900, '9')), 1.0);
  // 2^53 + 1 is halfway too; a 1 among the dropped whole digits puts it above.
  EXPECT_EQ(NumericValue("9007199254740993" + zeros(790) + "1e-791"), 9007199254740994.0);
  EXPECT_EQ(NumericValue("9007199254740993" + zeros(800) + "e-800"), 9007199254740992.0);
}

TEST(RoundToInt16, HalvesGoToTheEvenNeighbourAndNothingBeyond16Bits) {
  const std::pair<double, std::int16_t> kCases[] = {
      {2.5, 2},    {3.5, 4},    {-2.5, -2},       {-3.5, -4},        {0.5, 0},
      {1.4999, 1}, {1.5001, 2}, {32767.0, 32767}, {-32768.5, -32768}};
  for (const auto& [value, rounded] : kCases) EXPECT_EQ(RoundToInt16(value), rounded) << value;
  for (const double beyond : {32767.5, -32769.0, 65536.0, 1e300, std::nan(""), HUGE_VAL}) {
    EXPECT_EQ(RoundToInt16(beyond), std::nullopt) << beyond;
  }
}

}  // namespace
}  // namespace wt
