#include <QGuiApplication>
#include <cstdlib>

#include "platform/qtapp.h"

namespace wt {
namespace {
bool offscreenAskedFor = false;
}

std::unique_ptr<QApplication> MakeApplication(int& argc, char** argv) {
  const char* asked = std::getenv("QT_QPA_PLATFORM");
  const bool fallback = !asked || !*asked;
  const bool quiet = fallback && !std::getenv("QT_LOGGING_RULES");
  if (fallback) {
    // Without a fallback Qt aborts the process when the display is gone.
    qputenv("QT_QPA_PLATFORM", "xcb;wayland;offscreen");
    // The programs say in their own words that there is no display.
    if (quiet) qputenv("QT_LOGGING_RULES", "qt.qpa.xcb=false;qt.qpa.plugin=false");
  } else {
    offscreenAskedFor = QByteArray(asked).startsWith("offscreen");
  }
  auto app = std::make_unique<QApplication>(argc, argv);
  // Not for the programs started later.
  if (fallback) qunsetenv("QT_QPA_PLATFORM");
  if (quiet) qunsetenv("QT_LOGGING_RULES");
  return app;
}

bool DisplayReached() {
  return offscreenAskedFor || QGuiApplication::platformName() != QLatin1String("offscreen");
}

}  // namespace wt
