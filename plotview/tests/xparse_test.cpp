#include "plotview/xparse.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "common/numeric.h"

namespace wt::plot {
namespace {

// The parameters 2 to n + 1 of `line`, or nothing.
std::optional<std::vector<std::int16_t>> Parameters(std::string_view line, int n) {
  std::vector<std::int16_t> values(static_cast<std::size_t>(n));
  if (!ParameterValues(line, n, values.data())) return std::nullopt;
  return values;
}

using Values = std::vector<std::int16_t>;

// The number the reader takes from `token`, which holds neither a comma nor a
// blank and is not empty.
std::optional<std::int16_t> ParameterNumber(const std::string& token) {
  std::int16_t value;
  if (!ParameterValues("PD " + token, 1, &value)) return std::nullopt;
  return value;
}

TEST(ParameterValuesTest, CommasAndBlanksSeparateTokens) {
  EXPECT_EQ(Parameters("PU 100,200", 2), (Values{100, 200}));
  EXPECT_EQ(Parameters("PU,100,200;", 2), (Values{100, 200}));
  EXPECT_EQ(Parameters("PU 100 200", 2), (Values{100, 200}));
  EXPECT_EQ(Parameters(" ,PU,,100  200;, ", 2), (Values{100, 200}));
  // Whatever is glued to the mnemonic belongs to token 1.
  EXPECT_EQ(Parameters("PU100,200;", 1), (Values{200}));
  EXPECT_EQ(Parameters("PU100,200;", 2), std::nullopt);
}

TEST(ParameterValuesTest, SemicolonsAndTabsBelongToTokens) {
  // Token 1 is "PU\t1;PD", token 2 is "3".
  EXPECT_EQ(Parameters("PU\t1;PD 3", 1), (Values{3}));
  EXPECT_EQ(Parameters("PU\t1;PD 3", 2), std::nullopt);
  // Token 3 is "200;PD", which reads 200; the second command is not seen.
  EXPECT_EQ(Parameters("PU 100,200;PD 300,400;", 2), (Values{100, 200}));
}

TEST(ParameterValuesTest, ALineWithTooFewTokensGivesNothing) {
  EXPECT_EQ(Parameters("PU 7", 2), std::nullopt);
  EXPECT_EQ(Parameters("PU 7,", 2), std::nullopt);
  EXPECT_EQ(Parameters("IP 1,2,3", 4), std::nullopt);
  EXPECT_EQ(Parameters("", 1), std::nullopt);
  EXPECT_EQ(Parameters(" , ", 1), std::nullopt);
}

TEST(ParameterValuesTest, LaterTokensAreNotRead) {
  EXPECT_EQ(Parameters("PD 100,200,300,400", 2), (Values{100, 200}));
  // Those beyond the ones asked for may be anything, even beyond 16 bits.
  EXPECT_EQ(Parameters("PD 100,200,99999", 2), (Values{100, 200}));
  std::string line = "IP";
  for (int i = 1; i <= 40; ++i) (line += ",") += std::to_string(i);
  EXPECT_EQ(Parameters(line, 4), (Values{1, 2, 3, 4}));
  const std::optional<Values> many = Parameters(line, 29);
  ASSERT_TRUE(many);
  EXPECT_EQ(many->back(), 29);
}

TEST(ParameterValuesTest, VeryLongLinesAreReadWhole) {
  EXPECT_EQ(Parameters(std::string(70000, ' ') + "PD 12", 1), (Values{12}));
  EXPECT_EQ(Parameters("PD " + std::string(70000, ',') + "12 " + std::string(70000, '0') + "34", 2),
            (Values{12, 34}));
}

TEST(ParameterValuesTest, ParametersReadTheLeadingNumber) {
  EXPECT_EQ(Parameters("PD 200; 1.5,2.5 3.5 -300 +20; abc 4e2 -0.4 32767 -32768", 11),
            (Values{200, 2, 2, 4, -300, 20, 0, 400, 0, 32767, -32768}));
  // One parameter that does not fit 16 bits fails the line.
  EXPECT_EQ(Parameters("PD 7x 32768", 1), (Values{7}));
  EXPECT_EQ(Parameters("PD 7x 32768", 2), std::nullopt);
  EXPECT_EQ(Parameters("PD -32769 1", 2), std::nullopt);
}

// The tokens of a line by the plain rule: runs of characters that are
// neither a comma nor a blank.
std::vector<std::string_view> PlainTokens(std::string_view line) {
  std::vector<std::string_view> tokens;
  for (std::size_t i = 0; i < line.size();) {
    const std::size_t start = line.find_first_not_of(", ", i);
    if (start == std::string_view::npos) break;
    i = std::min(line.find_first_of(", ", start), line.size());
    tokens.push_back(line.substr(start, i - start));
  }
  return tokens;
}

TEST(ParameterValuesTest, AnyLineReadsAsThePlainRuleReadsItsTokens) {
  std::mt19937 random(9);
  const std::string alphabet = "PDU0123456789,, ;-+.x\t";
  for (int i = 0; i < 20000; ++i) {
    // Mostly short lines; some of more than 30 tokens.
    const std::size_t length = i % 10 == 0 ? random() % 200 : random() % 24;
    std::string line;
    for (std::size_t j = 0; j < length; ++j) line += alphabet[random() % alphabet.size()];
    const std::vector<std::string_view> plain = PlainTokens(line);
    for (int n = 1; n <= 4; ++n) {
      // What the plain rule gives: tokens 2 to n + 1, each fitting 16 bits.
      std::optional<Values> expected;
      if (plain.size() >= static_cast<std::size_t>(n) + 1) {
        expected.emplace();
        for (int k = 2; k <= n + 1 && expected; ++k) {
          const std::optional<std::int16_t> value = WholeNumber16(plain[k - 1]);
          if (value)
            expected->push_back(*value);
          else
            expected.reset();
        }
      }
      ASSERT_EQ(Parameters(line, n), expected) << '"' << line << "\" " << n;
    }
  }
}

// Whole numbers are read by a short route; it must agree with the general
// rule on every kind of token.
TEST(ParameterNumberTest, AgreesWithTheNumberRule) {
  const std::vector<std::string> fixed = {
      "-",   "+",    "0",     "-0",    "007",   "12;",    "12\t3",  "12.",    "12.5",      "12e1",
      "12E", "12d1", "12D+1", "99999", "32767", "32768",  "-32768", "-32769", "123456",    "1;2",
      "5x",  "\t5",  "-\t5",  ".5",    "+.5",   "65536;", "1e400",  "--1",    "4000000000"};
  for (const std::string& token : fixed) {
    EXPECT_EQ(ParameterNumber(token), WholeNumber16(token)) << '"' << token << '"';
  }
  std::mt19937 random(5);
  const std::string alphabet = "0123456789+-.eEdD;\tx";
  for (int i = 0; i < 20000; ++i) {
    std::string token;
    const int length = 1 + static_cast<int>(random() % 8);
    for (int j = 0; j < length; ++j) {
      // Mostly digits, so that many tokens take the short route.
      token += random() % 3 ? alphabet[random() % 10] : alphabet[random() % alphabet.size()];
    }
    ASSERT_EQ(ParameterNumber(token), WholeNumber16(token)) << '"' << token << '"';
  }
}

}  // namespace
}  // namespace wt::plot
