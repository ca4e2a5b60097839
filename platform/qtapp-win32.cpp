#include "platform/qtapp.h"

namespace wt {

std::unique_ptr<QApplication> MakeApplication(int& argc, char** argv) {
  return std::make_unique<QApplication>(argc, argv);
}

bool DisplayReached() { return true; }

}  // namespace wt
