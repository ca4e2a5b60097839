// WTRV: the front end's dataset state, the command lines it builds and the
// messages it shows. No Qt here: the windows call these and hand the results
// to a Desktop.
//
// LastPos (module CONST), FileNameOf and FileExists (module WTRV) are shared
// with the other programs and live in common/pathtext.h and fileexists.h.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/desktop.h"

namespace wt {

// The current dataset. On Linux both / and \ end a folder.
struct DatasetState {
  std::string InputPath;      // c:\data\benz.in
  std::string DatasetFolder;  // c:\data\ (with its closing separator when it has one)
  std::string DatasetName;    // benz
  std::string DatasetBase;    // c:\data\benz: the stem for ".cor" and ".out"
};

// The dataset of a whole input path, as at start-up and after Browse. The
// folder is everything up to the last folder separator, or the first
// character when there is none; the stem ends before the last dot (the first
// character when there is no dot); the name is the stem after the folder.
DatasetState SplitInputPath(std::string_view inputPath);

// `RebuildDatasetPaths`: the dataset of the Path and Dataset boxes' texts as
// typed, joined unchanged: InputPath = folder + name + ".in".
DatasetState RebuildDatasetPaths(std::string_view pathBox, std::string_view datasetBox);

// The coordinate file (stem + ".cor") and the output file (stem + ".out").
std::string CoordinateFile(const DatasetState& dataset);
std::string OutputFile(const DatasetState& dataset);

// The output modes of the Options frame, in the order in which they are asked.
enum class OutputMode { MolecularView, NullOutput, OutputFile };

// " mol", " nul", " out".
std::string_view ModeWord(OutputMode mode);

// Command lines, built by plain concatenation with nothing quoted. N is
// FileNameOf(DatasetBase).
//   "C&alculate":   c:\zorb\wtarvo.bat N mode
//   "&Tarvo":       c:\zorb\tarvo.exe N
//   "Edit &Input":  editor + " " + InputPath
//   "Edit &Output": editor + " " + DatasetBase + ".out"
//   Export:         c:\zorb\xkryst, two blanks, DatasetBase + ".cor", two blanks, kind
std::string CalculateCommand(const DatasetState& dataset, OutputMode mode);
std::string TarvoCommand(const DatasetState& dataset);
std::string EditInputCommand(std::string_view editorCommand, const DatasetState& dataset);
std::string EditOutputCommand(std::string_view editorCommand, const DatasetState& dataset);
std::string ConverterCommand(const DatasetState& dataset, int outputKind);

// "file not exist": the input file is missing for "C&alculate".
Message FileNotExistMessage();
// "Not found the dataset.": the coordinate file is missing for "&Tarvo".
Message DatasetNotFoundMessage();
// "File <path> does not exist", titled "Warning", stop icon, OK and Cancel.
Message MissingFileWarning(std::string_view path);
// A program that could not be started, named by the first word of its line.
Message StartFailureMessage(std::string_view commandLine, std::string_view reason);
// A folder that could not be made current.
Message FolderFailureMessage(std::string_view folder, std::string_view reason);
// The settings file that could not be written at the end of the run.
Message SettingsNotWrittenMessage(std::string_view path, std::string_view reason);

// The first character of `text` that the command interpreter treats specially
// (& | < > ^ %), or nothing.
std::optional<char> InterpreterSpecialCharacter(std::string_view text);

// The message refusing "C&alculate" when the batch command line goes through
// the command interpreter and the dataset name would carry such a character
// into it; nothing when the command line may be started.
std::optional<Message> BatchRefusal(const DatasetState& dataset, bool throughInterpreter);

// Makes `folder` the current folder; on failure shows a message naming it and
// returns false. The empty folder (a Path box left empty) keeps the current
// folder, against which the dataset's relative paths then resolve.
bool MakeFolderCurrent(Desktop& desktop, const std::string& folder);

// Starts `commandLine`; on failure shows a message naming the program and
// returns false.
bool StartCommand(Desktop& desktop, const std::string& commandLine, WindowRequest window);

}  // namespace wt
