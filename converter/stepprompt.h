// The step window on a terminal, for console mode.
#pragma once

#include <istream>
#include <ostream>

#include "converter/main1.h"

namespace wt {

// Runs the step window as a prompt: writes "Step Number : " and the range
// label as one line to `err`, then reads one line from `in`:
//   a number (any other text)  typed into the step box, then "Ok"
//   an empty line              "Ok" on what the box holds (at first "1")
//   all (any case)             "All Steps"
//   route TEXT                 TEXT becomes the route line
// and prompts again while the program goes on. The end of the input is
// "Cancel". Returns the exit status.
int RunStepPrompt(Converter& converter, std::istream& in, std::ostream& err);

}  // namespace wt
