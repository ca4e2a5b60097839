#include "platform/uimode.h"

#include <cstdlib>
#include <cstring>

namespace wt {

bool ConsoleWanted() {
  const char* ui = std::getenv("WINTARVO_UI");
  return ui && std::strcmp(ui, "console") == 0;
}

}  // namespace wt
