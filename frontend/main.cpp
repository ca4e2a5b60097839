// Wintarvo, the front end: the main window "WinTarvo Menu".
#include <QApplication>
#include <iostream>

#include "frontend/form1.h"
#include "frontend/wtrvg.h"
#include "platform/qtdesktop.h"
#include "platform/uimode.h"

int main(int argc, char** argv) {
  if (wt::ConsoleWanted()) {
    std::cerr << "Wintarvo: no display to show its window on (DISPLAY and WAYLAND_DISPLAY are "
                 "unset, or WINTARVO_UI is console)\n";
    return 1;
  }
  QApplication app(argc, argv);
  wt::QtDesktop desktop{std::string(wt::kApplicationTitle)};
  wt::Form1 form(desktop);
  form.show();
  app.exec();
  return form.exitStatus();
}
