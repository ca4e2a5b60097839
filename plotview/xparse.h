// xparse: cutting a plot-file line into tokens and reading their numbers.
//
// A token is a maximal run of characters that are neither a comma nor a
// blank; every other character (the semicolon, the tab) belongs to tokens.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace wt::plot {

inline constexpr int kTokenSlots = 30;

// The tables TokenStart and TokenLength (entries 1 to 30). Splitting a line
// of n tokens overwrites entries 1 to min(n, 30) only: entries above keep what
// earlier lines left. Positions are 1-based character positions; they are
// wider than 16 bits so that a line of any length is recorded as it is.
class TokenTable {
 public:
  // Records the tokens of `line`; the 31st and later are not recorded.
  // Returns the number recorded. An empty line records nothing.
  int SplitTokens(std::string_view line);

  // The numbers of tokens 2 to n + 1 into values[0] to values[n - 1], for the
  // line just split, which has at least n + 1 tokens (n at most 29). A
  // token's number is its longest leading decimal number, 0 when there is
  // none, rounded to the nearest integer with halves to even (WholeNumber16).
  // False when one of them does not fit 16 bits.
  bool ParameterValues(std::string_view line, int n, std::int16_t* values) const;

 private:
  friend struct TokenTableProbe;  // the tests' view of the tables
  std::array<std::size_t, kTokenSlots + 1> start_{};
  std::array<std::size_t, kTokenSlots + 1> length_{};
};

}  // namespace wt::plot
