// Any bytes as the settings file c:\zorb\wtarvo.ini: loaded, saved and
// loaded again; every value also taken as an input path and split into the
// dataset, from which the converter's command line is built and the batch
// file's rule decides.
#include <algorithm>
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

void CheckDataset(const std::string& inputPath) {
  // The folder ends at a separator, the name holds none, and the two make
  // the stem the path begins with.
  const wt::DatasetState d = wt::SplitInputPath(inputPath);
  FUZZ_CHECK(d.InputPath == inputPath && inputPath.starts_with(d.DatasetFolder) &&
             inputPath.starts_with(d.DatasetBase));
  FUZZ_CHECK(d.DatasetFolder.size() <= 1 || wt::EndsFolder(d.DatasetFolder.back()));
  FUZZ_CHECK(d.DatasetName.empty() || d.DatasetBase == d.DatasetFolder + d.DatasetName);
  FUZZ_CHECK(std::none_of(d.DatasetName.begin(), d.DatasetName.end(), wt::EndsFolder));
  // Typed back into the boxes, the two texts give the path they came from
  // whenever it is an input file named in its folder.
  const wt::DatasetState typed = wt::RebuildDatasetPaths(d.DatasetFolder, d.DatasetName);
  FUZZ_CHECK(typed.InputPath == d.DatasetFolder + d.DatasetName + ".in");
  if (!d.DatasetName.empty() && inputPath == d.DatasetBase + ".in") {
    FUZZ_CHECK(typed.InputPath == inputPath && typed.DatasetBase == d.DatasetBase);
  }

  // The converter's line: its program, the coordinate file and the kind,
  // three words whenever the file's path holds no blank or tab.
  const std::string cor = wt::CoordinateFile(d);
  FUZZ_CHECK(cor == d.DatasetBase + ".cor");
  if (cor.find_first_of(" \t") == std::string::npos) {
    FUZZ_CHECK(wt::SplitCommandLine(wt::ConverterCommand(d, 3), 4) ==
               (std::vector<std::string>{std::string(wt::kConverter), cor, "3"}));
  }
  // Through the command interpreter, the batch file refuses exactly the
  // names that hold one of its special characters.
  const std::string name = wt::FileNameOf(d.DatasetBase);
  const std::optional<char> special = wt::InterpreterSpecialCharacter(name);
  FUZZ_CHECK(wt::BatchRefusal(d, true).has_value() == special.has_value());
  FUZZ_CHECK(!wt::BatchRefusal(d, false));
  FUZZ_CHECK(!special || name.find(*special) != std::string::npos);
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
  // Saved and read back, the file gives the same values: five lines, each
  // the whole value.
  std::string expected;
  for (const std::string* value : values) {
    FUZZ_CHECK(value->find_first_of("\r\n") == std::string::npos);
    expected += *value + "\r\n";
  }
  FUZZ_CHECK(wt::SaveSettings(loaded, path, nullptr));
  FUZZ_CHECK(scratch.Read("wtarvo.ini") == expected);
  const wt::Settings again = wt::LoadSettings(path);
  FUZZ_CHECK(again.InputPath == loaded.InputPath && again.EditorCommands == loaded.EditorCommands);

  for (const std::string* value : values) CheckDataset(*value);
  return 0;
}
