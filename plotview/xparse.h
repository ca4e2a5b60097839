// xparse: cutting a plot-file line into tokens and reading their numbers.
//
// A token is a maximal run of characters that are neither a comma nor a
// blank; every other character (the semicolon, the tab) belongs to tokens.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
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

  // SplitTokens for a line followed in memory by at least 15 readable bytes
  // (as LineReader's lines are), looked at 16 bytes at a time.
  int SplitPaddedTokens(std::string_view line);

  std::size_t TokenStart(int k) const { return InRange(k) ? start_[k] : 0; }
  std::size_t TokenLength(int k) const { return InRange(k) ? length_[k] : 0; }

  // The number of token k of `line` (the characters TokenStart(k) to
  // TokenStart(k) + TokenLength(k) - 1): the longest leading decimal number,
  // 0 when there is none, rounded to the nearest integer with halves to even.
  // Nothing when it does not fit 16 bits or k is not 1 to 30.
  std::optional<std::int16_t> TokenValue(std::string_view line, int k) const;

  // TokenValue of tokens 2 to n + 1 into values[0] to values[n - 1], for the
  // line just split by SplitPaddedTokens, which has at least n + 1 tokens (n
  // at most 29). False when one of them does not fit 16 bits.
  bool ParameterValues(std::string_view line, int n, std::int16_t* values) const;

 private:
  static bool InRange(int k) { return k >= 1 && k <= kTokenSlots; }
  std::array<std::size_t, kTokenSlots + 1> start_{};
  std::array<std::size_t, kTokenSlots + 1> length_{};
};

// The 16-bit number of a token, by the rule of TokenValue.
std::optional<std::int16_t> TokenNumber(std::string_view token);

}  // namespace wt::plot
