#include "platform/batchline.h"

namespace wt {

// CreateProcess runs a .bat file through cmd.exe, which parses its line.
bool BatchLineGoesThroughInterpreter() {
  return true;
}

}  // namespace wt
