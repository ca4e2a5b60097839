// xkryst, the coordinate converter: one step (or every step) of a coordinate
// file to a Kryst molecule file, an XYZ file, a Gauss 94 input or a tarvo
// input in c:\zorb\.
#include <iostream>

#include "converter/form1.h"
#include "converter/main1.h"
#include "converter/stepprompt.h"
#include "platform/cmdtail.h"
#include "platform/consoledesktop.h"
#include "platform/firststart.h"
#include "platform/qtapp.h"
#include "platform/qtdesktop.h"
#include "platform/uimode.h"

namespace {
int RunOnConsole(const std::string& tail) {
  wt::ConsoleDesktop desktop;
  wt::Converter converter(desktop);
  if (std::optional<int> status = converter.StartRoutine(tail)) return *status;
  return wt::RunStepPrompt(converter, std::cin, std::cerr);
}
}  // namespace

int main(int argc, char** argv) {
  wt::PrepareUserInstallation("xkryst");
  const std::string tail = wt::CommandTail(argc, argv);
  if (wt::ConsoleWanted()) return RunOnConsole(tail);
  std::unique_ptr<QApplication> app = wt::MakeApplication(argc, argv);
  // A display that cannot be reached: the console serves as well.
  if (!wt::DisplayReached()) return RunOnConsole(tail);
  app->setQuitOnLastWindowClosed(false);  // every way out of Form1 ends the program itself
  wt::QtDesktop desktop("WTarvo");
  wt::Converter converter(desktop);
  if (std::optional<int> status = converter.StartRoutine(tail)) return *status;
  wt::Form1 form(converter, [](int status) { QCoreApplication::exit(status); });
  form.show();
  form.SetRangeLabel();
  return app->exec();
}
