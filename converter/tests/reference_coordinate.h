// The coordinate pattern worked out the plain way, for the tests and the fuzz
// targets to hold the writers' formatter against: from the float's exact
// decimal expansion, rounded to five decimals by its digits.
#pragma once

#include <cmath>
#include <cstdio>
#include <string>

namespace wt::testing {

inline std::string ReferenceCoordinate(float value) {
  if (std::isnan(value)) return "nan";
  if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
  // A float's exact value has at most 39 integer digits and 149 decimals.
  char text[256];
  std::snprintf(text, sizeof text, "%.160f", std::fabs(static_cast<double>(value)));
  const std::string exact = text;
  const std::size_t point = exact.find('.');
  // A zero (for a carry out of integer digits all nines), the integer digits
  // and five decimals, then one up when the sixth decimal is 5 or more: exact
  // halves go away from zero.
  std::string kept = "0" + exact.substr(0, point) + exact.substr(point + 1, 5);
  if (exact[point + 6] >= '5') {
    std::size_t i = kept.size() - 1;
    for (; kept[i] == '9'; --i) kept[i] = '0';
    ++kept[i];
  }
  std::string integer = kept.substr(0, kept.size() - 5);
  integer.erase(0, integer.find_first_not_of('0'));
  return (value < 0 ? "-" : "") + integer + "." + kept.substr(kept.size() - 5);
}

}  // namespace wt::testing
