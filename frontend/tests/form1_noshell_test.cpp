// The front end starting real programs: a dataset name, a dataset folder and
// an editor command full of what a shell would act on reach the programs
// literally, since no shell is ever involved (Linux).
#include <unistd.h>

#include <QAction>
#include <QPushButton>
#include <memory>
#include <optional>

#include "frontend/form1.h"
#include "frontend/tests/window_fixture.h"
#include "platform/process.h"
#include "platform/tests/probereport.h"
#include "platform/testenv.h"

namespace wt {
namespace {

namespace fs = std::filesystem;

// Logs every request like the recorder, and then really starts programs and
// changes the current folder.
class StartingDesktop : public Recorder {
 public:
  bool StartProgram(const std::string& commandLine, WindowRequest window,
                    std::string* reason) override {
    Recorder::StartProgram(commandLine, window, reason);
    return StartCommandLine(commandLine, window, reason);
  }
  bool SetCurrentFolder(const std::string& folder, std::string* reason) override {
    Recorder::SetCurrentFolder(folder, reason);
    return ChangeCurrentFolder(folder, reason);
  }
};

class Form1NoShellTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    inFolder_.emplace(fs::current_path());  // the test moves; this puts it back
    // The batch file, the computation program and the converter are all
    // the probe, which writes its folder, its tail and its arguments after
    // the first into the file its first argument names.
    for (const char* name : {"wtarvo.bat", "tarvo.exe", "xkryst"}) {
      fs::copy_file(WT_PROCESS_PROBE, dir_ / "drive_c" / "zorb" / name);
    }
  }
  void TearDown() override {
    inFolder_.reset();
    WindowTest::TearDown();
  }
  // The report the probe writes into `file`, once it is there.
  static std::vector<std::string> Report(const fs::path& file) {
    std::vector<std::string> lines = WaitForProbeReport(file);
    fs::remove(file);
    return lines;
  }
  // Any file a shell would have made, anywhere under the drives folder.
  std::vector<std::string> Made() const {
    std::vector<std::string> made;
    for (const auto& entry : fs::recursive_directory_iterator(dir_)) {
      if (entry.path().filename().string().starts_with("pwned")) made.push_back(entry.path());
    }
    return made;
  }

  std::optional<ScopedCurrentFolder> inFolder_;
  StartingDesktop starting_;
};

TEST_F(Form1NoShellTest, ShellCharactersReachTheProgramsLiterally) {
  const std::string folder = "d$(touch${IFS}pwned1);`touch${IFS}pwned2`|&<>";
  const std::string name = "n;touch${IFS}pwned3|$(touch${IFS}pwned4)&'\"*?<x>";
  const fs::path data = dir_ / "drive_c" / folder;
  fs::create_directories(data);
  for (const char* extension : {".in", ".cor", ".out"}) {
    std::ofstream(data / (name + extension)) << "x";
  }
  const std::string stem = "c:\\" + folder + "\\" + name;
  const fs::path editReport = dir_ / "edit-report";
  WriteFile("zorb/wtarvo.ini", stem + ".in\r\nc:\\zorb\\xkryst " + editReport.string() +
                                   " $(touch pwned5) ;touch pwned6 `touch pwned7` >pwned8\r\n");
  auto form = std::make_unique<Form1>(starting_);
  form->show();

  // C&alculate: the batch file in the dataset folder, with the name and the
  // mode word; the report lands in the dataset folder, named by the name.
  form->findChild<QPushButton*>("Command7")->click();
  std::vector<std::string> report = Report(data / name);
  ASSERT_EQ(report.size(), 3u);
  EXPECT_EQ(fs::path(report[0]), fs::canonical(data));
  EXPECT_EQ(report[1], name + " mol");
  EXPECT_EQ(report[2], "mol");

  // &Tarvo: the computation program with the name.
  form->findChild<QPushButton*>("Command5")->click();
  report = Report(data / name);
  ASSERT_EQ(report.size(), 2u);
  EXPECT_EQ(report[1], name);

  // Edit &Input: the editor command's words, then the input path.
  form->findChild<QPushButton*>("Command3")->click();
  report = Report(editReport);
  ASSERT_EQ(report.size(), 10u);
  EXPECT_EQ(std::vector<std::string>(report.begin() + 2, report.end()),
            (std::vector<std::string>{"$(touch", "pwned5)", ";touch", "pwned6", "`touch", "pwned7`",
                                      ">pwned8", stem + ".in"}));

  // Export: the converter with the coordinate file and the kind; the report
  // lands in the current folder under that very path as its name.
  form->findChild<QAction*>("chima_g94")->trigger();
  report = Report(data / (stem + ".cor"));
  ASSERT_EQ(report.size(), 3u);
  EXPECT_EQ(report[1], stem + ".cor 3");

  form->close();
  EXPECT_EQ(Made(), std::vector<std::string>());
  EXPECT_EQ(starting_.Messages().size(), 0u);
}

}  // namespace
}  // namespace wt
