#include "plotview/xparse.h"

#include <gtest/gtest.h>

#include <optional>
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

// Whole numbers are read by a short route, everything else by the general
// rule (WholeNumber16): whichever route a token takes, it reads as the general
// rule reads it. fuzz_plotfile compares whole lines with the plain rule.
TEST(ParameterValuesTest, AnyTokenReadsAsTheGeneralRuleReadsIt) {
  for (const char* token :
       {"-",      "+",      "0",      "-0",   "007",        "12;",       "12\t3", "12.",
        "12.5",   "12e1",   "12E",    "12d1", "12D+1",      "99999",     "32767", "32768",
        "-32768", "-32769", "123456", "1;2",  "5x",         "\t5",       "-\t5",  ".5",
        "+.5",    "65536;", "1e400",  "--1",  "4000000000", "0000000034"}) {
    const std::optional<std::int16_t> value = WholeNumber16(token);
    EXPECT_EQ(Parameters(std::string("PD ") + token, 1),
              value ? std::optional(Values{*value}) : std::nullopt)
        << '"' << token << '"';
  }
}

}  // namespace
}  // namespace wt::plot
