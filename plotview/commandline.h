// commandline: the viewer's command line and what it asks for.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace wt::plot {

inline constexpr std::size_t kMaxWords = 10;
inline constexpr char kDefaultPlotFile[] = "c:\\zorb\\zorb1.hgl";

// The word list of a command-line tail: index 0 holds the empty text, the
// words follow at 1 to count (count = size - 1), split at runs of blanks and
// tabs with no quoting, at most `maxWords` of them.
std::vector<std::string> SplitCommandLine(std::string_view tail, std::size_t maxWords = kMaxWords);

struct StartChoice {
  std::string plotFile;
  bool print = false;  // print mode: print one page and end, no window
  friend bool operator==(const StartChoice&, const StartChoice&) = default;
};

// What the start routine does for a tail. One word: show that file. Two
// words of which the second is P (either case): print the first. Two words
// otherwise: show the first. Any other count: show the default plot file.
StartChoice ChooseStart(std::string_view tail);

}  // namespace wt::plot
