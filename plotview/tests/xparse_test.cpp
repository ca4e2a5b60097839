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

using Values = std::vector<std::int16_t>;

// The parameters 2 to n + 1 of `line`, or nothing.
std::optional<Values> Parameters(std::string_view line, int n) {
  Values values(static_cast<std::size_t>(n));
  if (!ParameterValues(line, n, values.data())) return std::nullopt;
  return values;
}

// The rules by example; the comparison below holds them for any line.
TEST(ParameterValuesTest, TokensTwoOnwardsGiveTheirLeadingNumbers) {
  const std::string many = "IP" + std::string(70000, ',') + "1 2" + std::string(70000, ' ') + "3 4";
  const struct {
    std::string line;
    int n;
    std::optional<Values> values;
  } cases[] = {
      // Whatever is glued to the mnemonic belongs to token 1, and semicolons
      // and tabs belong to tokens: token 1 is "PU\t1;PD".
      {"PU\t1;PD 3,4", 2, Values{3, 4}},
      {"PU100,200;", 2, std::nullopt},
      // Later tokens are not read, whatever they hold.
      {"PD 100,200;PD 99999", 2, Values{100, 200}},
      {many + ",5", 4, Values{1, 2, 3, 4}},
      {"PD 200; 1.5,2.5 -300 +20; abc 4e2 -0.4 32767 -32768", 10,
       Values{200, 2, 2, -300, 20, 0, 400, 0, 32767, -32768}},
      // One parameter that does not fit 16 bits fails the line.
      {"PD -32769 1", 2, std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Parameters(c.line, c.n), c.values) << '"' << c.line.substr(0, 60) << "\" " << c.n;
  }
}

// What the plain rule gives for tokens 2 to n + 1 of `line`: tokens are runs
// of neither commas nor blanks, each read by the general number rule.
std::optional<Values> PlainRule(std::string_view line, int n) {
  std::vector<std::string_view> tokens;
  for (std::size_t i = 0; (i = line.find_first_not_of(", ", i)) != std::string_view::npos;) {
    const std::size_t end = std::min(line.find_first_of(", ", i), line.size());
    tokens.push_back(line.substr(i, end - i));
    i = end;
  }
  if (tokens.size() <= static_cast<std::size_t>(n)) return std::nullopt;
  Values values;
  for (int k = 1; k <= n; ++k) {
    const std::optional<std::int16_t> value = WholeNumber16(tokens[k]);
    if (!value) return std::nullopt;
    values.push_back(*value);
  }
  return values;
}

// Whole numbers are read by a short route, everything else by the general
// rule: whichever route a token takes, a line reads as the plain rule has it.
TEST(ParameterValuesTest, AnyLineReadsAsThePlainRuleReadsItsTokens) {
  for (const char* token :
       {"-",      "+",      "0",      "-0",   "007",        "12;",       "12\t3", "12.",
        "12.5",   "12e1",   "12E",    "12d1", "12D+1",      "99999",     "32767", "32768",
        "-32768", "-32769", "123456", "1;2",  "5x",         "\t5",       "-\t5",  ".5",
        "+.5",    "65536;", "1e400",  "--1",  "4000000000", "0000000034"}) {
    const std::string line = std::string("PD ") + token;
    EXPECT_EQ(Parameters(line, 1), PlainRule(line, 1)) << '"' << token << '"';
  }
  std::mt19937 random(9);
  const std::string other = "PDU+-.eEdD;\tx";
  for (int i = 0; i < 40000; ++i) {
    // Mostly digits, so that many tokens take the short route; some lines
    // of more than 30 tokens.
    const std::size_t length = i % 10 == 0 ? random() % 200 : random() % 24;
    std::string line;
    for (std::size_t j = 0; j < length; ++j) {
      const unsigned kind = random() % 8;
      line += kind < 2   ? ", "[random() % 2]
              : kind < 6 ? static_cast<char>('0' + random() % 10)
                         : other[random() % other.size()];
    }
    for (int n = 1; n <= 4; ++n) {
      ASSERT_EQ(Parameters(line, n), PlainRule(line, n)) << '"' << line << "\" " << n;
    }
  }
}

}  // namespace
}  // namespace wt::plot
