#pragma once

namespace wt {

// True when the programs meet the user on the console rather than in windows:
// WINTARVO_UI=console is set, or (Linux) neither DISPLAY nor WAYLAND_DISPLAY
// is set.
bool ConsoleWanted();

}  // namespace wt
