// Draws a plot file into the viewer's window, unseen, and saves the picture
// as File > Save does, as wtplotr.bmp in the current folder. Exit status 0
// when it was saved. For the test that kills the save half-way.
#include <QAction>
#include <QApplication>
#include <cstdlib>

#include "platform/recorder.h"
#include "plotview/azioni.h"

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  wt::Recorder desktop;
  wt::plot::Azioni azioni(desktop);
  azioni.DrawInWindow(argv[1]);
  azioni.Window().findChild<QAction*>("save_menu")->trigger();
  const std::vector<wt::Message> messages = desktop.Messages();
  return messages.size() == 1 && messages[0].text == "File wtplotr.bmp saved" ? 0 : 1;
}
