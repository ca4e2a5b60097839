#include "plotview/xparse.h"

#include <optional>

#include "common/numeric.h"

namespace wt::plot {
namespace {

bool IsSeparator(char c) {
  return c == ',' || c == ' ';
}

// Characters that could carry a number on after its digits: more digits, a
// decimal point, an exponent, or characters the number rule skips (blanks
// end a token before they could).
bool CouldContinue(char c) {
  switch (c) {
    case '.':
    case 'e':
    case 'E':
    case 'd':
    case 'D':
    case '\t':
    case '\n':
      return true;
    default:
      return c >= '0' && c <= '9';
  }
}

const char* SkipSeparators(const char* p, const char* end) {
  while (p != end && IsSeparator(*p)) ++p;
  return p;
}

const char* TokenEnd(const char* p, const char* end) {
  while (p != end && !IsSeparator(*p)) ++p;
  return p;
}

// The number of the token that starts at `p` (p != end, *p no separator),
// and where reading it stopped, within the token. Plot files are mostly
// plain whole numbers, often with a closing semicolon: those are read here
// digit by digit, and everything else by the general rule, which gives the
// same value for them.
bool TokenNumber(const char*& p, const char* end, std::int16_t* value) {
  const char* q = p;
  bool negative = false;
  if (*q == '+' || *q == '-') {
    negative = *q == '-';
    ++q;
  }
  const char* const digits = q;
  const char* const stop = end - q > 5 ? q + 5 : end;
  int number = 0;
  for (unsigned digit; q != stop && (digit = static_cast<unsigned char>(*q) - 0x30u) <= 9; ++q) {
    number = number * 10 + static_cast<int>(digit);
  }
  if (q != digits && (q == end || IsSeparator(*q) || !CouldContinue(*q))) {
    if (negative) number = -number;
    p = q;
    if (number < -32768 || number > 32767) return false;
    *value = static_cast<std::int16_t>(number);
    return true;
  }
  const char* const tokenEnd = TokenEnd(q, end);
  const std::optional<std::int16_t> general =
      WholeNumber16(std::string_view(p, static_cast<std::size_t>(tokenEnd - p)));
  p = tokenEnd;
  if (!general) return false;
  *value = *general;
  return true;
}

}  // namespace

bool ParameterValues(std::string_view line, int n, std::int16_t* values) {
  const char* p = line.data();
  const char* const end = p + line.size();
  p = SkipSeparators(p, end);  // token 1 starts here
  for (int i = 0; i < n; ++i) {
    // On past the rest of the token before, whatever its number left unread.
    p = SkipSeparators(TokenEnd(p, end), end);
    if (p == end || !TokenNumber(p, end, &values[i])) return false;
  }
  return true;
}

}  // namespace wt::plot
