#include "plotview/xparse.h"

#include <bit>
#include <climits>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define WT_TOKENS_SSE2 1
#endif

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

// TokenNumber as a plain int, kNoNumber for nothing: an optional built and
// read back through memory costs a stalled load on every call.
constexpr int kNoNumber = INT32_MIN;

int NumberOf(std::string_view token) {
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

int TokenTable::SplitPaddedTokens(std::string_view line) {
#ifdef WT_TOKENS_SSE2
  const char* const begin = line.data();
  const std::size_t size = line.size();
  const __m128i comma = _mm_set1_epi8(',');
  const __m128i blank = _mm_set1_epi8(' ');
  int count = 0;
  unsigned open = 0;  // 1 while token `count` runs on into the next block
  for (std::size_t base = 0; base < size; base += 16) {
    const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(begin + base));
    const auto separators = static_cast<unsigned>(_mm_movemask_epi8(
        _mm_or_si128(_mm_cmpeq_epi8(block, comma), _mm_cmpeq_epi8(block, blank))));
    const std::size_t left = size - base;
    // Bit i: byte base + i is no token's (a separator, or past the line);
    // bit 16 stands for the next block.
    const unsigned gaps = separators | (left >= 16 ? 0x10000u : ~0u << left);
    const unsigned word = ~gaps & 0xFFFFu;
    if (open != 0) {
      const int stop = std::countr_zero(gaps);
      if (stop < 16) length_[count] = base + static_cast<std::size_t>(stop) + 1 - start_[count];
    }
    for (unsigned starts = word & ~((word << 1) | open); starts != 0; starts &= starts - 1) {
      if (count == kTokenSlots) return count;
      const int at = std::countr_zero(starts);
      const int stop = std::countr_zero(gaps & (~0u << at));
      ++count;
      start_[count] = base + static_cast<std::size_t>(at) + 1;
      length_[count] = static_cast<std::size_t>(stop - at);  // short of the next block's part
    }
    open = word >> 15;
  }
  // A token that reached the last byte of a block is measured to the line's end.
  if (open != 0) length_[count] = size + 1 - start_[count];
  return count;
#else
  return SplitTokens(line);
#endif
}

std::optional<std::int16_t> TokenTable::TokenValue(std::string_view line, int k) const {
  if (!InRange(k) || start_[k] == 0 || start_[k] > line.size()) {
    // Nothing recorded, or left by a longer line: the characters are not
    // there, so the token reads as an empty text.
    return InRange(k) ? TokenNumber({}) : std::nullopt;
  }
  return TokenNumber(line.substr(start_[k] - 1, length_[k]));
}

bool TokenTable::ParameterValues(std::string_view line, int n, std::int16_t* values) const {
  for (int k = 2; k <= n + 1; ++k) {
    const int value = NumberOf(std::string_view(line.data() + start_[k] - 1, length_[k]));
    if (value == kNoNumber) return false;
    values[k - 2] = static_cast<std::int16_t>(value);
  }
  return true;
}

std::optional<std::int16_t> TokenNumber(std::string_view token) {
  const int value = NumberOf(token);
  if (value == kNoNumber) return std::nullopt;
  return static_cast<std::int16_t>(value);
}

}  // namespace wt::plot
