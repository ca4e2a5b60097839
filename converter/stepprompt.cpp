#include "converter/stepprompt.h"

#include <string>

namespace wt {
namespace {

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lower;
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

}  // namespace

int RunStepPrompt(Converter& converter, std::istream& in, std::ostream& err) {
  std::string box = "1";
  std::string line;
  for (;;) {
    err << "Step Number : " << converter.RangeLabel() << '\n';
    err.flush();
    if (!std::getline(in, line)) return 0;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (Lower(Trimmed(line)) == "all") return converter.AllSteps();
    if (line.size() >= 6 && Lower(line.substr(0, 6)) == "route ") {
      // One line, as the input-line box holds: a stray CR ends it.
      const std::string route = line.substr(6);
      converter.routeLine().SetRouteLine(route.substr(0, route.find('\r')));
      continue;
    }
    // The box keeps what was typed, a refused number included.
    if (!line.empty()) box = line;
    if (std::optional<int> status = converter.ConvertStep(box)) return *status;
  }
}

}  // namespace wt
