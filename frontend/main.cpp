// Wintarvo, the front end: the main window "WinTarvo Menu".
#include <iostream>

#include "frontend/form1.h"
#include "frontend/wtrvg.h"
#include "platform/firststart.h"
#include "platform/qtapp.h"
#include "platform/qtdesktop.h"
#include "platform/uimode.h"

namespace {
int NoDisplay(const char* why) {
  std::cerr << "Wintarvo: no display to show its window on (" << why << ")\n";
  return 1;
}
}  // namespace

int main(int argc, char** argv) {
  wt::PrepareUserInstallation("Wintarvo");
  if (wt::ConsoleWanted()) {
    return NoDisplay("DISPLAY and WAYLAND_DISPLAY are unset, or WINTARVO_UI is console");
  }
  std::unique_ptr<QApplication> app = wt::MakeApplication(argc, argv);
  if (!wt::DisplayReached()) return NoDisplay("the display cannot be reached");
  wt::QtDesktop desktop{std::string(wt::kApplicationTitle)};
  wt::Form1 form(desktop);
  form.show();
  app->exec();
  return form.exitStatus();
}
