// Any bytes as the settings file c:\zorb\wtarvo.ini: loaded, saved and
// loaded again; every value also taken as an input path and split into the
// dataset, from which the command lines are built.
#include <cstdint>
#include <string>
#include <string_view>

#include "common/pathtext.h"
#include "frontend/settings.h"
#include "frontend/wtrv.h"
#include "frontend/wtrvg.h"
#include "fuzz/fuzzcheck.h"
#include "platform/cmdtail.h"
#include "platform/paths.h"

namespace {

bool StartsWith(std::string_view text, std::string_view head) {
  return text.substr(0, head.size()) == head;
}

void CheckDataset(const std::string& inputPath, const std::string& editor) {
  const wt::DatasetState d = wt::SplitInputPath(inputPath);
  FUZZ_CHECK(d.InputPath == inputPath);
  FUZZ_CHECK(StartsWith(inputPath, d.DatasetFolder));
  FUZZ_CHECK(StartsWith(inputPath, d.DatasetBase));
  FUZZ_CHECK(d.DatasetFolder.size() <= 1 || wt::EndsFolder(d.DatasetFolder.back()));
  FUZZ_CHECK(d.DatasetName.empty() || d.DatasetBase == d.DatasetFolder + d.DatasetName);
  for (char c : d.DatasetName) FUZZ_CHECK(!wt::EndsFolder(c));

  // Typed back into the boxes, the two texts give the path they came from
  // whenever it is an input file named in its folder.
  const wt::DatasetState typed = wt::RebuildDatasetPaths(d.DatasetFolder, d.DatasetName);
  FUZZ_CHECK(typed.InputPath == d.DatasetFolder + d.DatasetName + ".in");
  if (!d.DatasetName.empty() && inputPath == d.DatasetBase + ".in") {
    FUZZ_CHECK(typed.InputPath == inputPath);
    FUZZ_CHECK(typed.DatasetBase == d.DatasetBase);
  }

  FUZZ_CHECK(wt::CoordinateFile(d) == d.DatasetBase + ".cor");
  FUZZ_CHECK(wt::OutputFile(d) == d.DatasetBase + ".out");
  FUZZ_CHECK(wt::EditInputCommand(editor, d) == editor + " " + inputPath);
  FUZZ_CHECK(wt::EditOutputCommand(editor, d) == editor + " " + d.DatasetBase + ".out");
  const std::string name = wt::FileNameOf(d.DatasetBase);
  FUZZ_CHECK(wt::TarvoCommand(d) == std::string(wt::kTarvoProgram) + " " + name);
  for (wt::OutputMode mode :
       {wt::OutputMode::MolecularView, wt::OutputMode::NullOutput, wt::OutputMode::OutputFile}) {
    FUZZ_CHECK(wt::CalculateCommand(d, mode) ==
               std::string(wt::kBatchFile) + " " + name + std::string(wt::ModeWord(mode)));
  }
  // The converter's line: its program, the coordinate file and the kind,
  // three words whenever the file's path holds no blank or tab.
  const std::string converter = wt::ConverterCommand(d, 3);
  const std::string cor = wt::CoordinateFile(d);
  if (cor.find_first_of(" \t") == std::string::npos) {
    FUZZ_CHECK(wt::SplitCommandLine(converter, 4) ==
               (std::vector<std::string>{std::string(wt::kConverter), cor, "3"}));
  }
  const std::optional<char> special = wt::InterpreterSpecialCharacter(name);
  FUZZ_CHECK(wt::BatchRefusal(d, true).has_value() == special.has_value());
  FUZZ_CHECK(!wt::BatchRefusal(d, false));
  if (special) FUZZ_CHECK(name.find(*special) != std::string::npos);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const wt::fuzz::Scratch& scratch = wt::fuzz::Scratch::Get();
  const std::string path =
      scratch.Write("wtarvo.ini", std::string_view(reinterpret_cast<const char*>(data), size));
  const wt::Settings loaded = wt::LoadSettings(path);
  const std::string* values[] = {&loaded.InputPath, &loaded.EditorCommands[0],
                                 &loaded.EditorCommands[1], &loaded.EditorCommands[2],
                                 &loaded.EditorCommands[3]};
  for (const std::string* value : values) {
    FUZZ_CHECK(value->find_first_of("\r\n") == std::string::npos);
  }

  // Saved and read back, the file gives the same values: five lines, each
  // the whole value.
  std::string reason;
  FUZZ_CHECK(wt::SaveSettings(loaded, path, &reason));
  std::string expected;
  for (const std::string* value : values) expected += *value + "\r\n";
  FUZZ_CHECK(scratch.Read("wtarvo.ini") == expected);
  const wt::Settings again = wt::LoadSettings(path);
  FUZZ_CHECK(again.InputPath == loaded.InputPath);
  FUZZ_CHECK(again.EditorCommands == loaded.EditorCommands);

  for (const std::string* value : values) CheckDataset(*value, loaded.EditorCommands[0]);
  return 0;
}
