#include "frontend/settings.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace wt {
namespace {

namespace fs = std::filesystem;

class SettingsFile : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("wt_settings_" + std::to_string(getpid()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_ / "drive_c" / "zorb");
    setenv("WINTARVO_DRIVES", dir_.c_str(), 1);
  }
  void TearDown() override {
    unsetenv("WINTARVO_DRIVES");
    fs::remove_all(dir_);
  }

  void Write(const std::string& bytes) {
    std::ofstream(dir_ / "drive_c" / "zorb" / "wtarvo.ini", std::ios::binary) << bytes;
  }
  std::string Read() {
    std::ifstream in(dir_ / "drive_c" / "zorb" / "wtarvo.ini", std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
  }
  static void ExpectSettings(const Settings& s, const std::string& input,
                             const EditorCommandSlots& editors) {
    EXPECT_EQ(s.InputPath, input);
    EXPECT_EQ(s.EditorCommands, editors);
  }

  const EditorCommandSlots defaults_{"notepad ", "notepad ", "notepad ", "notepad "};
  fs::path dir_;
};

TEST_F(SettingsFile, MissingFileGivesTheDefaults) {
  ExpectSettings(LoadSettings(kSettingsFile), "", defaults_);
  EXPECT_EQ(DefaultEditorCommands(), defaults_);
}

TEST_F(SettingsFile, FiveLinesTakenWholeAndLaterLinesIgnored) {
  Write(" c:\\my data\\benz.in \r\nc:\\tools\\edit.exe\r\n\r\n\tslot 2\t\r\nslot 3 \r\nextra\r\n");
  ExpectSettings(LoadSettings(kSettingsFile), " c:\\my data\\benz.in ",
                 {"c:\\tools\\edit.exe", "", "\tslot 2\t", "slot 3 "});
}

TEST_F(SettingsFile, ShortFileGivesDefaultsForTheMissingLines) {
  Write("c:\\data\\benz.in\r\nvi\r\n");
  ExpectSettings(LoadSettings(kSettingsFile), "c:\\data\\benz.in",
                 {"vi", "notepad ", "notepad ", "notepad "});
  Write("");
  ExpectSettings(LoadSettings(kSettingsFile), "", defaults_);
  Write("c:\\data\\benz.in");  // no line end at all
  ExpectSettings(LoadSettings(kSettingsFile), "c:\\data\\benz.in", defaults_);
}

TEST_F(SettingsFile, BareLineFeedsAreLineEndsToo) {
  Write("c:\\data\\benz.in\nvi\nemacs\na\nb\n");
  ExpectSettings(LoadSettings(kSettingsFile), "c:\\data\\benz.in", {"vi", "emacs", "a", "b"});
}

TEST_F(SettingsFile, SavedAsFiveLinesWithCrLf) {
  std::string reason;
  ASSERT_TRUE(SaveSettings({"c:\\data\\benz.in"}, kSettingsFile, &reason)) << reason;
  EXPECT_EQ(Read(), "c:\\data\\benz.in\r\nnotepad \r\nnotepad \r\nnotepad \r\nnotepad \r\n");
  ASSERT_TRUE(SaveSettings({}, kSettingsFile, &reason)) << reason;
  EXPECT_EQ(Read(), "\r\nnotepad \r\nnotepad \r\nnotepad \r\nnotepad \r\n");
}

TEST_F(SettingsFile, OddLinesSurviveARoundTrip) {
  const std::string odd = "c:\\data\\benz.txt\r\n  \r\nvi \r\n\t\x01\xe9 ;|&\"\r\n\r\n";
  Write(odd);
  std::string reason;
  ASSERT_TRUE(SaveSettings(LoadSettings(kSettingsFile), kSettingsFile, &reason)) << reason;
  EXPECT_EQ(Read(), odd);
}

TEST_F(SettingsFile, MissingFolderIsReported) {
  fs::remove_all(dir_ / "drive_c");
  std::string reason;
  EXPECT_FALSE(SaveSettings({"c:\\data\\benz.in"}, kSettingsFile, &reason));
  EXPECT_EQ(reason, "No such file or directory");
}

}  // namespace
}  // namespace wt
