// Coordinate files for the converter's tests, in their columns.
#pragma once

#include <string>
#include <string_view>

#include "platform/tests/tempdrives.h"

namespace wt::testing {

// Lines each ended by CR LF.
inline std::string CrLf(std::initializer_list<std::string_view> lines) {
  std::string text;
  for (std::string_view line : lines) text += std::string(line) + "\r\n";
  return text;
}

// An atom line in the reader's columns, and a step: marker, count line, the
// line that is not read, atom lines.
inline std::string AtomLine(std::string_view x, std::string_view y, std::string_view z,
                            std::string_view symbol, std::string_view tag = "1") {
  const auto right = [](std::string_view text, std::size_t width) {
    return std::string(width > text.size() ? width - text.size() : 0, ' ') + std::string(text);
  };
  return right(x, 15) + right(y, 15) + right(z, 15) + "  " + std::string(symbol) +
         std::string(23, ' ') + right(tag, 3);
}
inline std::string Step(std::string_view count, std::initializer_list<std::string> atoms) {
  std::string text = "$ step\r\n" + std::string(count) + "\r\nenergy\r\n";
  for (const std::string& atom : atoms) text += atom + "\r\n";
  return text;
}
inline std::string HydrogenStep() {
  return Step("1", {AtomLine("1", "0", "0", "H ")});
}

}  // namespace wt::testing
