// The numeric value of a text, and its rounding to a 16-bit whole number.
//
// Used for command-line words, step numbers, coordinate-file fields and the
// numbers of plot files alike.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace wt {

// Blanks, tabs and line feeds are dropped wherever they stand; then the
// longest beginning of what remains that forms a decimal number gives the
// value: an optional sign, digits with at most one decimal point, and an
// optional exponent (E or D, either case, an optional sign and digits). The
// decimal separator is always the point, whatever the locale: a comma ends
// the number. 0 when the text does not begin with a number. A value too large
// for a double reads as an infinity of its sign.
double NumericValue(std::string_view text);

// The nearest integer to `value`, a half going to the even neighbour (2.5
// gives 2, 3.5 gives 4); nothing when the result lies outside -32768..32767
// (or the value is not a finite number). Never wraps.
std::optional<std::int16_t> RoundToInt16(double value);

// NumericValue followed by RoundToInt16.
inline std::optional<std::int16_t> WholeNumber16(std::string_view text) {
  return RoundToInt16(NumericValue(text));
}

}  // namespace wt
