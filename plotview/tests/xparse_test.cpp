#include "plotview/xparse.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "common/numeric.h"
#include "plotview/tests/tokentable_probe.h"

namespace wt::plot {
namespace {

class TokenTableTest : public ::testing::Test {
 protected:
  // (start, length) of entries 1 to `count`.
  std::vector<std::pair<std::size_t, std::size_t>> Entries(int count) const {
    std::vector<std::pair<std::size_t, std::size_t>> entries;
    for (int k = 1; k <= count; ++k)
      entries.push_back(
          {TokenTableProbe::TokenStart(tokens_, k), TokenTableProbe::TokenLength(tokens_, k)});
    return entries;
  }
  using Entries_ = std::vector<std::pair<std::size_t, std::size_t>>;
  TokenTable tokens_;
};

TEST_F(TokenTableTest, CommasAndBlanksSeparateTokens) {
  EXPECT_EQ(tokens_.SplitTokens("PU 100,200"), 3);
  EXPECT_EQ(Entries(3), (Entries_{{1, 2}, {4, 3}, {8, 3}}));
  EXPECT_EQ(tokens_.SplitTokens(" ,PU,,100  200;, "), 3);
  EXPECT_EQ(Entries(3), (Entries_{{3, 2}, {7, 3}, {12, 4}}));
}

TEST_F(TokenTableTest, SemicolonsAndTabsBelongToTokens) {
  EXPECT_EQ(tokens_.SplitTokens("PU\t1;PD 3"), 2);
  EXPECT_EQ(Entries(2), (Entries_{{1, 7}, {9, 1}}));
}

TEST_F(TokenTableTest, EntriesBeyondALinesTokensKeepWhatEarlierLinesLeft) {
  tokens_.SplitTokens("IP 1,2,3,4");
  EXPECT_EQ(tokens_.SplitTokens("PU 7"), 2);
  EXPECT_EQ(Entries(5), (Entries_{{1, 2}, {4, 1}, {6, 1}, {8, 1}, {10, 1}}));
  EXPECT_EQ(tokens_.SplitTokens(""), 0);
  EXPECT_EQ(tokens_.SplitTokens(" , "), 0);
  EXPECT_EQ(Entries(2), (Entries_{{1, 2}, {4, 1}}));
}

TEST_F(TokenTableTest, OnlyThirtyTokensAreRecorded) {
  std::string line = "IP";
  for (int i = 1; i <= 40; ++i) (line += ",") += std::to_string(i);
  EXPECT_EQ(tokens_.SplitTokens(line), 30);
  EXPECT_EQ(Entries(30).back(), (std::pair<std::size_t, std::size_t>{line.find(",29") + 2, 2}));
  std::int16_t values[29];
  ASSERT_TRUE(tokens_.ParameterValues(line, 29, values));
  EXPECT_EQ(values[0], 1);
  EXPECT_EQ(values[3], 4);
  EXPECT_EQ(values[28], 29);
}

TEST_F(TokenTableTest, PositionsOfVeryLongLinesAreKept) {
  const std::string line = std::string(70000, ' ') + "PD 12";
  EXPECT_EQ(tokens_.SplitTokens(line), 2);
  EXPECT_EQ(TokenTableProbe::TokenStart(tokens_, 2), 70004u);
  std::int16_t value;
  ASSERT_TRUE(tokens_.ParameterValues(line, 1, &value));
  EXPECT_EQ(value, 12);
}

TEST_F(TokenTableTest, ParametersReadTheLeadingNumber) {
  const std::string line = "PD 200; 1.5,2.5 3.5 -300 +20; abc 4e2 -0.4 32767 -32768";
  ASSERT_EQ(tokens_.SplitTokens(line), 12);
  std::int16_t values[11];
  ASSERT_TRUE(tokens_.ParameterValues(line, 11, values));
  const std::int16_t expected[] = {200, 2, 2, 4, -300, 20, 0, 400, 0, 32767, -32768};
  for (int i = 0; i < 11; ++i) EXPECT_EQ(values[i], expected[i]) << i;
  // One parameter that does not fit 16 bits fails the line.
  const std::string wide = "PD 7x 32768";
  ASSERT_EQ(tokens_.SplitTokens(wide), 3);
  EXPECT_TRUE(tokens_.ParameterValues(wide, 1, values));
  EXPECT_EQ(values[0], 7);
  EXPECT_FALSE(tokens_.ParameterValues(wide, 2, values));
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

TEST_F(TokenTableTest, AnyLineSplitsAsThePlainRuleAndReadsItsParameters) {
  std::mt19937 random(9);
  const std::string alphabet = "PDU0123456789,, ;-+.x\t";
  for (int i = 0; i < 20000; ++i) {
    // Mostly short lines; some of more than 30 tokens.
    const std::size_t length = i % 10 == 0 ? random() % 200 : random() % 24;
    std::string line;
    for (std::size_t j = 0; j < length; ++j) line += alphabet[random() % alphabet.size()];
    const std::vector<std::string_view> plain = PlainTokens(line);
    const int count = tokens_.SplitTokens(line);
    ASSERT_EQ(count, static_cast<int>(std::min<std::size_t>(plain.size(), kTokenSlots))) << line;
    for (int k = 1; k <= count; ++k) {
      const std::string_view token = plain[static_cast<std::size_t>(k) - 1];
      ASSERT_EQ(TokenTableProbe::TokenStart(tokens_, k),
                static_cast<std::size_t>(token.data() - line.data()) + 1)
          << line << " " << k;
      ASSERT_EQ(TokenTableProbe::TokenLength(tokens_, k), token.size()) << line << " " << k;
    }
    if (count < 3) continue;
    const int n = std::min(count - 1, 4);
    std::int16_t values[4];
    bool fit = true;
    for (int k = 2; k <= n + 1; ++k) fit = fit && WholeNumber16(plain[k - 1]).has_value();
    ASSERT_EQ(tokens_.ParameterValues(line, n, values), fit) << line;
    for (int k = 2; fit && k <= n + 1; ++k) ASSERT_EQ(values[k - 2], WholeNumber16(plain[k - 1]));
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
    EXPECT_EQ(TokenTableProbe::ParameterNumber(token), WholeNumber16(token)) << '"' << token << '"';
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
    ASSERT_EQ(TokenTableProbe::ParameterNumber(token), WholeNumber16(token)) << '"' << token << '"';
  }
}

}  // namespace
}  // namespace wt::plot
