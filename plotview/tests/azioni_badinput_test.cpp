// The viewer's window on bad input: plot files that cannot be opened, odd
// plot files, and a bitmap that cannot be saved. What the user sees: the
// picture and the message boxes. docs/bad-input.md lists these cases.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QImage>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/recorder.h"
#include "platform/tests/noaccess.h"
#include "platform/tests/testfolder.h"
#include "plotview/azioni.h"

namespace wt::plot {
namespace {

namespace fs = std::filesystem;

class AzioniBadInputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = FreshTestFolder("wt_azioni_bad");
    previousFolder_ = fs::current_path();
    fs::current_path(folder_);
  }
  void TearDown() override {
    azioni_.reset();
    fs::current_path(previousFolder_);
    fs::remove_all(folder_);
  }

  static void Write(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }
  static std::string Read(const fs::path& path) {
    std::ostringstream bytes;
    bytes << std::ifstream(path, std::ios::binary).rdbuf();
    return bytes.str();
  }

  // Starts the viewer in window mode on `path`; the picture it shows.
  QImage Show(const std::string& path) {
    desktop_.Clear();
    azioni_ = std::make_unique<Azioni>(desktop_, [](std::string* reason) {
      *reason = "No printer is installed";
      return std::unique_ptr<gdi::PrintJob>();
    });
    azioni_->Start({path, false});
    return azioni_->Window().hpglout->Image();
  }
  QImage ShowBytes(const std::string& bytes) {
    Write("plot.hgl", bytes);
    return Show("plot.hgl");
  }
  QImage Empty() {
    QImage empty = Show("");
    desktop_.Clear();
    return empty;
  }
  // The message boxes shown, one a line: "TITLE/ICON: TEXT".
  std::string Messages() const {
    std::string log;
    for (const Message& m : desktop_.Messages()) {
      if (!log.empty()) log += '\n';
      log += m.title + (m.icon == MessageIcon::Critical ? "/stop: " : "/-: ") + m.text;
    }
    return log;
  }

  fs::path folder_, previousFolder_;
  Recorder desktop_;
  std::unique_ptr<Azioni> azioni_;
};

// A plot that draws something in every pen and scale it sets.
const std::string kPlot =
    "IN;\r\nIP 0,0,10430,8000;\r\nSC 0,1000,0,800;\r\nSP1;\r\nPU 50,50;\r\nPD 950,50;\r\n"
    "PD 950,750;\r\nSP9;\r\nPU 100,100;\r\nPD 900,700;\r\n";

TEST_F(AzioniBadInputTest, AFileThatCannotBeOpenedIsNotFoundAndThePictureStaysEmpty) {
  const QImage empty = Empty();
  fs::create_directory("folder.hgl");
  ASSERT_EQ(mkfifo("pipe.hgl", 0644), 0);
  Write("secret.hgl", kPlot);
  for (const std::string path : {"missing.hgl", "folder.hgl", "pipe.hgl", "/dev/zero", ""}) {
    EXPECT_EQ(Show(path), empty) << path;
    EXPECT_EQ(Messages(), "/-: 001 File not found") << path;
  }
  {
    testing::NoAccess closed({folder_ / "secret.hgl"}, {});
    EXPECT_EQ(Show("secret.hgl"), empty);
  }
  EXPECT_EQ(Messages(), "/-: 001 File not found");
  // A drive path while neither WINTARVO_DRIVES nor HOME says where drives are.
  const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
  unsetenv("HOME");
  unsetenv("WINTARVO_DRIVES");
  EXPECT_EQ(Show("c:\\zorb\\zorb1.hgl"), empty);
  setenv("HOME", home.c_str(), 1);
  EXPECT_EQ(Messages(), "/-: 001 File not found");
}

TEST_F(AzioniBadInputTest, EmptyAndBinaryFilesDrawNothing) {
  const QImage empty = Empty();
  std::string binary;
  for (int round = 0; round < 4; ++round) {
    for (int byte = 0; byte < 256; ++byte) binary += static_cast<char>(byte);
  }
  for (const std::string& bytes : {std::string(), binary, std::string("\0\0\0\0", 4)}) {
    EXPECT_EQ(ShowBytes(bytes), empty);
    EXPECT_EQ(Messages(), "");
  }
}

TEST_F(AzioniBadInputTest, LineEndsLongLinesAndNulBytesDrawTheSamePicture) {
  const QImage expected = ShowBytes(kPlot);
  ASSERT_NE(expected, Empty());
  std::string lf, cr, longLines, nul;
  const std::string megabyte(std::size_t{1} << 20, ' ');
  for (std::size_t start = 0, end; (end = kPlot.find("\r\n", start)) != std::string::npos;
       start = end + 2) {
    const std::string line = kPlot.substr(start, end - start);
    lf += line + "\n";
    cr += line + "\r";
    // A megabyte of blanks after every line, and a line of a megabyte that
    // is no command between every two.
    longLines += line + megabyte + "\r\nLB" + megabyte + "\r\n";
    // A NUL byte ends a number and glues to a mnemonic; a line that begins
    // with one is no command.
    std::string odd = line;
    if (odd.starts_with("PD") || odd.starts_with("PU")) odd.insert(odd.find(','), 1, '\0');
    nul += odd + "\r\n" + std::string("\0PD 0,0\r\n", 9);
  }
  for (const std::string* variant : {&lf, &cr, &longLines, &nul}) {
    EXPECT_EQ(ShowBytes(*variant), expected) << variant->substr(0, 40);
    EXPECT_EQ(Messages(), "");
  }
}

TEST_F(AzioniBadInputTest, LinesThatCannotBeTakenAreSkipped) {
  const QImage expected = ShowBytes(kPlot);
  // Numbers beyond 16 bits (65636 is not 100), a plot line of a million
  // tokens of which only the first pair counts, SC with a zero range, and
  // commands without their parameters.
  std::string tokens = "PD 900,700";
  for (int i = 0; i < 1000000; ++i) tokens += ",7";
  const std::string odd = kPlot + "PD 65636,100;\r\nPU 40000,-40000\r\nIP 0,0,70000,8000\r\n" +
                          "SC 0,0,0,800\r\nSC 5,1000,9,9\r\nPD\r\nPU 10\r\nIP 1,2,3\r\n" +
                          "SP\xff\r\n" + tokens + "\r\n";
  EXPECT_EQ(ShowBytes("SP9\r\nSC 0,0,0,800\r\n" + odd + "SP9\r\n"), expected);
  EXPECT_EQ(Messages(), "");
  // The same lines with numbers that fit do draw.
  EXPECT_NE(ShowBytes(kPlot + "PD 100,700;\r\n"), expected);
}

TEST_F(AzioniBadInputTest, ALineLongerThan64MiBIsReportedAfterTheLinesBefore) {
  const QImage expected = ShowBytes(kPlot);
  Write("plot.hgl", kPlot);
  fs::resize_file("plot.hgl", kPlot.size() + (std::uintmax_t{64} << 20) + 1);
  EXPECT_EQ(Show("plot.hgl"), expected);
  EXPECT_EQ(Messages(), "Warning/stop: File plot.hgl cannot be read: a line is longer than 64 MiB");
}

TEST_F(AzioniBadInputTest, PathsWithQuotesAndOtherCharacters) {
  Write("plot.hgl", kPlot);
  const QImage expected = Show("plot.hgl");
  for (const std::string name : {"\"plot\".hgl", "it's$HOME;&|*.hgl", "pl\xc3\xb6t.hgl"}) {
    Write(name, kPlot);
    EXPECT_EQ(Show(name), expected) << name;
  }
  // A blank ends the first word of the command line: the file is "my".
  Write("my plot.hgl", kPlot);
  EXPECT_EQ(ChooseStart("my plot.hgl"), (StartChoice{"my", false}));
  const QImage empty = Empty();
  EXPECT_EQ(Show(ChooseStart("my plot.hgl").plotFile), empty);
  EXPECT_EQ(Messages(), "/-: 001 File not found");
}

TEST_F(AzioniBadInputTest, ABitmapThatCannotBeSavedKeepsTheOldOne) {
  ShowBytes(kPlot);
  Write("wtplotr.bmp", "old");
  const std::string failed = "Warning/stop: File wtplotr.bmp cannot be written: ";
  {
    testing::NoAccess closed({}, {folder_});
    azioni_->Window().save_menu->trigger();
  }
  EXPECT_EQ(Messages(), failed + "Permission denied");
  EXPECT_EQ(Read("wtplotr.bmp"), "old");

  // Full: a file size limit fails the write as a full disk would.
  desktop_.Clear();
  rlimit limit;
  getrlimit(RLIMIT_FSIZE, &limit);
  const rlimit small{1000, limit.rlim_max};
  auto* const kept = signal(SIGXFSZ, SIG_IGN);
  setrlimit(RLIMIT_FSIZE, &small);
  azioni_->Window().save_menu->trigger();
  setrlimit(RLIMIT_FSIZE, &limit);
  signal(SIGXFSZ, kept);
  EXPECT_EQ(Messages(), failed + "File too large");
  EXPECT_EQ(Read("wtplotr.bmp"), "old");

  // The current folder is gone.
  desktop_.Clear();
  fs::remove_all(folder_);
  azioni_->Window().save_menu->trigger();
  EXPECT_EQ(Messages(), failed + "No such file or directory");
}

}  // namespace
}  // namespace wt::plot
