#include "common/numeric.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace wt {
namespace {

bool IsDropped(char c) {
  return c == ' ' || c == '\t' || c == '\n';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Walks a text while skipping the dropped characters.
class Cursor {
 public:
  explicit Cursor(std::string_view text) : text_(text) { Skip(); }
  bool AtEnd() const { return pos_ >= text_.size(); }
  char Peek() const { return AtEnd() ? '\0' : text_[pos_]; }
  void Next() {
    ++pos_;
    Skip();
  }
  std::size_t Position() const { return pos_; }
  void Rewind(std::size_t pos) { pos_ = pos; }

 private:
  void Skip() {
    while (pos_ < text_.size() && IsDropped(text_[pos_])) ++pos_;
  }
  std::string_view text_;
  std::size_t pos_ = 0;
};

}  // namespace

double NumericValue(std::string_view text) {
  // The number is gathered into a compact buffer in the form
  // [-]digits[.digits]e[-]digits and converted by from_chars, which is
  // locale-independent and correctly rounded. Leading zeros of the integer
  // part are dropped and long digit runs are kept exactly, with the decimal
  // exponent adjusted, so the buffer stays small for any input.
  constexpr std::size_t kMaxDigits = 800;  // beyond what a double can tell apart
  std::string mantissa;
  bool negative = false;
  long long exponentShift = 0;  // decimal places of the kept digits
  bool anyDigit = false;
  bool droppedNonZero = false;  // a digit beyond the kept ones is not 0

  Cursor cur(text);
  if (cur.Peek() == '+' || cur.Peek() == '-') {
    negative = cur.Peek() == '-';
    cur.Next();
  }
  while (IsDigit(cur.Peek())) {
    anyDigit = true;
    if (mantissa.empty() && cur.Peek() == '0') {
      // leading zero: no value
    } else if (mantissa.size() < kMaxDigits) {
      mantissa += cur.Peek();
    } else {
      ++exponentShift;  // a dropped integer digit still counts a power of ten
      droppedNonZero |= cur.Peek() != '0';
    }
    cur.Next();
  }
  if (cur.Peek() == '.') {
    cur.Next();
    while (IsDigit(cur.Peek())) {
      anyDigit = true;
      if (mantissa.size() < kMaxDigits) {
        if (!(mantissa.empty() && cur.Peek() == '0')) mantissa += cur.Peek();
        --exponentShift;
      } else {
        droppedNonZero |= cur.Peek() != '0';
      }
      cur.Next();
    }
  }
  if (!anyDigit) return 0.0;

  long long exponent = 0;
  char e = cur.Peek();
  if (e == 'E' || e == 'e' || e == 'D' || e == 'd') {
    const std::size_t mark = cur.Position();
    cur.Next();
    bool expNegative = false;
    if (cur.Peek() == '+' || cur.Peek() == '-') {
      expNegative = cur.Peek() == '-';
      cur.Next();
    }
    if (IsDigit(cur.Peek())) {
      while (IsDigit(cur.Peek())) {
        if (exponent < 1'000'000'000) exponent = exponent * 10 + (cur.Peek() - '0');
        cur.Next();
      }
      if (expNegative) exponent = -exponent;
    } else {
      cur.Rewind(mark);  // "1E" or "1E+": the exponent is not part of the number
    }
  }
  if (mantissa.empty()) return negative ? -0.0 : 0.0;
  if (droppedNonZero) {
    // The kept digits may end exactly halfway between two doubles, where
    // the dropped ones decide the rounding: one more non-zero digit stands
    // for them all.
    mantissa += '1';
    --exponentShift;
  }

  std::string buffer = negative ? "-" : "";
  buffer += mantissa;
  buffer += 'e';
  buffer += std::to_string(exponent + exponentShift);
  double value = 0.0;
  auto [ptr, ec] = std::from_chars(buffer.data(), buffer.data() + buffer.size(), value);
  (void)ptr;
  if (ec == std::errc::result_out_of_range) {
    // from_chars leaves the value alone on range errors: tell overflow from
    // underflow by the size of the decimal exponent.
    const long long magnitude = exponent + exponentShift + static_cast<long long>(mantissa.size());
    if (magnitude > 0) {
      value = negative ? -std::numeric_limits<double>::infinity()
                       : std::numeric_limits<double>::infinity();
    } else {
      value = negative ? -0.0 : 0.0;
    }
  }
  return value;
}

std::optional<std::int16_t> RoundToInt16(double value) {
  // Whole numbers in range, the usual case, need no rounding. NaN fails the
  // comparisons; -0 gives 0 either way.
  if (value >= -32768.0 && value <= 32767.0) {
    const int whole = static_cast<int>(value);
    if (whole == value) return static_cast<std::int16_t>(whole);
  }
  if (!std::isfinite(value)) return std::nullopt;
  // Exact halves to even, whatever the current rounding mode.
  double floor = std::floor(value);
  double diff = value - floor;
  double rounded;
  if (diff > 0.5) {
    rounded = floor + 1.0;
  } else if (diff < 0.5) {
    rounded = floor;
  } else {
    rounded = (std::fmod(floor, 2.0) == 0.0) ? floor : floor + 1.0;
  }
  if (rounded < -32768.0 || rounded > 32767.0) return std::nullopt;
  return static_cast<std::int16_t>(rounded);
}

}  // namespace wt
