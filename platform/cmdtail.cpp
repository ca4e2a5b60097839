#include "platform/cmdtail.h"

namespace wt {

std::vector<std::string> SplitCommandLine(std::string_view tail, std::size_t maxWords) {
  std::vector<std::string> words;
  bool inWord = false;
  for (char c : tail) {
    if (c == ' ' || c == '\t') {
      inWord = false;
      continue;
    }
    if (!inWord) {
      if (words.size() == maxWords) break;
      words.emplace_back();
      inWord = true;
    }
    words.back() += c;
  }
  return words;
}

}  // namespace wt
