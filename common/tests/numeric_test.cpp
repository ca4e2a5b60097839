#include "common/numeric.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <string>

namespace wt {
namespace {

TEST(NumericValue, TheLongestLeadingNumberBlanksLeftOut) {
  EXPECT_EQ(NumericValue("3abc"), 3.0);
  EXPECT_EQ(NumericValue("1.5.3"), 1.5);
  EXPECT_EQ(NumericValue("-.25"), -0.25);
  EXPECT_EQ(NumericValue("+20;"), 20.0);
  EXPECT_EQ(NumericValue("7."), 7.0);
  EXPECT_EQ(NumericValue("."), 0.0);
  EXPECT_EQ(NumericValue("--1"), 0.0);
  EXPECT_EQ(NumericValue("1,5"), 1.0);  // the comma is no decimal separator
  EXPECT_EQ(NumericValue("0.1"), 0.1);
  // Exponents with E or D, either case; one without digits is no part of it.
  EXPECT_EQ(NumericValue("1.5D+02"), 150.0);
  EXPECT_EQ(NumericValue("25e-1"), 2.5);
  EXPECT_EQ(NumericValue("4E+"), 4.0);
  EXPECT_EQ(NumericValue("4dx"), 4.0);
  // Blanks, tabs and line feeds are dropped; a carriage return ends the number.
  EXPECT_EQ(NumericValue("- 1\t2\n.5"), -12.5);
  EXPECT_EQ(NumericValue("1 E 2"), 100.0);
  EXPECT_EQ(NumericValue("1\r5"), 1.0);
  // Beyond a double's range, and more digits than are kept.
  EXPECT_EQ(NumericValue("1e999999999999999999"), HUGE_VAL);
  EXPECT_EQ(NumericValue("-1e400"), -HUGE_VAL);
  EXPECT_EQ(NumericValue("1e-400"), 0.0);
  EXPECT_EQ(NumericValue(std::string(100000, '9') + "e-99995"), 1e5);
  EXPECT_EQ(NumericValue("0." + std::string(100000, '0') + "1e100001"), 1.0);
}

TEST(NumericValue, IndependentOfTheLocale) {
  const char* old = std::setlocale(LC_NUMERIC, nullptr);
  const std::string saved = old ? old : "C";
  if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") || std::setlocale(LC_NUMERIC, "fr_FR.UTF-8")) {
    EXPECT_EQ(NumericValue("1.5"), 1.5);
    EXPECT_EQ(NumericValue("1,5"), 1.0);
  }
  std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(RoundToInt16, HalvesGoToTheEvenNeighbour) {
  EXPECT_EQ(RoundToInt16(2.5), 2);
  EXPECT_EQ(RoundToInt16(3.5), 4);
  EXPECT_EQ(RoundToInt16(-2.5), -2);
  EXPECT_EQ(RoundToInt16(-3.5), -4);
  EXPECT_EQ(RoundToInt16(0.5), 0);
  EXPECT_EQ(RoundToInt16(1.4999), 1);
  EXPECT_EQ(RoundToInt16(1.5001), 2);
}

TEST(RoundToInt16, ValuesBeyond16BitsAreReportedNotWrapped) {
  EXPECT_EQ(RoundToInt16(32767.0), 32767);
  EXPECT_EQ(RoundToInt16(-32768.5), -32768);
  EXPECT_EQ(RoundToInt16(32767.5), std::nullopt);
  EXPECT_EQ(RoundToInt16(-32769.0), std::nullopt);
  EXPECT_EQ(RoundToInt16(65536.0), std::nullopt);
  EXPECT_EQ(RoundToInt16(1e300), std::nullopt);
  EXPECT_EQ(RoundToInt16(std::nan("")), std::nullopt);
  EXPECT_EQ(RoundToInt16(HUGE_VAL), std::nullopt);
}

}  // namespace
}  // namespace wt
