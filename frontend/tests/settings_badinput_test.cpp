// The settings file c:\zorb\wtarvo.ini when it is missing, odd or cannot be
// written, and when the program is killed while it writes it.
// docs/bad-input.md lists these cases with what the user sees.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <optional>

#include "frontend/settings.h"
#include "frontend/wtrvg.h"
#include "platform/tests/killwhilewriting.h"
#include "platform/tests/noaccess.h"
#include "platform/tests/testfolder.h"
#include "platform/testenv.h"
#include "platform/tests/tempdrives.h"

namespace wt {
namespace {

namespace fs = std::filesystem;

class SettingsFileTest : public ::testing::Test {
 protected:
  void Write(const std::string& bytes) const { std::ofstream(file_, std::ios::binary) << bytes; }
  std::string Read() const {
    std::ostringstream bytes;
    bytes << std::ifstream(file_, std::ios::binary).rdbuf();
    return bytes.str();
  }
  // The values as one text: input path | slot 0 | slot 1 | slot 2 | slot 3.
  static std::string Values(const Settings& s) {
    return s.InputPath + "|" + s.EditorCommands[0] + "|" + s.EditorCommands[1] + "|" +
           s.EditorCommands[2] + "|" + s.EditorCommands[3];
  }
  static std::string Loaded() { return Values(LoadSettings(kSettingsFile)); }
  static bool Save(const Settings& settings, std::string* reason = nullptr) {
    return SaveSettings(settings, kSettingsFile, reason);
  }

  const testing::TempDrives drives_;
  const fs::path zorb_ = drives_.Zorb("");
  const fs::path file_ = zorb_ / "wtarvo.ini";
};

const std::string kDefaults = "|notepad |notepad |notepad |notepad ";

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

TEST_F(SettingsFileTest, MissingLinesKeepTheirDefaults) {
  const std::pair<std::string, std::string> cases[] = {
      {"", kDefaults},
      {"\r\n", kDefaults},
      {"c:\\data\\benz.in", "c:\\data\\benz.in|notepad |notepad |notepad |notepad "},
      {"c:\\a.in\r\nvi \r\n", "c:\\a.in|vi |notepad |notepad |notepad "},
      {"c:\\a.in\r\nvi\r\nemacs\r\n", "c:\\a.in|vi|emacs|notepad |notepad "},
      {"c:\\a.in\r\n\r\n\r\n\r\n", "c:\\a.in||||notepad "},
      // Lines ended by CR alone or by LF alone are lines all the same.
      {"c:\\a.in\rvi\rvi\rx\ry\r", "c:\\a.in|vi|vi|x|y"},
      {"c:\\a.in\nvi\n\nx\ny\nsixth\n", "c:\\a.in|vi||x|y"}};
  for (const auto& [file, values] : cases) {
    Write(file);
    EXPECT_EQ(Loaded(), values) << file;
    // The next save writes all five lines.
    ASSERT_TRUE(Save(LoadSettings(kSettingsFile)));
    std::string expected;
    for (std::size_t start = 0, bar; start <= values.size(); start = bar + 1) {
      bar = values.find('|', start);
      if (bar == std::string::npos) bar = values.size();
      expected += values.substr(start, bar - start) + "\r\n";
    }
    EXPECT_EQ(Read(), expected) << file;
  }
}

TEST_F(SettingsFileTest, LongLinesAndAnyBytesAreKeptAsTheyAre) {
  const std::string megabyte = "c:\\" + std::string(std::size_t{1} << 20, 'd') + "\\benz.in";
  const std::string binary("\0\x01\xff\xe9 \t\x7f\"'&|<>%$;", 16);
  const std::string file =
      megabyte + "\r\n" + binary + "\r\n" + std::string(1 << 20, ' ') + "\r\nvi\r\nvi\r\n";
  Write(file);
  const Settings loaded = LoadSettings(kSettingsFile);
  EXPECT_EQ(loaded.InputPath, megabyte);
  EXPECT_EQ(loaded.EditorCommands[0], binary);
  ASSERT_TRUE(Save(loaded));
  EXPECT_EQ(Read(), file);

  // A line beyond what the reader holds (64 MiB) ends the reading: the values
  // before it stay, the rest are defaults.
  Write("c:\\a.in\r\n");
  fs::resize_file(file_, std::uintmax_t{65} << 20);
  EXPECT_EQ(Loaded(), "c:\\a.in" + kDefaults);
}

TEST_F(SettingsFileTest, AFailedSaveSaysWhyAndKeepsTheOldFile) {
  const Settings settings{"c:\\data\\benz.in", DefaultEditorCommands()};
  Write("old\r\n");
  std::string reason;
  {
    testing::NoAccess closed({}, {zorb_});
    EXPECT_FALSE(Save(settings, &reason));
    EXPECT_EQ(reason, "Permission denied");
  }
  EXPECT_EQ(Read(), "old\r\n");

  // Full: a file size limit fails the write as a full disk would.
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{16, 16};
    setrlimit(RLIMIT_FSIZE, &limit);
    std::string why;
    _exit(!Save(settings, &why) && why == "File too large" ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_EQ(Read(), "old\r\n");
  EXPECT_EQ(testing::Temporaries(zorb_).size(), 0u);

  fs::remove(file_);
  fs::create_directory(file_);
  EXPECT_FALSE(Save(settings, &reason));
  EXPECT_EQ(reason, "Is a directory");
  fs::remove_all(zorb_);
  EXPECT_FALSE(Save(settings, &reason));
  EXPECT_EQ(reason, "No such file or directory");
}

}  // namespace
}  // namespace wt
