#include "platform/cmdtail.h"

#include <windows.h>

namespace wt {

std::string CommandTail(int, char**) {
  // The raw line, without the program name (quoted or not) and the one
  // separator that follows it.
  const char* line = GetCommandLineA();
  if (*line == '"') {
    ++line;
    while (*line && *line != '"') ++line;
    if (*line == '"') ++line;
  } else {
    while (*line && *line != ' ' && *line != '\t') ++line;
  }
  if (*line == ' ' || *line == '\t') ++line;
  return line;
}

}  // namespace wt
