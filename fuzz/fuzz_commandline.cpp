// Any bytes as a command-line tail and as a number: SplitCommandLine, the
// viewer's word list and start choice, and the numeric rule with the fast
// readers that must agree with it (the coordinate field, the plot token).
//
// Input: byte 0 chooses maxWords (0 to 15, or no limit for 255); the rest is
// the text.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/numeric.h"
#include "converter/readcor1.h"
#include "fuzz/fuzzcheck.h"
#include "platform/cmdtail.h"
#include "plotview/commandline.h"
#include "plotview/xparse.h"

namespace {

bool IsSeparator(char c) {
  return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

void CheckSplit(std::string_view tail, std::size_t maxWords) {
  const std::vector<std::string> words = wt::SplitCommandLine(tail, maxWords);
  FUZZ_CHECK(words.size() <= maxWords);
  std::string joined, blankJoined;
  for (const std::string& word : words) {
    FUZZ_CHECK(!word.empty());
    for (char c : word) FUZZ_CHECK(!IsSeparator(c));
    joined += word;
    if (!blankJoined.empty()) blankJoined += ' ';
    blankJoined += word;
  }
  // The words are the tail's characters in order, the separators left out;
  // only a walk stopped at maxWords leaves some over.
  std::string kept;
  for (char c : tail) {
    if (!IsSeparator(c)) kept += c;
  }
  FUZZ_CHECK(kept.compare(0, joined.size(), joined) == 0);
  if (words.size() < maxWords) FUZZ_CHECK(kept == joined);
  FUZZ_CHECK(wt::SplitCommandLine(blankJoined, maxWords) == words);

  const std::vector<std::string> listed = wt::plot::SplitCommandLine(tail, maxWords);
  FUZZ_CHECK(listed.size() == words.size() + 1);
  FUZZ_CHECK(listed[0].empty());
  FUZZ_CHECK(std::equal(words.begin(), words.end(), listed.begin() + 1));

  const std::vector<std::string> ten = wt::SplitCommandLine(tail, wt::plot::kMaxWords);
  const wt::plot::StartChoice choice = wt::plot::ChooseStart(tail);
  if (ten.size() == 1 || ten.size() == 2) {
    FUZZ_CHECK(choice.plotFile == ten[0]);
  } else {
    FUZZ_CHECK(choice.plotFile == wt::plot::kDefaultPlotFile);
  }
  FUZZ_CHECK(choice.print == (ten.size() == 2 && (ten[1] == "P" || ten[1] == "p")));
}

// The numeric rule written out plainly: drop blanks, tabs and line feeds,
// take the longest leading decimal number by its grammar and let strtod,
// which is exact for any number of digits, convert it.
double ReferenceValue(std::string_view text) {
  std::string s;
  for (char c : text) {
    if (c != ' ' && c != '\t' && c != '\n') s += c;
  }
  std::size_t i = 0;
  std::string number;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) number += s[i++];
  bool digits = false;
  while (i < s.size() && IsDigit(s[i])) {
    number += s[i++];
    digits = true;
  }
  if (i < s.size() && s[i] == '.') {
    number += s[i++];
    while (i < s.size() && IsDigit(s[i])) {
      number += s[i++];
      digits = true;
    }
  }
  if (!digits) return 0.0;
  if (i < s.size() && (s[i] == 'E' || s[i] == 'e' || s[i] == 'D' || s[i] == 'd')) {
    std::size_t j = i + 1;
    std::string exponent = "e";
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) exponent += s[j++];
    if (j < s.size() && IsDigit(s[j])) {
      while (j < s.size() && IsDigit(s[j])) exponent += s[j++];
      number += exponent;
    }
  }
  return std::strtod(number.c_str(), nullptr);
}

std::optional<std::int16_t> ReferenceRound(double value) {
  if (!std::isfinite(value)) return std::nullopt;
  const double rounded = std::nearbyint(value);  // the default mode: halves to even
  if (rounded < -32768.0 || rounded > 32767.0) return std::nullopt;
  return static_cast<std::int16_t>(rounded);
}

bool SameDouble(double a, double b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

void CheckNumbers(std::string_view text) {
  const double value = wt::NumericValue(text);
  const double reference = ReferenceValue(text);
  FUZZ_CHECK(SameDouble(value, reference));
  FUZZ_CHECK(wt::RoundToInt16(value) == ReferenceRound(value));
  FUZZ_CHECK(SameDouble(wt::FieldValue(text), reference));
  // A token holds neither a comma nor a blank.
  if (!text.empty() && text.find_first_of(", ") == std::string_view::npos) {
    std::int16_t value;
    const bool fits = wt::plot::ParameterValues("PD " + std::string(text), 1, &value);
    const std::optional<std::int16_t> plain = wt::WholeNumber16(text);
    FUZZ_CHECK(fits == plain.has_value());
    FUZZ_CHECK(!fits || value == *plain);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::size_t maxWords =
      data[0] == 255 ? std::numeric_limits<std::size_t>::max() : data[0] % 16;
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  CheckSplit(text, maxWords);
  CheckNumbers(text);
  // Any double, infinities and NaNs included, through the rounding.
  if (text.size() >= sizeof(double)) {
    double bits;
    std::memcpy(&bits, text.data(), sizeof bits);
    FUZZ_CHECK(wt::RoundToInt16(bits) == ReferenceRound(bits));
  }
  return 0;
}
