// xparse: the parameters of a plot-file line and their numbers.
//
// A line is cut into tokens at every comma and every blank: a token is a
// maximal run of characters that are neither, so runs of separators give no
// empty tokens and every other character (the semicolon, the tab) belongs to
// a token. Token 1 is the mnemonic with whatever is glued to it; the
// parameters are tokens 2 onwards. A token's number is its longest leading
// decimal number, 0 when there is none, rounded to the nearest integer with
// halves to even (WholeNumber16).
#pragma once

#include <cstdint>
#include <string_view>

namespace wt::plot {

// The numbers of tokens 2 to n + 1 of `line` into values[0] to values[n - 1],
// read in one pass over the line, which stops after token n + 1. False when
// the line has fewer than n + 1 tokens or one of those numbers does not fit
// 16 bits; `values` then holds nothing of use.
bool ParameterValues(std::string_view line, int n, std::int16_t* values);

}  // namespace wt::plot
