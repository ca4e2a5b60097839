// wtplot, the plot viewer: shows a plot file in its window, or with the print
// switch prints it and ends.
#include <iostream>
#include <memory>

#include "platform/cmdtail.h"
#include "platform/consoledesktop.h"
#include "platform/firststart.h"
#include "platform/qtapp.h"
#include "platform/qtdesktop.h"
#include "platform/uimode.h"
#include "plotview/azioni.h"
#include "plotview/commandline.h"

namespace {
int NoDisplay(const char* why) {
  std::cerr << "wtplot: the viewer's window needs a display, and there is none (" << why
            << "); to print without one: wtplot FILE P\n";
  return 1;
}
}  // namespace

int main(int argc, char** argv) {
  wt::PrepareUserInstallation("wtplot");
  // Qt takes the options it knows out of argv: read the tail first.
  const wt::plot::StartChoice choice = wt::plot::ChooseStart(wt::CommandTail(argc, argv));
  bool console = wt::ConsoleWanted();
  if (console && !choice.print) {
    return NoDisplay("DISPLAY and WAYLAND_DISPLAY are unset, or WINTARVO_UI=console");
  }
  // Print mode shows no window and needs no display.
  if (console) qputenv("QT_QPA_PLATFORM", "offscreen");

  std::unique_ptr<QApplication> app = wt::MakeApplication(argc, argv);
  if (!console && !wt::DisplayReached()) {
    if (!choice.print) return NoDisplay("the display cannot be reached");
    console = true;
  }
  std::unique_ptr<wt::Desktop> desktop;
  if (console) {
    desktop = std::make_unique<wt::ConsoleDesktop>();
  } else {
    desktop = std::make_unique<wt::QtDesktop>("wtplot");
  }
  wt::plot::Azioni azioni(*desktop);
  if (std::optional<int> status = azioni.Start(choice)) return *status;
  return app->exec();
}
