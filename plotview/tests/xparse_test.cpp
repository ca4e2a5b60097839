#include "plotview/xparse.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "common/numeric.h"

namespace wt::plot {
namespace {

class TokenTableTest : public ::testing::Test {
 protected:
  // (start, length) of entries 1 to `count`.
  std::vector<std::pair<std::size_t, std::size_t>> Entries(int count) const {
    std::vector<std::pair<std::size_t, std::size_t>> entries;
    for (int k = 1; k <= count; ++k)
      entries.push_back({tokens_.TokenStart(k), tokens_.TokenLength(k)});
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
  EXPECT_EQ(tokens_.TokenValue(line, 30), 29);
  EXPECT_EQ(tokens_.TokenValue(line, 31), std::nullopt);
  EXPECT_EQ(tokens_.TokenValue(line, 2), 1);
  EXPECT_EQ(tokens_.TokenValue(line, 5), 4);
}

TEST_F(TokenTableTest, PositionsOfVeryLongLinesAreKept) {
  const std::string line = std::string(70000, ' ') + "PD 12";
  EXPECT_EQ(tokens_.SplitTokens(line), 2);
  EXPECT_EQ(tokens_.TokenStart(2), 70004u);
  EXPECT_EQ(tokens_.TokenValue(line, 2), 12);
}

TEST_F(TokenTableTest, TokenValueReadsTheLeadingNumber) {
  const std::string line = "PD 200; 1.5,2.5 3.5 -300 +20; abc 4e2 -0.4 32767 -32768 32768 7x";
  ASSERT_EQ(tokens_.SplitTokens(line), 14);
  const std::optional<std::int16_t> expected[] = {0, 200, 2, 2,     4,      -300,         20,
                                                  0, 400, 0, 32767, -32768, std::nullopt, 7};
  for (int k = 1; k <= 14; ++k) EXPECT_EQ(tokens_.TokenValue(line, k), expected[k - 1]) << k;
}

TEST_F(TokenTableTest, LeftoverEntriesReadWhatIsThereInTheLine) {
  tokens_.SplitTokens("IP 1,2,3,4000");
  const std::string line = "PU 5";
  tokens_.SplitTokens(line);
  EXPECT_EQ(tokens_.TokenValue(line, 3), 0);  // starts past the end of this line
}

// Lines as a LineReader gives them: followed by 16 bytes that may be read,
// here anything, separators included.
TEST_F(TokenTableTest, PaddedLinesSplitAsAnyLineAndReadTheirParameters) {
  std::mt19937 random(9);
  const std::string alphabet = "PDU0123456789,, ;-+.x\t";
  TokenTable plain;
  for (int i = 0; i < 20000; ++i) {
    // Mostly short lines; some over several 16-byte blocks, some of more
    // than 30 tokens.
    const std::size_t length = i % 10 == 0 ? random() % 200 : random() % 24;
    std::string bytes;
    for (std::size_t j = 0; j < length + 16; ++j) bytes += alphabet[random() % alphabet.size()];
    const std::string_view line(bytes.data(), length);
    const int count = tokens_.SplitPaddedTokens(line);
    ASSERT_EQ(count, plain.SplitTokens(line)) << bytes;
    for (int k = 1; k <= kTokenSlots; ++k) {
      // Entries beyond this line's tokens too: what earlier lines left.
      ASSERT_EQ(tokens_.TokenStart(k), plain.TokenStart(k)) << bytes << " " << k;
      ASSERT_EQ(tokens_.TokenLength(k), plain.TokenLength(k)) << bytes << " " << k;
    }
    if (count < 3) continue;
    const int n = std::min(count - 1, 4);
    std::int16_t values[4];
    bool fit = true;
    for (int k = 2; k <= n + 1; ++k) fit = fit && plain.TokenValue(line, k).has_value();
    ASSERT_EQ(tokens_.ParameterValues(line, n, values), fit) << bytes;
    for (int k = 2; fit && k <= n + 1; ++k) ASSERT_EQ(values[k - 2], plain.TokenValue(line, k));
  }
}

// Whole numbers are read by a short route; it must agree with the general
// rule on every kind of token.
TEST(TokenNumber, AgreesWithTheNumberRule) {
  const std::vector<std::string> fixed = {
      "",     "-",   "+",    "0",     "-0",    "007",   "12;",    "12\t3",  "12.",    "12.5",
      "12e1", "12E", "12d1", "12D+1", "99999", "32767", "32768",  "-32768", "-32769", "123456",
      "1;2",  "5x",  "\t5",  "-\t5",  ".5",    "+.5",   "65536;", "1e400",  "--1",    "4000000000"};
  for (const std::string& token : fixed) {
    EXPECT_EQ(TokenNumber(token), WholeNumber16(token)) << '"' << token << '"';
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
    ASSERT_EQ(TokenNumber(token), WholeNumber16(token)) << '"' << token << '"';
  }
}

}  // namespace
}  // namespace wt::plot
