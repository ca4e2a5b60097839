// The first start of a program installed system-wide.
//
// The programs expect themselves, the stand-in and the sample data in the
// installation folder c:\zorb\. A system package puts them into a folder of
// its own (on Debian /usr/lib/wintarvo/zorb/) with the marker file
// kSystemInstallMarker beside them; each user's c:\zorb\ is made from there
// on the first start of any of the programs: a symbolic link for every
// executable file, so that the programs follow the package's upgrades, and a
// copy of every other file (the sample data, the first settings), since the
// user, the programs and the stand-in write beside those. Sub-folders are
// made and filled alike; the marker itself is not taken.
//
// Windows installs into c:\zorb\ itself: there nothing is ever done.
#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace wt {

// The file that marks a system installation. It is installed only with the
// package, never into c:\zorb\ nor into a build folder.
inline constexpr std::string_view kSystemInstallMarker = "wintarvo-system-install";

enum class FirstStart {
  kNotSystem,    // not a system installation (no marker, or inside the drives folder): nothing done
  kFolderThere,  // c:\zorb\ is there already, whatever it holds: nothing done
  kMade,         // c:\zorb\ has been made
  kFailed,       // c:\zorb\ could not be made; nothing of it is left behind
};

// Makes c:\zorb\ from the system folder `programFolder` (a host path) when
// that folder holds the marker and lies outside the drives folder, and
// c:\zorb\ is missing. The folder appears whole or not at all: it is filled under a
// temporary name beside it and renamed into place, so a program started at
// the same moment finds it complete or makes its own. On kFailed, `reason`
// (when given) names the file or folder and says what went wrong.
FirstStart MakeUserInstallation(const std::string& programFolder, std::string* reason);

// A link in c:\zorb\ that leads nowhere, such as one to a program of a
// system package that has since been removed or moved: its name there and
// the path it names.
struct BrokenLink {
  std::string name;
  std::string target;
  friend bool operator==(const BrokenLink&, const BrokenLink&) = default;
};

// The links directly in c:\zorb\ that lead nowhere, by name; none where
// c:\zorb\ is missing.
std::vector<BrokenLink> BrokenLinks();

// Of `broken`, those whose name the system folder `programFolder` (a host
// path holding the marker) holds as a program are made to lead there, each
// replaced whole; returns their names. Nothing is done outside a system
// installation.
std::vector<std::string> Relink(const std::vector<BrokenLink>& broken,
                                const std::string& programFolder);

// The host folder of the running program with symbolic links resolved;
// empty where the system cannot tell, and on Windows.
std::string ProgramFolder();

// Called first thing in each program's main: MakeUserInstallation for
// ProgramFolder(). Making the folder, or failing to, is told in one line on
// standard error beginning with `programName`; the program goes on either way.
// Where c:\zorb\ is there already and holds links that lead nowhere, those a
// system installation can serve are relinked to it and the rest are named,
// each told in one line.
void PrepareUserInstallation(std::string_view programName);

// The same from `programFolder`, told on `err`.
void PrepareUserInstallation(std::string_view programName, const std::string& programFolder,
                             std::ostream& err);

}  // namespace wt
