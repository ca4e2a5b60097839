// The settings file c:\zorb\wtarvo.ini, also when it is missing, odd or cannot
// be written. docs/bad-input.md lists these cases with what the user sees.
#include "frontend/settings.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

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

// Saved, a value ends at its first line break, which would otherwise shift
// the values after it.
TEST_F(SettingsFileTest, AnyBytesButLineBreaksAreKeptAsTheyAre) {
  const std::string binary("\0\x01\xff\xe9 \t\x7f\"'&|<>%$;", 16);
  const std::string file =
      "c:\\a.in\r\n" + binary + "\r\n" + std::string(1 << 20, ' ') + "\r\n\r\nvi\r\n";
  Write(file);
  ASSERT_TRUE(SaveSettings(LoadSettings(kSettingsFile), kSettingsFile, nullptr));
  EXPECT_EQ(Read(), file);
  ASSERT_TRUE(SaveSettings({"c:\\a.in\nc:\\x", {"vi\r\n-x", "\rvi", " a\tb ", "\n"}}, kSettingsFile,
                           nullptr));
  EXPECT_EQ(Read(), "c:\\a.in\r\nvi\r\n\r\n a\tb \r\n\r\n");

  // A line beyond what the reader holds (64 MiB) ends the reading: the values
  // before it stay, the rest are defaults.
  Write("c:\\a.in\r\n");
  fs::resize_file(file_, std::uintmax_t{65} << 20);
  EXPECT_EQ(Loaded(), "c:\\a.in" + kDefaults);
}

TEST_F(SettingsFileTest, AFailedSaveSaysWhyAndKeepsTheOldFile) {
  Write("old\r\n");
  std::string reason;
  {
    testing::NoAccess closed({}, {zorb_});
    EXPECT_FALSE(SaveSettings({"c:\\data\\benz.in"}, kSettingsFile, &reason));
  }
  EXPECT_EQ(reason, "Permission denied");
  EXPECT_EQ(Read(), "old\r\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(zorb_), {}), 1);  // no temporary file
}

}  // namespace
}  // namespace wt
