// The front end's window on bad input: odd settings files, a settings file
// that cannot be written at the end, dataset files that are missing or are
// folders, and paths with blanks, quotes and other characters. What the user
// sees: the boxes, the message boxes and the exit status.
// docs/bad-input.md lists these cases.
#include <signal.h>
#include <sys/resource.h>

#include <QLineEdit>
#include <QPushButton>
#include <memory>

#include "frontend/form1.h"
#include "frontend/tests/window_fixture.h"
#include "platform/tests/noaccess.h"

namespace wt {
namespace {

namespace fs = std::filesystem;

class Form1BadInputTest : public WindowTest {
 protected:
  // Starts the front end on the settings file `settings`, as it stands.
  void StartOn(const std::string& settings) {
    WriteFile("zorb/wtarvo.ini", settings);
    Start();
  }
  void Start() {
    form_ = std::make_unique<Form1>(desktop_);
    form_->show();
  }
  // The boxes and the editor commands: Path | Dataset | slot 0 | ... | slot 3.
  std::string Shown() const {
    std::string shown = FromBox("Text2") + "|" + FromBox("Text1");
    for (const std::string& command : form_->editorCommands()) shown += "|" + command;
    return shown;
  }
  std::string FromBox(const char* name) const {
    return form_->findChild<QLineEdit*>(name)->text().toStdString();
  }
  void Click(const char* button) { form_->findChild<QPushButton*>(button)->click(); }
  fs::path Zorb() const { return dir_ / "drive_c" / "zorb"; }

  std::unique_ptr<Form1> form_;
};

TEST_F(Form1BadInputTest, SettingsOfZeroToFourLinesFillWhatTheyHave) {
  const std::string defaults = "notepad \r\nnotepad \r\nnotepad \r\nnotepad \r\n";
  const std::tuple<std::string, std::string, std::string> cases[] = {
      // the file, what the window has, the file at the end of the run
      {"", "||notepad |notepad |notepad |notepad ", "\r\n" + defaults},
      {"c:\\data\\benz.in", "c:\\data\\|benz|notepad |notepad |notepad |notepad ",
       "c:\\data\\benz.in\r\n" + defaults},
      {"c:\\data\\benz.in\r\nvi\r\n", "c:\\data\\|benz|vi|notepad |notepad |notepad ",
       "c:\\data\\benz.in\r\nvi\r\nnotepad \r\nnotepad \r\nnotepad \r\n"},
      {"c:\\data\\benz.in\r\nvi\r\nemacs\r\n", "c:\\data\\|benz|vi|emacs|notepad |notepad ",
       "c:\\data\\benz.in\r\nvi\r\nemacs\r\nnotepad \r\nnotepad \r\n"},
      {"c:\\data\\benz.in\rvi\remacs\rx\r", "c:\\data\\|benz|vi|emacs|x|notepad ",
       "c:\\data\\benz.in\r\nvi\r\nemacs\r\nx\r\nnotepad \r\n"}};
  for (const auto& [settings, shown, saved] : cases) {
    StartOn(settings);
    EXPECT_EQ(Shown(), shown) << settings;
    form_->close();
    EXPECT_EQ(form_->exitStatus(), 0);
    EXPECT_EQ(ReadFile("zorb/wtarvo.ini"), saved) << settings;
  }
  EXPECT_EQ(Log(), "");
}

TEST_F(Form1BadInputTest, SettingsWithLongLinesAndAnyBytesComeBackUnchanged) {
  const std::string folder = "c:\\" + std::string(std::size_t{1} << 20, 'd') + "\\";
  const std::string binary("vi \0\x01\xff\t\"'&|<>%", 15);
  const std::string settings = folder + "benz.in\r\n" + binary + "\r\n" +
                               std::string(std::size_t{1} << 20, 'e') + "\r\nx\r\n\xe9\r\n";
  StartOn(settings);
  EXPECT_EQ(FromBox("Text2"), folder);  // the whole megabyte
  EXPECT_EQ(FromBox("Text1"), "benz");
  EXPECT_EQ(form_->editorCommands()[0], binary);
  form_->close();
  EXPECT_EQ(ReadFile("zorb/wtarvo.ini"), settings);
  EXPECT_EQ(Log(), "");
}

TEST_F(Form1BadInputTest, ASettingsFileThatCannotBeReadGivesTheDefaults) {
  fs::create_directory(Zorb() / "wtarvo.ini");
  Start();
  EXPECT_EQ(Shown(), "||notepad |notepad |notepad |notepad ");
  form_->close();
  EXPECT_EQ(Log(),
            "box Warning/stop/ok: Cannot write the settings file 'c:\\zorb\\wtarvo.ini': Is a "
            "directory");
  EXPECT_EQ(form_->exitStatus(), 1);

  fs::remove(Zorb() / "wtarvo.ini");
  WriteFile("zorb/wtarvo.ini", "c:\\data\\benz.in\r\nvi\r\n");
  {
    testing::NoAccess closed({Zorb() / "wtarvo.ini"}, {});
    Start();
  }
  EXPECT_EQ(Shown(), "||notepad |notepad |notepad |notepad ");
}

TEST_F(Form1BadInputTest, SettingsThatCannotBeWrittenAtTheEndKeepTheOldFile) {
  const std::string old = "c:\\data\\benz.in\r\nvi\r\nvi\r\nvi\r\nvi\r\n";
  StartOn(old);
  form_->findChild<QLineEdit*>("Text1")->setText("other");
  form_->Text1_LostFocus();
  {
    testing::NoAccess closed({}, {Zorb()});
    form_->close();
  }
  EXPECT_EQ(Log(),
            "box Warning/stop/ok: Cannot write the settings file 'c:\\zorb\\wtarvo.ini': "
            "Permission denied");
  EXPECT_EQ(form_->exitStatus(), 1);
  EXPECT_EQ(ReadFile("zorb/wtarvo.ini"), old);

  // Full: a file size limit fails the write as a full disk would.
  StartOn(old);
  form_->findChild<QLineEdit*>("Text1")->setText("other");
  form_->Text1_LostFocus();
  rlimit limit;
  getrlimit(RLIMIT_FSIZE, &limit);
  const rlimit small{16, limit.rlim_max};
  auto* const kept = signal(SIGXFSZ, SIG_IGN);
  setrlimit(RLIMIT_FSIZE, &small);
  form_->close();
  setrlimit(RLIMIT_FSIZE, &limit);
  signal(SIGXFSZ, kept);
  EXPECT_EQ(Log(),
            "box Warning/stop/ok: Cannot write the settings file 'c:\\zorb\\wtarvo.ini': File too "
            "large");
  EXPECT_EQ(form_->exitStatus(), 1);
  EXPECT_EQ(ReadFile("zorb/wtarvo.ini"), old);
}

TEST_F(Form1BadInputTest, DatasetFilesThatAreMissingFoldersOrClosed) {
  StartOn("c:\\data\\benz.in\r\n");
  for (const char* name : {"benz.in", "benz.cor", "benz.out"}) {
    fs::create_directory(dir_ / "drive_c" / "data" / name);
  }
  Click("Command7");
  Click("Command5");
  form_->Tempo_Timer();
  Click("Command6");
  form_->findChild<QAction*>("ChiamaKryst")->trigger();
  const std::string missing =
      "box /-/ok: file not exist\n"
      "box /-/ok: Not found the dataset.\n"
      "box Warning/stop/ok-cancel: File c:\\data\\benz.out does not exist\n"
      "box Warning/stop/ok-cancel: File c:\\data\\benz.cor does not exist";
  EXPECT_EQ(Log(), missing);
  for (const char* name : {"benz.in", "benz.cor", "benz.out"}) {
    fs::remove(dir_ / "drive_c" / "data" / name);
  }
  form_->Tempo_Timer();
  Click("Command7");
  Click("Command5");
  form_->Tempo_Timer();
  Click("Command6");
  form_->findChild<QAction*>("ChiamaKryst")->trigger();
  EXPECT_EQ(Log(), missing);

  for (const char* name : {"benz.in", "benz.cor", "benz.out"})
    WriteFile(std::string("data/") + name, "x");
  form_->Tempo_Timer();
  {
    testing::NoAccess closed(
        {dir_ / "drive_c" / "data" / "benz.in", dir_ / "drive_c" / "data" / "benz.cor",
         dir_ / "drive_c" / "data" / "benz.out"},
        {});
    Click("Command7");
    Click("Command5");
    form_->Tempo_Timer();
    Click("Command6");
    form_->findChild<QAction*>("ChiamaKryst")->trigger();
  }
  EXPECT_EQ(Log(), missing);
}

TEST_F(Form1BadInputTest, PathsWithBlanksQuotesAndOtherCharactersGoOnTheLinesAsTheyAre) {
  Start();
  desktop_.openAnswers.push_back("c:\\my data\\it's \"q\" benz\xc3\xa8ne&%.in");
  Click("Command1");
  EXPECT_EQ(FromBox("Text2") + "|" + FromBox("Text1"), "c:\\my data\\|it's \"q\" benz\xc3\xa8ne&%");
  fs::create_directories(dir_ / "drive_c" / "my data");
  for (const char* extension : {".in", ".cor", ".out"}) {
    WriteFile("my data/it's \"q\" benz\xc3\xa8ne&%" + std::string(extension), "x");
  }
  Click("Command7");
  Click("Command5");
  Click("Command3");
  Click("Command6");
  form_->findChild<QAction*>("chiamaXYZ")->trigger();
  // Nothing is quoted: the programs get the blanks as word breaks.
  EXPECT_EQ(Log(),
            "open Open input file\n"
            "cd c:\\my data\\\n"
            "max c:\\zorb\\wtarvo.bat it's \"q\" benz\xc3\xa8ne&% mol\n"
            "cd c:\\my data\\\n"
            "max c:\\zorb\\tarvo.exe it's \"q\" benz\xc3\xa8ne&%\n"
            "max notepad  c:\\my data\\it's \"q\" benz\xc3\xa8ne&%.in\n"
            "max notepad  c:\\my data\\it's \"q\" benz\xc3\xa8ne&%.out\n"
            "normal c:\\zorb\\xkryst  c:\\my data\\it's \"q\" benz\xc3\xa8ne&%.cor  2");
}

}  // namespace
}  // namespace wt
