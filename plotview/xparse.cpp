#include "plotview/xparse.h"

#include "common/numeric.h"

namespace wt::plot {
namespace {

bool IsSeparator(char c) {
  return c == ',' || c == ' ';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Characters that could carry a number on after its digits: more digits, a
// decimal point, an exponent, or characters the number rule skips.
bool CouldContinue(char c) {
  return IsDigit(c) || c == '.' || c == 'e' || c == 'E' || c == 'd' || c == 'D' || c == '\t' ||
         c == '\n' || c == ' ';
}

}  // namespace

int TokenTable::SplitTokens(std::string_view line) {
  const std::size_t L = line.size();
  int count = 0;
  std::size_t i = 0;  // 0-based here; the tables hold 1-based positions
  while (i < L) {
    if (IsSeparator(line[i])) {
      ++i;
      continue;
    }
    if (count == kTokenSlots) break;
    ++count;
    const std::size_t start = i;
    while (i < L && !IsSeparator(line[i])) ++i;
    start_[count] = start + 1;
    length_[count] = i - start;
  }
  return count;
}

std::optional<std::int16_t> TokenTable::TokenValue(std::string_view line, int k) const {
  if (!InRange(k) || start_[k] == 0 || start_[k] > line.size()) {
    // Nothing recorded, or left by a longer line: the characters are not
    // there, so the token reads as an empty text.
    return InRange(k) ? TokenNumber({}) : std::nullopt;
  }
  return TokenNumber(line.substr(start_[k] - 1, length_[k]));
}

std::optional<std::int16_t> TokenNumber(std::string_view token) {
  // Plot files are mostly plain whole numbers, often with a closing
  // semicolon; read those directly and leave everything else to the general
  // rule, which gives the same value for them.
  std::size_t i = 0;
  bool negative = false;
  if (i < token.size() && (token[i] == '+' || token[i] == '-')) {
    negative = token[i] == '-';
    ++i;
  }
  const std::size_t digits = i;
  int value = 0;
  while (i < token.size() && IsDigit(token[i]) && i - digits < 5) {
    value = value * 10 + (token[i] - '0');
    ++i;
  }
  if (i > digits && (i == token.size() || !CouldContinue(token[i]))) {
    if (negative) value = -value;
    if (value < -32768 || value > 32767) return std::nullopt;
    return static_cast<std::int16_t>(value);
  }
  return WholeNumber16(token);
}

}  // namespace wt::plot
