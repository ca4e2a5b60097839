// Draws a plot file into the viewer's window, unseen, and saves the picture
// as File > Save does, as wtplotr.bmp in the current folder. Exit status 0
// when it was saved. For the test that kills the save half-way.
#include <QAction>
#include <QApplication>
#include <cstdlib>

#include "platform/recorder.h"
#include "plotview/azioni.h"

#include "platform/testenv.h"

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  wt::SetEnvironment("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  wt::Recorder desktop;
  wt::plot::Azioni azioni(desktop);
  azioni.DrawInWindow(argv[1]);
  azioni.Window().findChild<QAction*>("save_menu")->trigger();
  const std::vector<wt::Message> messages = desktop.Messages();
  return messages.size() == 1 && messages[0].text == "File wtplotr.bmp saved" ? 0 : 1;
}
