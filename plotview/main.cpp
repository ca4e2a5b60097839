// wtplot, the plot viewer: shows a plot file in its window, or with the print
// switch prints it and ends.
#include <QApplication>
#include <iostream>
#include <memory>

#include "platform/cmdtail.h"
#include "platform/consoledesktop.h"
#include "platform/qtdesktop.h"
#include "platform/uimode.h"
#include "plotview/azioni.h"
#include "plotview/commandline.h"

int main(int argc, char** argv) {
  // Qt takes the options it knows out of argv: read the tail first.
  const wt::plot::StartChoice choice = wt::plot::ChooseStart(wt::CommandTail(argc, argv));
  const bool console = wt::ConsoleWanted();
  if (console && !choice.print) {
    std::cerr << "wtplot: the viewer's window needs a display, and there is none "
                 "(DISPLAY and WAYLAND_DISPLAY are unset, or WINTARVO_UI=console); "
                 "to print without one: wtplot FILE P\n";
    return 1;
  }
  // Print mode shows no window and needs no display.
  if (console) qputenv("QT_QPA_PLATFORM", "offscreen");

  QApplication app(argc, argv);
  std::unique_ptr<wt::Desktop> desktop;
  if (console) {
    desktop = std::make_unique<wt::ConsoleDesktop>();
  } else {
    desktop = std::make_unique<wt::QtDesktop>("wtplot");
  }
  wt::plot::Azioni azioni(*desktop);
  if (std::optional<int> status = azioni.Start(choice)) return *status;
  return app.exec();
}
