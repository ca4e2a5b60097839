// Splitting a command-line tail into words.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace wt {

// Splits `tail` at runs of blanks and tabs, with no quoting (a double quote is
// an ordinary character), keeping at most `maxWords` words: at the start of
// word maxWords + 1 the walk stops and the rest of the tail is ignored.
// Separators at either end give no empty words. The result's size is the word
// count; word 1 of the system's numbering is element 0.
std::vector<std::string> SplitCommandLine(std::string_view tail, std::size_t maxWords);

}  // namespace wt
