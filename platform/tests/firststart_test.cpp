#include "platform/firststart.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <sstream>

#include "platform/testenv.h"
#include "platform/tests/tempdrives.h"
#include "platform/tests/testfolder.h"

namespace wt {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::WriteBytes;
using Names = std::set<std::string>;

Names NamesIn(const fs::path& folder) {
  Names names;
  for (const fs::directory_entry& e : fs::directory_iterator(folder)) {
    names.insert(e.path().filename().string());
  }
  return names;
}

// A system installation under a temporary folder, and a drives folder beside
// it named by WINTARVO_DRIVES.
class FirstStartTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(system_ / "sample");
    for (const char* program : kPrograms) {
      WriteBytes(system_ / program, std::string("program ") + program);
      fs::permissions(system_ / program, fs::perms::owner_exec, fs::perm_options::add);
    }
    WriteBytes(system_ / "sample/benz.in", "Titl benzene\r\n");
    WriteBytes(system_ / "wtarvo.ini", "c:\\zorb\\sample\\benz.in\r\n");
    WriteBytes(system_ / std::string(kSystemInstallMarker), "");
    drivesEnv_.Set(drives_.string());
  }
  void TearDown() override { fs::remove_all(dir_); }
  FirstStart Make(std::string* reason = nullptr) {
    return MakeUserInstallation(system_.string(), reason);
  }
  // What PrepareUserInstallation tells, started from `folder`.
  std::string Told(const fs::path& folder, const char* program = "Wintarvo") {
    std::ostringstream err;
    PrepareUserInstallation(program, folder.string(), err);
    return err.str();
  }

  static constexpr const char* kPrograms[] = {"Wintarvo", "xkryst", "wtplot"};
  // The system's sample file and settings, one after the other.
  static constexpr const char* kData = "Titl benzene\r\nc:\\zorb\\sample\\benz.in\r\n";
  const fs::path dir_ = FreshTestFolder("wt_firststart");
  const fs::path system_ = dir_ / "usr/lib/wintarvo/zorb";
  const fs::path drives_ = dir_ / "home/ana/.wintarvo";
  const fs::path zorb_ = drives_ / "drive_c/zorb";
  const ScopedEnvironment drivesEnv_{"WINTARVO_DRIVES"};
};

TEST_F(FirstStartTest, MakesTheFolderWithLinksToTheProgramsAndCopiesOfTheData) {
  EXPECT_EQ(Told(system_, "xkryst"), "xkryst: made the installation folder c:\\zorb\\ (" +
                                         zorb_.string() + ") from " + system_.string() + "\n");
  EXPECT_EQ(NamesIn(drives_ / "drive_c"), Names{"zorb"});
  EXPECT_EQ(NamesIn(zorb_), (Names{"Wintarvo", "sample", "wtarvo.ini", "wtplot", "xkryst"}));
  for (auto program : kPrograms) EXPECT_EQ(fs::read_symlink(zorb_ / program), system_ / program);
  // Copies of the user's own: written there, the system's stay as they were.
  EXPECT_EQ(ReadBytes(zorb_ / "sample/benz.in") + ReadBytes(zorb_ / "wtarvo.ini"), kData);
  WriteBytes(zorb_ / "sample/benz.in", "Titl mine\r\n");
  WriteBytes(zorb_ / "wtarvo.ini", "c:\\data\\mine.in\r\n");
  EXPECT_EQ(ReadBytes(system_ / "sample/benz.in") + ReadBytes(system_ / "wtarvo.ini"), kData);

  // Made once: then it is the user's, and nothing more is said.
  fs::remove(zorb_ / "wtplot");
  EXPECT_EQ(Make(), FirstStart::kFolderThere);
  EXPECT_EQ(Told(system_), "");
  EXPECT_EQ(NamesIn(zorb_), (Names{"Wintarvo", "sample", "wtarvo.ini", "xkryst"}));
}

TEST_F(FirstStartTest, OnlyASystemFolderOutsideTheDrivesFolderMakesIt) {
  EXPECT_EQ(MakeUserInstallation("", nullptr), FirstStart::kNotSystem);
  fs::remove(system_ / std::string(kSystemInstallMarker));
  EXPECT_EQ(Make(), FirstStart::kNotSystem);
  WriteBytes(system_ / std::string(kSystemInstallMarker), "");
  // The build's programs and a system folder inside the drives folder, however named.
  EXPECT_EQ(fs::path(ProgramFolder()), fs::canonical(WT_TEST_PROGRAM_FOLDER));
  for (const char* drives : {"usr/lib", "usr/lib/", "usr/lib/wintarvo/zorb/../.."}) {
    drivesEnv_.Set((dir_ / drives).string());
    EXPECT_EQ(Make(), FirstStart::kNotSystem) << drives;
  }
  EXPECT_FALSE(fs::exists(dir_ / "usr/lib/drive_c") || fs::exists(drives_));
  // A drives folder whose name only begins like a folder of the system path's is outside it.
  drivesEnv_.Set((dir_ / "usr/lib/wint").string());
  EXPECT_EQ(Make(), FirstStart::kMade);
}

TEST_F(FirstStartTest, AFolderThatCannotBeMadeIsToldAndNothingIsLeft) {
  const ScopedEnvironment home("HOME", std::nullopt);
  drivesEnv_.Set(std::nullopt);
  std::string reason;
  EXPECT_EQ(Make(&reason), FirstStart::kFailed);
  EXPECT_EQ(reason, "neither WINTARVO_DRIVES nor HOME is set");
  drivesEnv_.Set(drives_.string());
  fs::create_directories(drives_);
  WriteBytes(drives_ / "drive_c", "a file");
  EXPECT_EQ(Told(system_, "wtplot"),
            "wtplot: could not make the installation folder c:\\zorb\\ from " + system_.string() +
                " (" + (drives_ / "drive_c").string() + ": Not a directory)\n");
  EXPECT_EQ(NamesIn(drives_), Names{"drive_c"});
  EXPECT_EQ(Make(), FirstStart::kFailed);  // with no reason asked for

  // Folders nested so deep that their copies, under the longer drives path,
  // outgrow the longest path the system takes: the folder is whole or not at all.
  fs::path deep = system_ / "sample";
  while (deep.string().size() < 3700) deep /= std::string(200, 'd');
  fs::create_directories(deep);
  const fs::path drives = dir_ / std::string(250, 'w') / std::string(250, 'w');
  drivesEnv_.Set(drives.string());
  EXPECT_EQ(Make(&reason), FirstStart::kFailed);
  EXPECT_NE(reason.find(": File name too long"), std::string::npos) << reason;
  EXPECT_EQ(NamesIn(drives / "drive_c"), Names{});
}

TEST_F(FirstStartTest, LinksLeftByAPackageThatIsGoneAreToldAndRelinkedWhereTheyCanBe) {
  ASSERT_EQ(Make(), FirstStart::kMade);
  // The package is moved: every program link leads nowhere now.
  const fs::path moved = dir_ / "opt/wintarvo";
  fs::create_directories(moved.parent_path());
  fs::rename(system_, moved);
  std::vector<BrokenLink> gone;
  for (const char* name : {"Wintarvo", "wtplot", "xkryst"}) gone.push_back({name, system_ / name});
  EXPECT_EQ(BrokenLinks(), gone);
  const std::string left = "Wintarvo: c:\\zorb\\ (" + zorb_.string() +
                           ") holds links that lead nowhere, left by a package that was removed "
                           "or moved: ";
  const std::string reinstall = "; reinstall the package, or remove those links\n";

  // Started from outside any system installation: told, nothing changed.
  EXPECT_EQ(Told(dir_ / "build"), left + "Wintarvo -> " + gone[0].target + ", wtplot -> " +
                                      gone[1].target + ", xkryst -> " + gone[2].target + reinstall);
  EXPECT_EQ(BrokenLinks(), gone);

  // Started from the package where it is now, without one of its programs:
  // the others lead there, the user's files stay as they are.
  WriteBytes(zorb_ / "wtarvo.ini", "c:\\data\\mine.in\r\n");
  fs::remove(moved / "wtplot");
  EXPECT_EQ(Told(moved), "Wintarvo: c:\\zorb\\ (" + zorb_.string() +
                             ") held links that led nowhere; now Wintarvo, xkryst lead to " +
                             moved.string() + "\n" + left + "wtplot -> " + gone[1].target +
                             reinstall);
  for (auto name : {"Wintarvo", "xkryst"}) EXPECT_EQ(fs::read_symlink(zorb_ / name), moved / name);
  EXPECT_EQ(BrokenLinks(), std::vector<BrokenLink>{gone[1]});
  EXPECT_EQ(ReadBytes(zorb_ / "wtarvo.ini"), "c:\\data\\mine.in\r\n");
  EXPECT_EQ(NamesIn(zorb_), (Names{"Wintarvo", "sample", "wtarvo.ini", "wtplot", "xkryst"}));
}

}  // namespace
}  // namespace wt
