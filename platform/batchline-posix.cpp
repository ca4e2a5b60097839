#include "platform/batchline.h"

namespace wt {

// The batch file is an executable of its own here, started without a shell.
bool BatchLineGoesThroughInterpreter() {
  return false;
}

}  // namespace wt
