// MAIN1: the converter's start routine and what its step window does, free
// of any window. Everything shown to the user goes through a Desktop; the
// windows (form1.h) and the console prompt (stepprompt.h) only pass on what
// the user typed or chose.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "converter/atomi.h"
#include "converter/kryst.h"
#include "converter/readcor1.h"
#include "platform/desktop.h"

namespace wt {

inline constexpr std::string_view kDefaultCoordFile = "c:\\zorb\\temp64";

class Converter {
 public:
  explicit Converter(Desktop& desktop) : desktop_(desktop) {}
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // The start routine, on the process's command-line tail: word 1 is the
  // coordinate file (kDefaultCoordFile when missing), word 2 the output kind
  // (0, no number, no word or a value beyond 16 bits give 1); further words
  // change nothing. A file that cannot be opened gives "File not found"; a
  // file of exactly one step is converted to C:\zorb\tarvo at once. Returns
  // the exit status when the program ends here, nothing when the step window
  // must open.
  std::optional<int> StartRoutine(std::string_view commandTail);

  // The end of the start routine for a file of one step: step 1 to
  // C:\zorb\tarvo and its confirmation. When step 1 has gone since the count
  // (the file is being rewritten), nothing is written or shown and the
  // status is 0; any other failure is reported. Returns the exit status.
  int ConvertOnlyStep();

  // The range label of the step window: "(max = ", the step count after one
  // blank, ")".
  std::string RangeLabel() const;

  // "Ok" of the step window with the text of its step box. A number outside
  // 1 to stepCount() (or beyond 16 bits, or no number) gives "Wrong Step
  // Number" and nothing: the window stays. Otherwise the step is converted to
  // C:\zorb\tarvo, and the exit status is returned.
  std::optional<int> ConvertStep(std::string_view stepText);

  // "All Steps": every step from 1 to stepCount() to its numbered file, in
  // one pass over the coordinate file, then one confirmation once every file
  // is written. The files are written in step order on a thread of their
  // own while the next steps are read; `progress` hears (steps done,
  // stepCount()) for each step whose file is written, in order and on the
  // calling thread, as are all messages. The first step that cannot be read,
  // made or written stops the run: the files of the steps before it stay, no
  // later step's file is written, and the message says where it stopped.
  // Returns the exit status. No thread outlives the call, whatever it
  // throws; when `progress` throws, the files of the steps already read may
  // still be written, each whole.
  int AllSteps(const std::function<void(int, int)>& progress = {});

  // The number of steps the start routine counted in the coordinate file.
  std::int16_t stepCount() const { return stepCount_; }

  // The route line of the Gauss 94 input, which the input-line window and
  // the console prompt set.
  RouteLine& routeLine() { return routeLine_; }

 private:
  int ExportAndReport(std::string_view basePath);
  int Fail(const std::string& text);

  Desktop& desktop_;
  // What the start routine took from the command line and the file, kept
  // until the process ends.
  std::string coordFilePath_;
  std::int16_t outputKind_ = 0;
  std::int16_t stepCount_ = 0;
  RouteLine routeLine_;
  Molecule molecule_;
  // Where the steps begin, as the start routine's count found them: a step
  // is read from there while the file keeps its size and time of change.
  MarkerPlaces markerPlaces_;
};

}  // namespace wt
