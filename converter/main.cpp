// xkryst, the coordinate converter: one step (or every step) of a coordinate
// file to a Kryst molecule file, an XYZ file, a Gauss 94 input or a tarvo
// input in c:\zorb\. On the console it needs nothing of the toolkit; its
// windows are loaded from a module of their own when a display is wanted.
#include <iostream>
#include <optional>

#include "converter/main1.h"
#include "converter/stepprompt.h"
#include "converter/windowsentry.h"
#include "platform/cmdtail.h"
#include "platform/consoledesktop.h"
#include "platform/firststart.h"
#include "platform/module.h"
#include "platform/uimode.h"

namespace {

int RunOnConsole(const std::string& tail) {
  wt::ConsoleDesktop desktop;
  wt::Converter converter(desktop);
  if (std::optional<int> status = converter.StartRoutine(tail)) return *status;
  return wt::RunStepPrompt(converter, std::cin, std::cerr);
}

// The windows' entry, from the module beside the program (links resolved).
wt::WindowsEntry LoadWindows(std::string* reason) {
  const std::string folder = wt::ProgramFolder();
  const std::string name = wt::ModuleFileName(wt::kWindowsModule);
  return reinterpret_cast<wt::WindowsEntry>(
      wt::ModuleSymbol(folder.empty() ? name : folder + "/" + name, wt::kWindowsEntry, reason));
}

}  // namespace

int main(int argc, char** argv) {
  wt::PrepareUserInstallation("xkryst");
  const std::string tail = wt::CommandTail(argc, argv);
  if (wt::ConsoleWanted()) return RunOnConsole(tail);
  std::string reason;
  const wt::WindowsEntry windows = LoadWindows(&reason);
  if (!windows) {
    std::cerr << "xkryst: its windows cannot be loaded (" << reason
              << "); it works on the console\n";
    return RunOnConsole(tail);
  }
  const int status = windows(&argc, argv, tail.c_str());
  return status == wt::kNoDisplay ? RunOnConsole(tail) : status;
}
