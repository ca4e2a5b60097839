// Where the system's Windows names (c:\zorb\wtarvo.ini) meet the host's files.
//
// On Windows a path is used as it is. On Linux a path that begins with a drive
// letter and a colon lives under the drives folder: $WINTARVO_DRIVES when set,
// otherwise ~/.wintarvo; drive X is its sub-folder drive_x, so
// C:\zorb\tarvo.mol is ~/.wintarvo/drive_c/zorb/tarvo.mol. Backslashes become
// slashes in every path handed to the OS; anything else is a host path.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace wt {

// The host path of a system path, or nothing when it maps nowhere (a drive
// path while neither $WINTARVO_DRIVES nor $HOME is set).
std::optional<std::string> HostPath(std::string_view systemPath);

// The drives folder (Linux: $WINTARVO_DRIVES or ~/.wintarvo), nothing when
// neither is set. On Windows the empty text: drives are real.
std::optional<std::string> DrivesFolder();

// True for a character that ends a folder in a path: the backslash, and on
// Linux the slash as well.
bool EndsFolder(char c);

}  // namespace wt
