#include "common/numeric.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <string>

namespace wt {
namespace {

TEST(NumericValue, LongestLeadingNumber) {
  EXPECT_DOUBLE_EQ(NumericValue("3abc"), 3.0);
  EXPECT_DOUBLE_EQ(NumericValue("abc"), 0.0);
  EXPECT_DOUBLE_EQ(NumericValue(""), 0.0);
  EXPECT_DOUBLE_EQ(NumericValue("200;"), 200.0);
  EXPECT_DOUBLE_EQ(NumericValue("1.5.3"), 1.5);
  EXPECT_DOUBLE_EQ(NumericValue(".5"), 0.5);
  EXPECT_DOUBLE_EQ(NumericValue("-.25"), -0.25);
  EXPECT_DOUBLE_EQ(NumericValue("+20;"), 20.0);
  EXPECT_DOUBLE_EQ(NumericValue("7."), 7.0);
  EXPECT_DOUBLE_EQ(NumericValue("-"), 0.0);
  EXPECT_DOUBLE_EQ(NumericValue("."), 0.0);
  EXPECT_DOUBLE_EQ(NumericValue("--1"), 0.0);
}

TEST(NumericValue, CommaEndsTheNumber) {
  EXPECT_DOUBLE_EQ(NumericValue("1,5"), 1.0);
  EXPECT_DOUBLE_EQ(NumericValue("1,50000"), 1.0);
}

TEST(NumericValue, ExponentsWithEOrD) {
  EXPECT_DOUBLE_EQ(NumericValue("1.5D+02"), 150.0);
  EXPECT_DOUBLE_EQ(NumericValue("1.5d2"), 150.0);
  EXPECT_DOUBLE_EQ(NumericValue("25E-1"), 2.5);
  EXPECT_DOUBLE_EQ(NumericValue("-1.25e+1x"), -12.5);
  // An exponent without digits is no part of the number.
  EXPECT_DOUBLE_EQ(NumericValue("4E"), 4.0);
  EXPECT_DOUBLE_EQ(NumericValue("4E+"), 4.0);
  EXPECT_DOUBLE_EQ(NumericValue("4Dx"), 4.0);
}

TEST(NumericValue, BlanksTabsAndLineFeedsAreDropped) {
  EXPECT_DOUBLE_EQ(NumericValue("1 5"), 15.0);
  EXPECT_DOUBLE_EQ(NumericValue("   -1.2345  "), -1.2345);
  EXPECT_DOUBLE_EQ(NumericValue("- 1\t2\n.5"), -12.5);
  EXPECT_DOUBLE_EQ(NumericValue("1 E 2"), 100.0);
  // A carriage return is no blank: it ends the number.
  EXPECT_DOUBLE_EQ(NumericValue("1\r5"), 1.0);
}

TEST(NumericValue, IndependentOfTheLocale) {
  const char* old = std::setlocale(LC_NUMERIC, nullptr);
  std::string saved = old ? old : "C";
  if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") || std::setlocale(LC_NUMERIC, "fr_FR.UTF-8")) {
    EXPECT_DOUBLE_EQ(NumericValue("1.5"), 1.5);
    EXPECT_DOUBLE_EQ(NumericValue("1,5"), 1.0);
  }
  std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(NumericValue, ExtremeTextsStayDefined) {
  EXPECT_TRUE(std::isinf(NumericValue("1e999999999999999999")));
  EXPECT_LT(NumericValue("-1e400"), 0.0);
  EXPECT_DOUBLE_EQ(NumericValue("1e-400"), 0.0);
  EXPECT_DOUBLE_EQ(NumericValue(std::string(100000, '9') + "e-99995"), 1e5);
  EXPECT_DOUBLE_EQ(NumericValue("0." + std::string(100000, '0') + "1e100001"), 1.0);
  EXPECT_DOUBLE_EQ(NumericValue("00000000000000000000000012.5"), 12.5);
  EXPECT_DOUBLE_EQ(NumericValue("0.1"), 0.1);
}

TEST(RoundToInt16, HalvesGoToTheEvenNeighbour) {
  EXPECT_EQ(RoundToInt16(2.5), 2);
  EXPECT_EQ(RoundToInt16(3.5), 4);
  EXPECT_EQ(RoundToInt16(-2.5), -2);
  EXPECT_EQ(RoundToInt16(-3.5), -4);
  EXPECT_EQ(RoundToInt16(0.5), 0);
  EXPECT_EQ(RoundToInt16(1.4999), 1);
  EXPECT_EQ(RoundToInt16(1.5001), 2);
  EXPECT_EQ(RoundToInt16(-0.4), 0);
}

TEST(RoundToInt16, ValuesBeyond16BitsAreReportedNotWrapped) {
  EXPECT_EQ(RoundToInt16(32767.0), 32767);
  EXPECT_EQ(RoundToInt16(-32768.0), -32768);
  EXPECT_EQ(RoundToInt16(-32768.5), -32768);
  EXPECT_EQ(RoundToInt16(32767.5), std::nullopt);
  EXPECT_EQ(RoundToInt16(40000.0), std::nullopt);
  EXPECT_EQ(RoundToInt16(-32769.0), std::nullopt);
  EXPECT_EQ(RoundToInt16(65536.0), std::nullopt);
  EXPECT_EQ(RoundToInt16(1e300), std::nullopt);
  EXPECT_EQ(RoundToInt16(std::nan("")), std::nullopt);
  EXPECT_EQ(RoundToInt16(HUGE_VAL), std::nullopt);
}

TEST(WholeNumber16, TextToWholeNumber) {
  EXPECT_EQ(WholeNumber16("2.5"), 2);
  EXPECT_EQ(WholeNumber16("3.5"), 4);
  EXPECT_EQ(WholeNumber16("3abc"), 3);
  EXPECT_EQ(WholeNumber16("x"), 0);
  EXPECT_EQ(WholeNumber16("1.5D+02"), 150);
  EXPECT_EQ(WholeNumber16("40000"), std::nullopt);
  EXPECT_EQ(WholeNumber16("-32768"), -32768);
}

}  // namespace
}  // namespace wt
