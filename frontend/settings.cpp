#include "frontend/settings.h"

#include <optional>

#include "common/fileexists.h"
#include "common/linereader.h"
#include "platform/atomicfile.h"

namespace wt {

Settings LoadSettings(std::string_view path) {
  Settings settings;
  if (!FileExists(path)) return settings;
  std::optional<LineReader> reader = LineReader::Open(path);
  if (!reader) return settings;
  std::string* values[] = {&settings.InputPath, &settings.EditorCommands[0],
                           &settings.EditorCommands[1], &settings.EditorCommands[2],
                           &settings.EditorCommands[3]};
  std::string_view line;
  for (std::string* value : values) {
    if (!reader->Next(&line)) break;
    *value = std::string(line);
  }
  return settings;
}

std::string SettingsText(const Settings& settings) {
  std::string text;
  auto line = [&text](std::string_view value) {
    text += value.substr(0, value.find_first_of("\r\n"));
    text += "\r\n";
  };
  line(settings.InputPath);
  for (const std::string& command : settings.EditorCommands) line(command);
  return text;
}

bool SaveSettings(const Settings& settings, std::string_view path, std::string* reason) {
  return WriteFileAtomically(path, SettingsText(settings), reason);
}

}  // namespace wt
