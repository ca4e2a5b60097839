// WTRVG: the front end's globals, its fixed names and the editor commands.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace wt {

inline constexpr std::string_view kSettingsFile = "c:\\zorb\\wtarvo.ini";
inline constexpr std::string_view kBatchFile = "c:\\zorb\\wtarvo.bat";
inline constexpr std::string_view kTarvoProgram = "c:\\zorb\\tarvo.exe";
inline constexpr std::string_view kConverter = "c:\\zorb\\xkryst";

// The title of the message boxes that have none of their own.
inline constexpr std::string_view kApplicationTitle = "WinTarvo";

// The default of every editor command; the trailing blank is part of it, so a
// default command line has two blanks before the file name.
inline constexpr std::string_view kDefaultEditorCommand = "notepad ";

// `EditorCommands`: slot 0 edits the input file, slot 1 the output file,
// slots 2 and 3 are only carried through the settings file.
using EditorCommandSlots = std::array<std::string, 4>;

EditorCommandSlots DefaultEditorCommands();

}  // namespace wt
