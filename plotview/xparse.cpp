#include "plotview/xparse.h"

#include <climits>
#include <optional>

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
  switch (c) {
    case '.':
    case 'e':
    case 'E':
    case 'd':
    case 'D':
    case '\t':
    case '\n':
    case ' ':
      return true;
    default:
      return IsDigit(c);
  }
}

// A token's number as a plain int, kNoNumber for nothing: an optional built
// and read back through memory costs a stalled load on every call.
constexpr int kNoNumber = INT32_MIN;

// Out of line: inlined into the loop of ParameterValues it makes the reader
// about 6% slower on a million short steps.
[[gnu::noinline]] int NumberOf(std::string_view token) {
  // Plot files are mostly plain whole numbers, often with a closing
  // semicolon; read those directly and leave everything else to the general
  // rule, which gives the same value for them.
  const char* p = token.data();
  const char* const end = p + token.size();
  bool negative = false;
  if (p != end && (*p == '+' || *p == '-')) {
    negative = *p == '-';
    ++p;
  }
  const char* const digits = p;
  const char* const stop = end - p > 5 ? p + 5 : end;
  int value = 0;
  for (unsigned digit; p != stop && (digit = static_cast<unsigned char>(*p) - 0x30u) <= 9; ++p) {
    value = value * 10 + static_cast<int>(digit);
  }
  if (p != digits && (p == end || !CouldContinue(*p))) {
    if (negative) value = -value;
    return value >= -32768 && value <= 32767 ? value : kNoNumber;
  }
  const std::optional<std::int16_t> general = WholeNumber16(token);
  return general ? *general : kNoNumber;
}

}  // namespace

int TokenTable::SplitTokens(std::string_view line) {
  const char* const begin = line.data();
  const char* const end = begin + line.size();
  const char* p = begin;
  int count = 0;
  for (;;) {
    while (p != end && IsSeparator(*p)) ++p;
    if (p == end || count == kTokenSlots) return count;
    const char* const start = p;
    do {
      ++p;
    } while (p != end && !IsSeparator(*p));
    ++count;
    start_[count] = static_cast<std::size_t>(start - begin) + 1;
    length_[count] = static_cast<std::size_t>(p - start);
  }
}

bool TokenTable::ParameterValues(std::string_view line, int n, std::int16_t* values) const {
  for (int k = 2; k <= n + 1; ++k) {
    const int value = NumberOf(std::string_view(line.data() + start_[k] - 1, length_[k]));
    if (value == kNoNumber) return false;
    values[k - 2] = static_cast<std::int16_t>(value);
  }
  return true;
}

}  // namespace wt::plot
