// The settings file c:\zorb\wtarvo.ini: five lines, each the whole value,
// blanks included, ended by CR LF.
//   1 InputPath
//   2 to 5 EditorCommands slots 0 to 3
#pragma once

#include <string>
#include <string_view>

#include "frontend/wtrvg.h"

namespace wt {

struct Settings {
  std::string InputPath;
  EditorCommandSlots EditorCommands = DefaultEditorCommands();
};

// Reads the file at the system path `path`. A file that is missing or cannot
// be opened gives the defaults (an empty input path, "notepad " in every
// slot); a file that ends, or cannot be read, before its fifth line gives the
// values it has and the defaults for the rest. Lines after the fifth are
// ignored. Nothing is trimmed or checked.
Settings LoadSettings(std::string_view path);

// The whole file for `settings`. A value is cut at its first CR or LF, which
// would otherwise split it across lines and shift the values after it.
std::string SettingsText(const Settings& settings);

// Replaces the file at the system path `path` whole; on failure it is left as
// it was and `reason` says why.
bool SaveSettings(const Settings& settings, std::string_view path, std::string* reason);

}  // namespace wt
