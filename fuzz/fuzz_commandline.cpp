// Any bytes as a command-line tail and as a number: SplitCommandLine, the
// viewer's start choice, and the numeric rule with the coordinate field's
// fast reader that must agree with it.
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

namespace {

void CheckSplit(std::string_view tail, std::size_t maxWords) {
  // The words are the tail's characters in order, blanks and tabs left out,
  // none empty; only a walk stopped at maxWords leaves some over.
  const std::vector<std::string> words = wt::SplitCommandLine(tail, maxWords);
  FUZZ_CHECK(words.size() <= maxWords);
  std::string kept, joined;
  for (char c : tail) {
    if (c != ' ' && c != '\t') kept += c;
  }
  for (const std::string& word : words) {
    FUZZ_CHECK(!word.empty() && word.find_first_of(" \t") == std::string::npos);
    joined += word;
  }
  FUZZ_CHECK(words.size() < maxWords ? kept == joined : kept.starts_with(joined));

  // The viewer: one or two words show the first, or print it when the
  // second is P; any other count shows the default plot.
  const std::vector<std::string> ten = wt::SplitCommandLine(tail, wt::plot::kMaxWords);
  const wt::plot::StartChoice choice = wt::plot::ChooseStart(tail);
  const bool one = ten.size() == 1 || ten.size() == 2;
  FUZZ_CHECK(choice.plotFile == (one ? ten[0] : wt::plot::kDefaultPlotFile));
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
  const auto digitsFrom = [&s](std::size_t i) {
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i;
    return i;
  };
  const std::size_t sign = !s.empty() && (s[0] == '+' || s[0] == '-') ? 1 : 0;
  const std::size_t point = digitsFrom(sign);
  const bool dot = point < s.size() && s[point] == '.';
  const std::size_t end = dot ? digitsFrom(point + 1) : point;
  if (end - sign - dot == 0) return 0.0;  // no digit
  std::string number = s.substr(0, end);
  if (end < s.size() && std::string_view("EeDd").find(s[end]) != std::string_view::npos) {
    const bool expSign = end + 1 < s.size() && (s[end + 1] == '+' || s[end + 1] == '-');
    const std::size_t to = digitsFrom(end + 1 + expSign);
    if (to > end + 1 + expSign) number += "e" + s.substr(end + 1, to - end - 1);
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
  FUZZ_CHECK(SameDouble(value, ReferenceValue(text)));
  FUZZ_CHECK(SameDouble(wt::FieldValue(text), value));
  FUZZ_CHECK(wt::RoundToInt16(value) == ReferenceRound(value));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::size_t maxWords =
      data[0] == 255 ? std::numeric_limits<std::size_t>::max() : data[0] % 16;
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  CheckSplit(text, maxWords);
  CheckNumbers(text);
  return 0;
}
