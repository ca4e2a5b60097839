#include "frontend/wtrv.h"

#include <algorithm>
#include <vector>

#include "common/pathtext.h"
#include "frontend/wtrvg.h"
#include "platform/cmdtail.h"

namespace wt {
namespace {

std::string Left(std::string_view s, std::size_t n) {
  return std::string(s.substr(0, std::min(n, s.size())));
}

// The stem: up to the character before the last dot. Without a dot, or with
// the dot first, the first character alone.
std::string StemOf(std::string_view inputPath) {
  std::size_t d = LastPos(inputPath, '.');
  if (d > 1) d = d - 1;
  return Left(inputPath, d);
}

}  // namespace

DatasetState SplitInputPath(std::string_view inputPath) {
  DatasetState dataset;
  dataset.InputPath = std::string(inputPath);
  std::size_t p = LastFolderPos(inputPath);
  dataset.DatasetFolder = Left(inputPath, p);
  dataset.DatasetBase = StemOf(inputPath);
  if (dataset.DatasetBase.size() > p) dataset.DatasetName = dataset.DatasetBase.substr(p);
  return dataset;
}

DatasetState RebuildDatasetPaths(std::string_view pathBox, std::string_view datasetBox) {
  DatasetState dataset;
  dataset.DatasetName = std::string(datasetBox);
  dataset.DatasetFolder = std::string(pathBox);
  dataset.InputPath = dataset.DatasetFolder + dataset.DatasetName + ".in";
  dataset.DatasetBase = StemOf(dataset.InputPath);
  return dataset;
}

std::string CoordinateFile(const DatasetState& dataset) {
  return dataset.DatasetBase + ".cor";
}

std::string OutputFile(const DatasetState& dataset) {
  return dataset.DatasetBase + ".out";
}

std::string_view ModeWord(OutputMode mode) {
  switch (mode) {
    case OutputMode::MolecularView:
      return " mol";
    case OutputMode::NullOutput:
      return " nul";
    case OutputMode::OutputFile:
      return " out";
  }
  return " mol";
}

std::string CalculateCommand(const DatasetState& dataset, OutputMode mode) {
  return std::string(kBatchFile) + " " + FileNameOf(dataset.DatasetBase) +
         std::string(ModeWord(mode));
}

std::string TarvoCommand(const DatasetState& dataset) {
  return std::string(kTarvoProgram) + " " + FileNameOf(dataset.DatasetBase);
}

std::string EditInputCommand(std::string_view editorCommand, const DatasetState& dataset) {
  return std::string(editorCommand) + " " + dataset.InputPath;
}

std::string EditOutputCommand(std::string_view editorCommand, const DatasetState& dataset) {
  return std::string(editorCommand) + " " + OutputFile(dataset);
}

std::string ConverterCommand(const DatasetState& dataset, int outputKind) {
  return std::string(kConverter) + " " + " " + CoordinateFile(dataset) + "  " +
         std::to_string(outputKind);
}

Message FileNotExistMessage() {
  return {"file not exist"};
}

Message DatasetNotFoundMessage() {
  return {"Not found the dataset."};
}

Message MissingFileWarning(std::string_view path) {
  return {"File " + std::string(path) + " does not exist", "Warning", MessageIcon::Critical,
          MessageButtons::OkCancel};
}

Message StartFailureMessage(std::string_view commandLine, std::string_view reason) {
  std::vector<std::string> words = SplitCommandLine(commandLine, 1);
  std::string text = words.empty() ? "Cannot start an empty command line"
                                   : "Cannot start the program '" + words.front() + "'";
  return {text + ": " + std::string(reason), "Warning", MessageIcon::Critical};
}

Message FolderFailureMessage(std::string_view folder, std::string_view reason) {
  return {"Cannot make the folder '" + std::string(folder) +
              "' the current folder: " + std::string(reason),
          "Warning", MessageIcon::Critical};
}

Message SettingsNotWrittenMessage(std::string_view path, std::string_view reason) {
  return {"Cannot write the settings file '" + std::string(path) + "': " + std::string(reason),
          "Warning", MessageIcon::Critical};
}

std::optional<char> InterpreterSpecialCharacter(std::string_view text) {
  std::size_t at = text.find_first_of("&|<>^%");
  if (at == std::string_view::npos) return std::nullopt;
  return text[at];
}

std::optional<Message> BatchRefusal(const DatasetState& dataset, bool throughInterpreter) {
  if (!throughInterpreter) return std::nullopt;
  std::string name = FileNameOf(dataset.DatasetBase);
  std::optional<char> special = InterpreterSpecialCharacter(name);
  if (!special) return std::nullopt;
  return Message{"Cannot run " + std::string(kBatchFile) + " on the dataset '" + name +
                     "': the command interpreter gives the character " + *special +
                     " a meaning of its own",
                 "Warning", MessageIcon::Critical};
}

bool MakeFolderCurrent(Desktop& desktop, const std::string& folder) {
  if (folder.empty()) return true;
  std::string reason;
  if (desktop.SetCurrentFolder(folder, &reason)) return true;
  desktop.ShowMessage(FolderFailureMessage(folder, reason));
  return false;
}

bool StartCommand(Desktop& desktop, const std::string& commandLine, WindowRequest window) {
  std::string reason;
  if (desktop.StartProgram(commandLine, window, &reason)) return true;
  desktop.ShowMessage(StartFailureMessage(commandLine, reason));
  return false;
}

}  // namespace wt
