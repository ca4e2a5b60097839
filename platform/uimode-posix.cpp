#include "platform/uimode.h"

#include <cstdlib>
#include <cstring>

namespace wt {

bool ConsoleWanted() {
  const char* ui = std::getenv("WINTARVO_UI");
  if (ui && std::strcmp(ui, "console") == 0) return true;
  const char* x11 = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  return !(x11 && *x11) && !(wayland && *wayland);
}

}  // namespace wt
