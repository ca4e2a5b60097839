#include "platform/firststart.h"

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <optional>
#include <system_error>

#include "platform/paths.h"

namespace wt {
namespace {

namespace fs = std::filesystem;

std::string Describe(const fs::path& path, const std::error_code& error) {
  return path.string() + ": " + error.message();
}

// Compared element by element, so that /srv/wintarvo2 is not inside
// /srv/wintarvo.
bool IsWithin(const fs::path& inner, const fs::path& outer) {
  auto i = inner.begin();
  for (auto o = outer.begin(); o != outer.end(); ++o, ++i) {
    if (o->empty()) continue;  // the trailing separator of "/srv/wintarvo/"
    if (i == inner.end() || *i != *o) return false;
  }
  return true;
}

// Links the executables of `from` into `to` and copies everything else,
// sub-folders alike. Entries that are neither files nor folders, and links
// that lead nowhere, are passed over.
bool Fill(const fs::path& from, const fs::path& to, bool top, std::string* reason) {
  std::error_code error;
  fs::directory_iterator entries(from, error);
  for (; !error && entries != fs::directory_iterator(); entries.increment(error)) {
    const fs::path& source = entries->path();
    if (top && source.filename() == kSystemInstallMarker) continue;
    const fs::path target = to / source.filename();
    std::error_code statusError;
    const fs::file_status status = fs::status(source, statusError);
    if (fs::is_directory(status)) {
      fs::create_directory(target, error);
      if (error) {
        *reason = Describe(target, error);
        return false;
      }
      if (!Fill(source, target, false, reason)) return false;
    } else if (fs::is_regular_file(status)) {
      if ((status.permissions() & fs::perms::owner_exec) != fs::perms::none) {
        fs::create_symlink(source, target, error);
      } else {
        fs::copy_file(source, target, error);
      }
      if (error) {
        *reason = Describe(target, error);
        return false;
      }
    }
  }
  if (error) {
    *reason = Describe(from, error);
    return false;
  }
  return true;
}

bool Exists(const fs::path& path) {
  std::error_code error;
  return fs::exists(fs::symlink_status(path, error));
}

// `programFolder` with links resolved, where it is a system installation:
// the marker lies in it.
std::optional<fs::path> SystemFolder(const std::string& programFolder) {
  if (programFolder.empty()) return std::nullopt;
  std::error_code error;
  fs::path system = fs::weakly_canonical(programFolder, error);
  if (error || !fs::is_regular_file(system / kSystemInstallMarker, error)) return std::nullopt;
  return system;
}

}  // namespace

FirstStart MakeUserInstallation(const std::string& programFolder, std::string* reason) {
  std::string ignored;
  if (!reason) reason = &ignored;
  const std::optional<fs::path> systemFolder = SystemFolder(programFolder);
  if (!systemFolder) return FirstStart::kNotSystem;
  const fs::path& system = *systemFolder;
  std::error_code error;
  const std::optional<std::string> drives = DrivesFolder();
  const std::optional<std::string> zorbText = HostPath("c:\\zorb");
  if (!drives || !zorbText) {
    *reason = "neither WINTARVO_DRIVES nor HOME is set";
    return FirstStart::kFailed;
  }
  // Programs started from a c:\zorb\ of their own (the per-user installation
  // of the build) never make one.
  fs::path drivesPath = fs::weakly_canonical(*drives, error);
  if (error) drivesPath = fs::absolute(*drives, error);
  if (IsWithin(system, drivesPath)) return FirstStart::kNotSystem;

  const fs::path zorb = *zorbText;
  if (Exists(zorb)) return FirstStart::kFolderThere;
  const fs::path driveC = zorb.parent_path();
  fs::create_directories(driveC, error);
  if (error) {
    *reason = Describe(driveC, error);
    return FirstStart::kFailed;
  }
  // A name of this process alone; one left by an earlier process of the same
  // number that died half-way goes first.
  const fs::path fresh = driveC / (".zorb-" + std::to_string(getpid()));
  fs::remove_all(fresh, error);
  fs::create_directory(fresh, error);
  if (error) {
    *reason = Describe(fresh, error);
    return FirstStart::kFailed;
  }
  std::error_code cleanup;
  if (!Fill(system, fresh, true, reason)) {
    fs::remove_all(fresh, cleanup);
    return FirstStart::kFailed;
  }
  fs::rename(fresh, zorb, error);
  if (error) {
    fs::remove_all(fresh, cleanup);
    if (Exists(zorb)) return FirstStart::kFolderThere;  // another program was quicker
    *reason = Describe(zorb, error);
    return FirstStart::kFailed;
  }
  return FirstStart::kMade;
}

std::vector<BrokenLink> BrokenLinks() {
  std::vector<BrokenLink> broken;
  const std::optional<std::string> zorb = HostPath("c:\\zorb");
  if (!zorb) return broken;
  std::error_code error;
  fs::directory_iterator entries(*zorb, error);
  for (; !error && entries != fs::directory_iterator(); entries.increment(error)) {
    std::error_code entryError;
    if (!entries->is_symlink(entryError) || fs::exists(fs::status(entries->path(), entryError))) {
      continue;
    }
    broken.push_back({entries->path().filename().string(),
                      fs::read_symlink(entries->path(), entryError).string()});
  }
  std::sort(broken.begin(), broken.end(),
            [](const BrokenLink& a, const BrokenLink& b) { return a.name < b.name; });
  return broken;
}

std::vector<std::string> Relink(const std::vector<BrokenLink>& broken,
                                const std::string& programFolder) {
  std::vector<std::string> relinked;
  const std::optional<std::string> zorbText = HostPath("c:\\zorb");
  const std::optional<fs::path> system = SystemFolder(programFolder);
  if (!zorbText || !system) return relinked;
  const fs::path zorb = *zorbText;
  std::error_code error;
  for (const BrokenLink& link : broken) {
    const fs::path program = *system / link.name;
    const fs::file_status status = fs::status(program, error);
    if (!fs::is_regular_file(status) ||
        (status.permissions() & fs::perms::owner_exec) == fs::perms::none) {
      continue;
    }
    // Made beside it under a name of this process, then renamed over it, so
    // that the link is the old one or the new one at every moment.
    const fs::path fresh = zorb / ("." + link.name + "-" + std::to_string(getpid()));
    fs::remove(fresh, error);
    fs::create_symlink(program, fresh, error);
    if (!error) fs::rename(fresh, zorb / link.name, error);
    if (error) {
      std::error_code cleanup;
      fs::remove(fresh, cleanup);
      continue;
    }
    relinked.push_back(link.name);
  }
  return relinked;
}

std::string ProgramFolder() {
  std::error_code error;
  const fs::path program = fs::read_symlink("/proc/self/exe", error);
  if (error) return std::string();
  return program.parent_path().string();
}

namespace {

// What a c:\zorb\ left by a removed or moved package holds, relinked where the
// running installation can serve it, and told.
void TellBrokenLinks(std::string_view programName, const std::string& programFolder,
                     std::ostream& err) {
  const std::vector<BrokenLink> broken = BrokenLinks();
  if (broken.empty()) return;
  const std::string zorb = HostPath("c:\\zorb").value_or("");
  const std::vector<std::string> relinked = Relink(broken, programFolder);
  if (!relinked.empty()) {
    err << programName << ": c:\\zorb\\ (" << zorb << ") held links that led nowhere; now ";
    for (std::size_t i = 0; i < relinked.size(); ++i) err << (i ? ", " : "") << relinked[i];
    err << " lead" << (relinked.size() == 1 ? "s" : "") << " to " << programFolder << "\n";
  }
  std::string left;
  for (const BrokenLink& link : broken) {
    if (std::find(relinked.begin(), relinked.end(), link.name) != relinked.end()) continue;
    left += (left.empty() ? "" : ", ") + link.name + " -> " + link.target;
  }
  if (!left.empty()) {
    err << programName << ": c:\\zorb\\ (" << zorb
        << ") holds links that lead nowhere, left by a package that was removed or moved: "
        << left << "; reinstall the package, or remove those links\n";
  }
}

}  // namespace

void PrepareUserInstallation(std::string_view programName) {
  PrepareUserInstallation(programName, ProgramFolder(), std::cerr);
}

void PrepareUserInstallation(std::string_view programName, const std::string& programFolder,
                             std::ostream& err) {
  std::string reason;
  switch (MakeUserInstallation(programFolder, &reason)) {
    case FirstStart::kMade:
      err << programName << ": made the installation folder c:\\zorb\\ ("
          << HostPath("c:\\zorb").value_or("") << ") from " << programFolder << "\n";
      break;
    case FirstStart::kFailed:
      err << programName << ": could not make the installation folder c:\\zorb\\ from "
          << programFolder << " (" << reason << ")\n";
      break;
    case FirstStart::kNotSystem:
    case FirstStart::kFolderThere:
      TellBrokenLinks(programName, programFolder, err);
      break;
  }
}

}  // namespace wt
