#pragma once

#include <string>

namespace wt {

// The process's own command-line tail: the text after the program's name.
// Windows: the raw command line without the program name. Linux: the
// arguments joined by single blanks. Call it before a QApplication exists,
// since Qt removes the options it knows from argv.
std::string CommandTail(int argc, char** argv);

}  // namespace wt
