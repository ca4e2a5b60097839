#include "platform/firststart.h"
#include "platform/tests/testfolder.h"
#include "platform/testenv.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <sstream>

namespace wt {
namespace {

namespace fs = std::filesystem;

// A fake system installation under a temporary folder, and a drives folder
// beside it named by WINTARVO_DRIVES.
class FirstStartTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = FreshTestFolder("wt_firststart");
    system_ = dir_ / "usr/lib/wintarvo/zorb";
    drives_ = dir_ / "home/ana/.wintarvo";
    zorb_ = drives_ / "drive_c/zorb";
    fs::create_directories(system_ / "sample");
    for (const char* program : {"Wintarvo", "xkryst", "wtplot", "wtarvo.bat", "tarvo.exe"}) {
      Write(system_ / program, std::string("program ") + program);
      fs::permissions(system_ / program, fs::perms::owner_all | fs::perms::group_read |
                                             fs::perms::group_exec | fs::perms::others_read |
                                             fs::perms::others_exec);
    }
    Write(system_ / "temp64", "coordinates\r\n");
    Write(system_ / "zorb1.hgl", "IN;\r\n");
    Write(system_ / "wtarvo.ini", "c:\\zorb\\sample\\benz.in\r\n");
    Write(system_ / "sample/benz.in", "Titl benzene\r\n");
    Write(system_ / std::string(kSystemInstallMarker), "");
    drivesEnv_.Set(drives_.string());
  }
  void TearDown() override {
    fs::remove_all(dir_);
  }
  static void Write(const fs::path& p, const std::string& bytes) {
    std::ofstream(p, std::ios::binary) << bytes;
  }
  static std::string Read(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
  }
  static std::set<std::string> Names(const fs::path& folder) {
    std::set<std::string> names;
    for (const fs::directory_entry& e : fs::directory_iterator(folder)) {
      names.insert(e.path().filename().string());
    }
    return names;
  }
  FirstStart Make(std::string* reason = nullptr) {
    return MakeUserInstallation(system_.string(), reason);
  }

  fs::path dir_, system_, drives_, zorb_;
  const ScopedEnvironment drivesEnv_{"WINTARVO_DRIVES"};
  const ScopedEnvironment homeEnv_{"HOME"};
};

TEST_F(FirstStartTest, MakesTheFolderWithLinksToTheProgramsAndCopiesOfTheData) {
  ASSERT_EQ(Make(), FirstStart::kMade);
  EXPECT_EQ(Names(drives_ / "drive_c"), std::set<std::string>{"zorb"});
  EXPECT_EQ(Names(zorb_),
            (std::set<std::string>{"Wintarvo", "sample", "tarvo.exe", "temp64", "wtarvo.bat",
                                   "wtarvo.ini", "wtplot", "xkryst", "zorb1.hgl"}));
  for (const char* program : {"Wintarvo", "xkryst", "wtplot", "wtarvo.bat", "tarvo.exe"}) {
    ASSERT_TRUE(fs::is_symlink(zorb_ / program)) << program;
    EXPECT_EQ(fs::read_symlink(zorb_ / program), system_ / program);
  }
  for (const char* data : {"temp64", "zorb1.hgl", "wtarvo.ini", "sample/benz.in"}) {
    EXPECT_FALSE(fs::is_symlink(zorb_ / data)) << data;
    EXPECT_EQ(Read(zorb_ / data), Read(system_ / data)) << data;
  }
  EXPECT_EQ(Names(zorb_ / "sample"), std::set<std::string>{"benz.in"});
}

TEST_F(FirstStartTest, TheCopiesAreTheUsersOwn) {
  ASSERT_EQ(Make(), FirstStart::kMade);
  Write(zorb_ / "sample/benz.in", "Titl mine\r\n");
  Write(zorb_ / "sample/benz.cor", "written beside the dataset\r\n");
  EXPECT_EQ(Read(system_ / "sample/benz.in"), "Titl benzene\r\n");
  EXPECT_EQ(Names(system_ / "sample"), std::set<std::string>{"benz.in"});
}

TEST_F(FirstStartTest, AFolderAlreadyThereIsLeftAsItIs) {
  fs::create_directories(zorb_);
  Write(zorb_ / "wtarvo.ini", "mine\r\n");
  EXPECT_EQ(Make(), FirstStart::kFolderThere);
  EXPECT_EQ(Names(zorb_), std::set<std::string>{"wtarvo.ini"});
  EXPECT_EQ(Read(zorb_ / "wtarvo.ini"), "mine\r\n");
  EXPECT_EQ(Names(drives_ / "drive_c"), std::set<std::string>{"zorb"});

  // A link that leads nowhere is the user's too.
  fs::remove_all(zorb_);
  fs::create_directory_symlink(dir_ / "unmounted", zorb_);
  EXPECT_EQ(Make(), FirstStart::kFolderThere);
  EXPECT_TRUE(fs::is_symlink(zorb_));
}

TEST_F(FirstStartTest, WithoutTheMarkerNothingIsMade) {
  fs::remove(system_ / std::string(kSystemInstallMarker));
  EXPECT_EQ(Make(), FirstStart::kNotSystem);
  EXPECT_FALSE(fs::exists(drives_));
  EXPECT_EQ(MakeUserInstallation("", nullptr), FirstStart::kNotSystem);
  EXPECT_EQ(MakeUserInstallation((dir_ / "nowhere").string(), nullptr), FirstStart::kNotSystem);
  EXPECT_FALSE(fs::exists(drives_));
}

TEST_F(FirstStartTest, ProgramsInsideTheDrivesFolderMakeNothing) {
  // A system folder inside the drives folder, marker and all.
  drivesEnv_.Set((dir_ / "usr/lib").string());
  EXPECT_EQ(Make(), FirstStart::kNotSystem);
  EXPECT_FALSE(fs::exists(dir_ / "usr/lib/drive_c"));
  drivesEnv_.Set((dir_ / "usr/lib/").string());
  EXPECT_EQ(Make(), FirstStart::kNotSystem);
  drivesEnv_.Set((dir_ / "usr/lib/wintarvo/zorb/../..").string());
  EXPECT_EQ(Make(), FirstStart::kNotSystem);
  EXPECT_FALSE(fs::exists(dir_ / "usr/lib/drive_c"));

  // A folder whose name only begins like the drives folder's is outside it.
  drivesEnv_.Set((dir_ / "usr/lib/wint").string());
  EXPECT_EQ(Make(), FirstStart::kMade);
  EXPECT_TRUE(fs::is_symlink(dir_ / "usr/lib/wint/drive_c/zorb/xkryst"));
}

TEST_F(FirstStartTest, DriveCThatCannotBeMadeIsReportedAndNothingIsLeft) {
  fs::create_directories(drives_);
  Write(drives_ / "drive_c", "a file");
  std::string reason;
  EXPECT_EQ(Make(&reason), FirstStart::kFailed);
  EXPECT_EQ(reason, (drives_ / "drive_c").string() + ": Not a directory");
  EXPECT_EQ(Names(drives_), std::set<std::string>{"drive_c"});
  EXPECT_EQ(Make(nullptr), FirstStart::kFailed);
}

TEST_F(FirstStartTest, AFailureHalfWayLeavesNoFolder) {
  // Folders nested so deep that their copies, under the longer drives path,
  // outgrow the longest path the system takes.
  fs::path deep = system_ / "sample";
  const std::string level(200, 'd');
  while (deep.string().size() + level.size() + 1 < 3900) deep /= level;
  fs::create_directories(deep);
  const fs::path drives = dir_ / std::string(250, 'w') / std::string(250, 'w');
  drivesEnv_.Set(drives.string());
  std::string reason;
  EXPECT_EQ(Make(&reason), FirstStart::kFailed);
  EXPECT_NE(reason.find(": File name too long"), std::string::npos) << reason;
  EXPECT_EQ(Names(drives / "drive_c"), std::set<std::string>{});
}

TEST_F(FirstStartTest, NoDrivesFolderIsReported) {
  drivesEnv_.Set(std::nullopt);
  homeEnv_.Set(std::nullopt);
  std::string reason;
  EXPECT_EQ(Make(&reason), FirstStart::kFailed);
  EXPECT_EQ(reason, "neither WINTARVO_DRIVES nor HOME is set");
}

TEST_F(FirstStartTest, WhatWasDoneIsToldInOneLine) {
  std::ostringstream err;
  PrepareUserInstallation("xkryst", system_.string(), err);
  EXPECT_EQ(err.str(), "xkryst: made the installation folder c:\\zorb\\ (" + zorb_.string() +
                           ") from " + system_.string() + "\n");
  err.str("");
  PrepareUserInstallation("xkryst", system_.string(), err);
  EXPECT_EQ(err.str(), "");

  fs::remove_all(drives_);
  fs::create_directories(drives_);
  Write(drives_ / "drive_c", "a file");
  PrepareUserInstallation("wtplot", system_.string(), err);
  EXPECT_EQ(err.str(), "wtplot: could not make the installation folder c:\\zorb\\ from " +
                           system_.string() + " (" + (drives_ / "drive_c").string() +
                           ": Not a directory)\n");
}

TEST_F(FirstStartTest, LinksLeftByAPackageThatIsGoneAreToldAndRelinkedWhereTheyCanBe) {
  ASSERT_EQ(Make(), FirstStart::kMade);
  Write(zorb_ / "wtarvo.ini", "c:\\data\\mine.in\r\n");
  // The package is moved: every program link leads nowhere now.
  const fs::path moved = dir_ / "opt/wintarvo";
  fs::create_directories(moved.parent_path());
  fs::rename(system_, moved);
  const std::vector<BrokenLink> gone = {
      {"Wintarvo", (system_ / "Wintarvo").string()}, {"tarvo.exe", (system_ / "tarvo.exe").string()},
      {"wtarvo.bat", (system_ / "wtarvo.bat").string()}, {"wtplot", (system_ / "wtplot").string()},
      {"xkryst", (system_ / "xkryst").string()}};
  EXPECT_EQ(BrokenLinks(), gone);

  // Started from outside any system installation: told, nothing changed.
  std::ostringstream err;
  PrepareUserInstallation("xkryst", (dir_ / "build").string(), err);
  std::string names;
  for (const BrokenLink& link : gone) {
    names += (names.empty() ? "" : ", ") + link.name + " -> " + link.target;
  }
  EXPECT_EQ(err.str(), "xkryst: c:\\zorb\\ (" + zorb_.string() +
                           ") holds links that lead nowhere, left by a package that was removed "
                           "or moved: " +
                           names + "; reinstall the package, or remove those links\n");
  EXPECT_EQ(BrokenLinks(), gone);

  // Started from the package where it is now, without one of its programs:
  // the others lead there, the user's files stay as they are.
  fs::remove(moved / "wtplot");
  err.str("");
  PrepareUserInstallation("Wintarvo", moved.string(), err);
  EXPECT_EQ(err.str(), "Wintarvo: c:\\zorb\\ (" + zorb_.string() +
                           ") held links that led nowhere; now Wintarvo, tarvo.exe, wtarvo.bat, "
                           "xkryst lead to " +
                           moved.string() + "\n" + "Wintarvo: c:\\zorb\\ (" + zorb_.string() +
                           ") holds links that lead nowhere, left by a package that was removed "
                           "or moved: wtplot -> " +
                           (system_ / "wtplot").string() +
                           "; reinstall the package, or remove those links\n");
  for (const char* program : {"Wintarvo", "xkryst", "wtarvo.bat", "tarvo.exe"}) {
    EXPECT_EQ(fs::read_symlink(zorb_ / program), moved / program) << program;
  }
  EXPECT_EQ(BrokenLinks(), (std::vector<BrokenLink>{{"wtplot", (system_ / "wtplot").string()}}));
  EXPECT_EQ(Read(zorb_ / "wtarvo.ini"), "c:\\data\\mine.in\r\n");
  EXPECT_EQ(Names(zorb_),
            (std::set<std::string>{"Wintarvo", "sample", "tarvo.exe", "temp64", "wtarvo.bat",
                                   "wtarvo.ini", "wtplot", "xkryst", "zorb1.hgl"}));
  err.str("");
  fs::remove(zorb_ / "wtplot");
  PrepareUserInstallation("Wintarvo", moved.string(), err);
  EXPECT_EQ(err.str(), "");
}

TEST_F(FirstStartTest, ProgramsOfTheBuildFolderMakeNothing) {
  EXPECT_EQ(fs::path(ProgramFolder()), fs::canonical(WT_TEST_PROGRAM_FOLDER));
  testing::internal::CaptureStderr();
  PrepareUserInstallation("wt_platform_tests");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  EXPECT_FALSE(fs::exists(drives_));
}

}  // namespace
}  // namespace wt
