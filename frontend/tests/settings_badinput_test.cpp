// The settings file c:\zorb\wtarvo.ini when it is missing, odd or cannot be
// written. docs/bad-input.md lists these cases with what the user sees.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "frontend/settings.h"
#include "frontend/wtrvg.h"
#include "platform/tests/killwhilewriting.h"
#include "platform/tests/noaccess.h"
#include "platform/tests/tempdrives.h"

namespace wt {
namespace {

namespace fs = std::filesystem;

const std::string kDefaults = "|notepad |notepad |notepad |notepad ";

class SettingsFileTest : public ::testing::Test {
 protected:
  // The values as one text: input path | slot 0 | slot 1 | slot 2 | slot 3.
  static std::string Loaded() {
    const Settings s = LoadSettings(kSettingsFile);
    return s.InputPath + "|" + s.EditorCommands[0] + "|" + s.EditorCommands[1] + "|" +
           s.EditorCommands[2] + "|" + s.EditorCommands[3];
  }
  void Write(const std::string& bytes) const { drives_.Write("wtarvo.ini", bytes); }
  std::string Read() const { return drives_.Read("wtarvo.ini"); }

  const testing::TempDrives drives_;
  const fs::path zorb_ = drives_.Zorb("");
  const fs::path file_ = zorb_ / "wtarvo.ini";
};

TEST_F(SettingsFileTest, AFileThatCannotBeReadGivesTheDefaults) {
  EXPECT_EQ(Loaded(), kDefaults);  // missing
  fs::create_directory(file_);
  EXPECT_EQ(Loaded(), kDefaults);
  fs::remove(file_);
  ASSERT_EQ(mkfifo(file_.c_str(), 0644), 0);
  EXPECT_EQ(Loaded(), kDefaults);  // no wait for a writer
  fs::remove(file_);
  Write("c:\\data\\benz.in\r\nvi\r\nvi\r\nvi\r\nvi\r\n");
  {
    testing::NoAccess closed({file_}, {});
    EXPECT_EQ(Loaded(), kDefaults);
  }
  EXPECT_EQ(Loaded(), "c:\\data\\benz.in|vi|vi|vi|vi");
}

// Blanks and empty lines are values; lines ended by CR alone or LF alone are
// lines all the same; a sixth line is ignored.
TEST_F(SettingsFileTest, MissingLinesKeepTheirDefaults) {
  const std::pair<std::string, std::string> cases[] = {
      {"", kDefaults},
      {"c:\\a.in\r\nvi \r\n\r\n", "c:\\a.in|vi ||notepad |notepad "},
      {"c:\\a.in\rvi\rvi\rx\ry", "c:\\a.in|vi|vi|x|y"},
      {"c:\\a.in\nvi\n\nx\ny\nsixth\n", "c:\\a.in|vi||x|y"}};
  for (const auto& [file, values] : cases) {
    Write(file);
    EXPECT_EQ(Loaded(), values) << file;
  }
}

TEST_F(SettingsFileTest, LongLinesAndAnyBytesAreKeptAsTheyAre) {
  const std::string binary("\0\x01\xff\xe9 \t\x7f\"'&|<>%$;", 16);
  const std::string file =
      "c:\\a.in\r\n" + binary + "\r\n" + std::string(1 << 20, ' ') + "\r\n\r\nvi\r\n";
  Write(file);
  ASSERT_TRUE(SaveSettings(LoadSettings(kSettingsFile), kSettingsFile, nullptr));
  EXPECT_EQ(Read(), file);

  // A line beyond what the reader holds (64 MiB) ends the reading: the values
  // before it stay, the rest are defaults.
  Write("c:\\a.in\r\n");
  fs::resize_file(file_, std::uintmax_t{65} << 20);
  EXPECT_EQ(Loaded(), "c:\\a.in" + kDefaults);
}

TEST_F(SettingsFileTest, AFailedSaveSaysWhyAndKeepsTheOldFile) {
  const Settings settings{"c:\\data\\benz.in", DefaultEditorCommands()};
  auto failure = [&] {
    std::string reason;
    EXPECT_FALSE(SaveSettings(settings, kSettingsFile, &reason));
    return reason;
  };
  Write("old\r\n");
  {
    testing::NoAccess closed({}, {zorb_});
    EXPECT_EQ(failure(), "Permission denied");
  }
  {
    const testing::FullDisk full(16);
    EXPECT_EQ(failure(), "File too large");
  }
  EXPECT_EQ(Read(), "old\r\n");
  EXPECT_EQ(testing::Temporaries(zorb_).size(), 0u);

  fs::remove(file_);
  fs::create_directory(file_);
  EXPECT_EQ(failure(), "Is a directory");
  fs::remove_all(zorb_);
  EXPECT_EQ(failure(), "No such file or directory");
}

}  // namespace
}  // namespace wt
