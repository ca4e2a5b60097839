// Making the application object of a program with windows.
#pragma once

#include <QApplication>
#include <memory>

namespace wt {

// Makes the QApplication. Where the display cannot be reached (DISPLAY names
// no running server, say), Qt falls back to its offscreen platform instead
// of ending the process; DisplayReached() then says so.
std::unique_ptr<QApplication> MakeApplication(int& argc, char** argv);

// After MakeApplication: false when the windows would show on no screen,
// that is Qt fell back to offscreen without having been asked for it.
bool DisplayReached();

}  // namespace wt
