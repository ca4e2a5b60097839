// The viewer killed at any moment of a save and while it writes the bitmap:
// wtplotr.bmp is always the old one or the new one, whole.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <filesystem>

#include "platform/recorder.h"
#include "platform/testenv.h"
#include "platform/tests/killwhilewriting.h"
#include "platform/tests/tempdrives.h"
#include "platform/tests/testfolder.h"
#include "plotview/azioni.h"

namespace wt::plot {
namespace {

namespace fs = std::filesystem;

// Draws `plot` into the viewer's window, unseen, and saves the picture as
// File > Save does; 0 when it was saved. Run in a child process, so that
// the test's own process never makes an application.
int DrawAndSave(const char* plot) {
  SetEnvironment("QT_QPA_PLATFORM", "offscreen");
  int argc = 1;
  char name[] = "wt_plotview_kill_tests";
  char* argv[] = {name, nullptr};
  QApplication app(argc, argv);
  Recorder desktop;
  Azioni azioni(desktop);
  azioni.DrawInWindow(plot);
  azioni.Window().findChild<QAction*>("save_menu")->trigger();
  const std::vector<Message> messages = desktop.Messages();
  return messages.size() == 1 && messages[0].text == "File wtplotr.bmp saved" ? 0 : 1;
}

TEST(AzioniKillTest, AKilledSaveLeavesTheOldBitmapOrTheNewOneWhole) {
  const fs::path folder = FreshTestFolder("wt_azioni_kill");
  {
    const ScopedCurrentFolder inFolder(folder);
    testing::WriteBytes("one.hgl", "SP9\r\nPU 0,0\r\nPD 10430,8000\r\n");
    testing::WriteBytes("two.hgl", "SP1\r\nPU 0,8000\r\nPD 10430,0\r\n");
    // Killed late in the run, when the picture is drawn and saved.
    testing::ExpectKillsLeaveTheOldFileOrTheNewOneWhole(
        [&](int version, testing::KillAt at, int n) {
          const char* plot = version == 1 ? "two.hgl" : "one.hgl";
          return testing::RunTraced([plot] { return DrawAndSave(plot); }, folder, at, n);
        },
        [] { return testing::ReadBytes("wtplotr.bmp"); }, 12, 4, true);
  }
  fs::remove_all(folder);
}

}  // namespace
}  // namespace wt::plot
