#include "plotview/commandline.h"

#include "platform/cmdtail.h"

namespace wt::plot {

std::vector<std::string> SplitCommandLine(std::string_view tail, std::size_t maxWords) {
  std::vector<std::string> words = wt::SplitCommandLine(tail, maxWords);
  words.insert(words.begin(), std::string());
  return words;
}

StartChoice ChooseStart(std::string_view tail) {
  const std::vector<std::string> words = SplitCommandLine(tail);
  const std::size_t count = words.size() - 1;
  if (count == 1) return {words[1], false};
  if (count == 2) return {words[1], words[2] == "P" || words[2] == "p"};
  return {kDefaultPlotFile, false};
}

}  // namespace wt::plot
