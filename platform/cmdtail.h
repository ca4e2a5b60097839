// The process's command-line tail and its words.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace wt {

// The process's own command-line tail: the text after the program's name.
// Windows: the raw command line without the program name. Linux: the
// arguments joined by single blanks. Call it before a QApplication exists,
// since Qt removes the options it knows from argv.
std::string CommandTail(int argc, char** argv);

// Splits `tail` at runs of blanks and tabs, with no quoting (a double quote is
// an ordinary character), keeping at most `maxWords` words: at the start of
// word maxWords + 1 the walk stops and the rest of the tail is ignored.
// Separators at either end give no empty words. The result's size is the word
// count; word 1 of the system's numbering is element 0. Linux splits a
// command line it starts into the program and its arguments the same way.
std::vector<std::string> SplitCommandLine(std::string_view tail, std::size_t maxWords);

}  // namespace wt
