// xkryst run as a program in console mode, on good input and bad: what it
// says on standard error, its exit status, and what it leaves in c:\zorb\.
// docs/bad-input.md lists the bad inputs with what the user sees.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <QProcess>
#include <functional>

#include "converter/tests/testfiles.h"
#include "platform/tests/noaccess.h"

namespace wt {
namespace {

namespace fs = std::filesystem;
using testing::AtomLine;
using testing::Step;

struct Outcome {
  int status = -1;
  std::string err;
  friend bool operator==(const Outcome&, const Outcome&) = default;
  friend std::ostream& operator<<(std::ostream& out, const Outcome& o) {
    return out << "status " << o.status << ", stderr \"" << o.err << "\"";
  }
};

const Outcome kNotFound{1, "Warning: File not found\n"};

class XkrystProgramTest : public ::testing::Test {
 protected:
  void SetUp() override { drives_.Write("temp64", testing::ReadBytes(Sample("temp64"))); }

  static std::string Sample(const char* name) { return std::string(WT_SAMPLE_DIR) + "/" + name; }

  // Runs xkryst with `arguments` on the console, `input` on its standard
  // input; `environment` and `inChild` change what it starts with.
  Outcome Run(const QStringList& arguments, const std::string& input = "",
              const std::function<void(QProcessEnvironment&)>& environment = {},
              const std::function<void()>& inChild = {}) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("WINTARVO_DRIVES", QString::fromStdString(drives_.Root().string()));
    env.insert("WINTARVO_UI", "console");
    if (environment) environment(env);
    QProcess process;
    process.setProcessEnvironment(env);
    process.setChildProcessModifier([inChild] {
      testing::KeepFileModes();
      if (inChild) inChild();
    });
    process.start(QString::fromStdString(program_), arguments);
    process.write(input.data(), static_cast<qint64>(input.size()));
    process.closeWriteChannel();
    EXPECT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    return {process.exitCode(), process.readAllStandardError().toStdString()};
  }
  Outcome Run(const std::string& path, const std::string& kind = "1",
              const std::string& input = "") {
    return Run({QString::fromStdString(path), QString::fromStdString(kind)}, input);
  }

  // What the program wrote into c:\zorb\: its files and any temporary
  // file left behind.
  std::vector<std::string> Written() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(drives_.Zorb(""))) {
      const std::string name = entry.path().filename().string();
      if (name.starts_with("tarvo") || name.starts_with(".")) names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  static std::string Prompt(int count) {
    return "Step Number : (max =  " + std::to_string(count) + ")\n";
  }
  static std::string Created(const std::string& name) {
    return "Info: The file 'C:\\zorb\\" + name + "' is created\n";
  }

  testing::TempDrives drives_;
  std::string program_ = testing::Xkryst();
};

TEST_F(XkrystProgramTest, AFileThatCannotBeOpenedIsNotFound) {
  fs::create_directory(drives_.Zorb("folder.cor"));
  ASSERT_EQ(mkfifo(drives_.Zorb("pipe.cor").c_str(), 0644), 0);
  const std::string unreadable = drives_.Write("secret.cor", testing::HydrogenStep());
  EXPECT_EQ(Run("c:\\zorb\\missing.cor"), kNotFound);
  EXPECT_EQ(Run("c:\\zorb\\folder.cor"), kNotFound);
  EXPECT_EQ(Run("c:\\zorb\\pipe.cor"), kNotFound);  // opening it would wait for a writer
  EXPECT_EQ(Run("/dev/zero"), kNotFound);           // reading it would never end
  EXPECT_EQ(Run("c:\\zorb\\"), kNotFound);
  {
    testing::NoAccess closed({drives_.Zorb("secret.cor")}, {});
    EXPECT_EQ(Run(unreadable), kNotFound);
  }
  // A drive path while neither WINTARVO_DRIVES nor HOME says where drives are.
  EXPECT_EQ(Run({"c:\\zorb\\temp64"}, "",
                [](QProcessEnvironment& env) {
                  env.remove("WINTARVO_DRIVES");
                  env.remove("HOME");
                }),
            kNotFound);
  EXPECT_TRUE(Written().empty());
}

TEST_F(XkrystProgramTest, EmptyAndBinaryFilesWithoutMarkersHaveNoStep) {
  std::string binary;
  for (int round = 0; round < 4; ++round) {
    for (int byte = 0; byte < 256; ++byte) binary += static_cast<char>(byte);
  }
  // Every number is refused; a route line is taken; the end of the input ends.
  const std::string refused = Prompt(0) + "Warning: Wrong Step Number\n";
  for (const std::string& bytes : {std::string(), binary, std::string("no marker\r\n")}) {
    EXPECT_EQ(Run(drives_.Write("run.cor", bytes), "1", "1\n0\n\nroute x\nabc\n"),
              (Outcome{0, refused + refused + refused + Prompt(0) + refused + Prompt(0)}));
  }
  EXPECT_TRUE(Written().empty());
}

TEST_F(XkrystProgramTest, BinaryBytesInAStepAreTakenAsTheyStand) {
  // The count line reads 0: an empty molecule.
  EXPECT_EQ(Run(drives_.Write("run.cor", std::string("$\0\xff\r\n\xfe\x01\r\n\x80", 10)), "2"),
            (Outcome{0, Created("tarvo.xyz")}));
  EXPECT_EQ(drives_.Read("tarvo.xyz"), "C:\\zorb\\tarvo.xyz\r\n 0 \r\n");
  // NUL bytes end a number and stay in a symbol.
  const std::string x(
      "          2.5\0"
      "9",
      15);
  const std::string symbol("\0C", 2);
  EXPECT_EQ(Run(drives_.Write("run.cor", Step("1", {AtomLine(x, "", "-1", symbol)})), "2"),
            (Outcome{0, Created("tarvo.xyz")}));
  EXPECT_EQ(drives_.Read("tarvo.xyz"),
            "C:\\zorb\\tarvo.xyz\r\n 1 \r\n" + symbol + "     2.50000    .00000  -1.00000\r\n");
}

TEST_F(XkrystProgramTest, LineEndsAndLongLinesGiveTheSameFiles) {
  const std::string sample = testing::ReadBytes(Sample("temp64"));
  std::string lf, cr, longLines;
  for (char c : sample) {
    if (c != '\r') lf += c;
    if (c != '\n') cr += c;
  }
  // A title line of a megabyte, and a megabyte after column 75 of every
  // atom line.
  const std::string megabyte(std::size_t{1} << 20, 'x');
  longLines = megabyte + "\r\n";
  for (std::size_t start = 0, end; (end = sample.find("\r\n", start)) != std::string::npos;
       start = end + 2) {
    std::string line = sample.substr(start, end - start);
    if (line.size() >= 75) line += megabyte;
    longLines += line + "\r\n";
  }
  for (const char* kind : {"1", "2", "3", "4"}) {
    for (const char* name : {"tarvo.mol", "tarvo.xyz", "tarvo.com", "tarvo.in"})
      fs::remove(drives_.Zorb(name));
    ASSERT_EQ(Run("c:\\zorb\\temp64", kind, "3\n").status, 0);
    const std::vector<std::string> written = Written();
    ASSERT_EQ(written.size(), 1u);
    const std::string expected = drives_.Read(written[0]);
    for (const std::string* variant : {&lf, &cr, &longLines}) {
      ASSERT_EQ(Run(drives_.Write("run.cor", *variant), kind, "3\n").status, 0);
      EXPECT_EQ(drives_.Read(written[0]), expected) << written[0];
    }
  }
}

TEST_F(XkrystProgramTest, NumbersBeyondSixteenBitsAreRefusedNeverWrapped) {
  const std::string atom = AtomLine("1", "1", "1", "H ");
  const std::pair<std::string, std::string> cases[] = {
      {Step("65537", {atom}),
       "The atom count of step 1 of the file 'c:\\zorb\\run.cor' lies "
       "outside -32768 to 32767"},
      {Step("1", {AtomLine("1", "1", "1", "H ", "1E5")}),
       "An atom of step 1 of the file 'c:\\zorb\\run.cor' has a number in columns 73 to 75 "
       "outside -32768 to 32767"},
      {Step("1", {AtomLine("1E39", "1", "1", "H ")}),
       "An atom of step 1 of the file 'c:\\zorb\\run.cor' has a coordinate beyond the range of "
       "single precision"}};
  for (const auto& [file, message] : cases) {
    EXPECT_EQ(Run(drives_.Write("run.cor", file)), (Outcome{1, "Warning: " + message + "\n"}));
  }
  EXPECT_TRUE(Written().empty());

  // A step number typed beyond 16 bits is no step, 65537 is not step 1; a
  // kind beyond 16 bits is kind 1, 65538 is not kind 2.
  EXPECT_EQ(
      Run("c:\\zorb\\temp64", "65538", "65537\n99999999999\n1e10\n-65535\n"),
      (Outcome{0, Prompt(3) + "Warning: Wrong Step Number\n" + Prompt(3) +
                      "Warning: Wrong Step Number\n" + Prompt(3) + "Warning: Wrong Step Number\n" +
                      Prompt(3) + "Warning: Wrong Step Number\n" + Prompt(3)}));
  EXPECT_EQ(Run("c:\\zorb\\temp64", "65538", "2\n"),
            (Outcome{0, Prompt(3) + Created("tarvo.mol")}));
}

TEST_F(XkrystProgramTest, MoreThan32767MarkersAreTooManySteps) {
  std::string markers;
  for (int i = 0; i <= 32767; ++i) markers += "$\r\n";
  EXPECT_EQ(Run(drives_.Write("run.cor", markers)),
            (Outcome{1, "Warning: The file 'c:\\zorb\\run.cor' holds more than 32767 steps\n"}));
  EXPECT_TRUE(Written().empty());
}

TEST_F(XkrystProgramTest, BlocksCutShortAreNeverWrittenInPart) {
  const std::string atom = AtomLine("1", "1", "1", "H ");
  const std::string path = drives_.Write("run.cor", Step("1", {atom}) + Step("3", {atom, atom}));
  EXPECT_EQ(Run(path, "2", "2\n"),
            (Outcome{1, Prompt(2) + "Warning: Step 2 of the file 'c:\\zorb\\run.cor' is "
                                    "incomplete: the file ends inside it\n"}));
  EXPECT_TRUE(Written().empty());
  EXPECT_EQ(Run(path, "2", "all\n"),
            (Outcome{1, Prompt(2) + "Warning: Step 2 of the file 'c:\\zorb\\run.cor' is "
                                    "incomplete: the file ends inside it (All Steps stopped at "
                                    "step 2; the files of steps 1 to 1 are written)\n"}));
  EXPECT_EQ(Written(), std::vector<std::string>{"tarvo001.xyz"});
}

TEST_F(XkrystProgramTest, ALineLongerThan64MiBIsUnreadable) {
  EXPECT_EQ(Run(testing::WriteLongLine(drives_, "long.cor", "$\r\n")),
            (Outcome{1,
                     "Warning: The file 'c:\\zorb\\long.cor' cannot be read: a line is longer "
                     "than 64 MiB\n"}));
  EXPECT_TRUE(Written().empty());
}

TEST_F(XkrystProgramTest, AnOutputFolderThatIsMissingReadOnlyOrFullKeepsTheOldFile) {
  fs::create_directories(drives_.Root() / "drive_c" / "data");
  testing::WriteBytes(drives_.Root() / "drive_c" / "data" / "one.cor", testing::HydrogenStep());
  const std::string one = "c:\\data\\one.cor";

  drives_.Write("tarvo.mol", "old\r\n");
  {
    testing::NoAccess closed({}, {drives_.Zorb("")});
    EXPECT_EQ(Run(one), (Outcome{1,
                                 "Warning: The file 'C:\\zorb\\tarvo.mol' cannot be written: "
                                 "Permission denied\n"}));
  }
  // Full: a file size limit stops the write as a full disk would.
  EXPECT_EQ(Run({QString::fromStdString(one)}, "", {},
                [] {
                  signal(SIGXFSZ, SIG_IGN);
                  const rlimit limit{64, 64};
                  setrlimit(RLIMIT_FSIZE, &limit);
                }),
            (Outcome{1,
                     "Warning: The file 'C:\\zorb\\tarvo.mol' cannot be written: File too "
                     "large\n"}));
  EXPECT_EQ(drives_.Read("tarvo.mol"), "old\r\n");
  EXPECT_EQ(Written(), std::vector<std::string>{"tarvo.mol"});  // no temporary file left

  fs::create_directory(drives_.Zorb("tarvo.xyz"));
  EXPECT_EQ(Run(one, "2"), (Outcome{1,
                                    "Warning: The file 'C:\\zorb\\tarvo.xyz' cannot be written: "
                                    "Is a directory\n"}));

  fs::remove_all(drives_.Zorb(""));
  EXPECT_EQ(Run(one), (Outcome{1,
                               "Warning: The file 'C:\\zorb\\tarvo.mol' cannot be written: "
                               "No such file or directory\n"}));
  // A host path to read, but nowhere to put drive C.
  EXPECT_EQ(
      Run({QString::fromStdString((drives_.Root() / "drive_c" / "data" / "one.cor").string())}, "",
          [](QProcessEnvironment& env) {
            env.remove("WINTARVO_DRIVES");
            env.remove("HOME");
          }),
      (Outcome{1,
               "Warning: The file 'C:\\zorb\\tarvo.mol' cannot be written: the drives "
               "folder is unknown (neither WINTARVO_DRIVES nor HOME is set)\n"}));
}

// A coordinate that its field cannot hold whole: refused, the old file kept,
// in the single conversion and in All Steps alike.
TEST_F(XkrystProgramTest, ACoordinateWiderThanItsFieldIsNeverCut) {
  const std::string wide = Step("1", {AtomLine("-1234.5", "12345.5", "0", "C ")});
  drives_.Write("tarvo.xyz", "old\r\n");
  EXPECT_EQ(Run(drives_.Write("one.cor", wide), "2"),
            (Outcome{1,
                     "Warning: The file 'C:\\zorb\\tarvo.xyz' cannot be written: atom 1 has x = "
                     "-1234.50000, wider than its 10-character field\n"}));
  EXPECT_EQ(drives_.Read("tarvo.xyz"), "old\r\n");
  const std::string far = Step("1", {AtomLine("1", "1000000.5", "0", "C ")});
  EXPECT_EQ(Run(drives_.Write("run.cor", testing::HydrogenStep() + far), "1", "all\n"),
            (Outcome{1, Prompt(2) +
                            "Warning: The file 'C:\\zorb\\tarvo002.mol' cannot be written: atom 1 "
                            "has y = 1000000.50000, wider than its 12-character field (All Steps "
                            "stopped at step 2; the files of steps 1 to 1 are written)\n"}));
  EXPECT_EQ(Written(), (std::vector<std::string>{"tarvo.xyz", "tarvo001.mol"}));
}

TEST_F(XkrystProgramTest, PathsWithBlanksQuotesAndOtherCharacters) {
  // Quotes are ordinary characters; a name in UTF-8 is bytes like any other.
  for (const std::string name : {"\"quoted\"it's.cor", "benz\xc3\xa8ne(1)$HOME;&|*.cor"}) {
    drives_.Write(name, testing::HydrogenStep());
    EXPECT_EQ(Run({QString::fromStdString("c:\\zorb\\" + name), "2"}),
              (Outcome{0, Created("tarvo.xyz")}))
        << name;
  }
  drives_.Write("benz\xc3\xa8ne.cor", "$\r\n");
  EXPECT_EQ(Run({QString::fromStdString("c:\\zorb\\benz\xc3\xa8ne.cor")}),
            (Outcome{1,
                     "Warning: Step 1 of the file 'c:\\zorb\\benz\xc3\xa8ne.cor' is incomplete: "
                     "the file ends inside it\n"}));
  // A blank ends the path word: the rest is the kind, unless the part before
  // the blank names a file.
  drives_.Write("my data.cor", testing::HydrogenStep());
  EXPECT_EQ(Run(QStringList{"c:\\zorb\\my data.cor 2"}), kNotFound);
  drives_.Write("my", testing::HydrogenStep());
  EXPECT_EQ(Run(QStringList{"c:\\zorb\\my", "data.cor", "3"}), (Outcome{0, Created("tarvo.mol")}));
}

TEST_F(XkrystProgramTest, TheStepPromptRefusesWhatIsNoStep) {
  std::string input = std::string(std::size_t{1} << 20, '7') + "\n";  // a megabyte of digits
  input += std::string(
               "\0"
               "2\n",
               3) +
           "abc\n" + "0\n" + "4\n" + "-1\n" + "2\n";
  std::string expected;
  for (int refused = 0; refused < 6; ++refused)
    expected += Prompt(3) + "Warning: Wrong Step Number\n";
  EXPECT_EQ(Run("c:\\zorb\\temp64", "1", input),
            (Outcome{0, expected + Prompt(3) + Created("tarvo.mol")}));
}

TEST_F(XkrystProgramTest, NoArgumentsPromptsForAStepOfTheDefaultFile) {
  const std::string refused = Prompt(3) + "Warning: Wrong Step Number\n";
  EXPECT_EQ(Run(QStringList{}, "-1\n99999\n2.5\n"),
            (Outcome{0, refused + refused + Prompt(3) + Created("tarvo.mol")}));
  EXPECT_EQ(drives_.Read("tarvo.mol").substr(61, 18), "     6     1.40000");  // step 2
}

TEST_F(XkrystProgramTest, OneStepIsConvertedAtOnceInTheKindOfTheSecondWord) {
  drives_.Write("one.cor", testing::HydrogenStep());
  const std::pair<QStringList, std::string> cases[] = {
      {{"c:\\zorb\\one.cor", "0"}, "mol"},
      {{"c:\\zorb\\one.cor", "x"}, "mol"},
      {{"c:\\zorb\\one.cor"}, "mol"},
      {{"c:\\zorb\\one.cor", "2.5"}, "xyz"},
      {{"c:\\zorb\\one.cor", "3.5"}, "in"},
      {{"c:\\zorb\\one.cor", "3abc"}, "com"},
      {{"c:\\zorb\\one.cor", "70000"}, "mol"},
      {{"c:\\zorb\\one.cor", "2", "4"}, "xyz"},
      {{" \t c:\\zorb\\one.cor\t", "\t2  "}, "xyz"}};
  for (const auto& [arguments, extension] : cases) {
    fs::remove(drives_.Zorb("tarvo." + extension));
    EXPECT_EQ(Run(arguments), (Outcome{0, Created("tarvo." + extension)}))
        << arguments.join('|').toStdString();
    EXPECT_TRUE(fs::exists(drives_.Zorb("tarvo." + extension)));
  }
}

TEST_F(XkrystProgramTest, AllStepsWritesTheNumberedFiles) {
  EXPECT_EQ(Run("c:\\zorb\\temp64", "2", "All\n"), (Outcome{0, Prompt(3) + Created("tarvo.xyz")}));
  for (std::string name : {"tarvo001.xyz", "tarvo002.xyz", "tarvo003.xyz"}) {
    EXPECT_EQ(drives_.Read(name).substr(0, 28), "C:\\zorb\\" + name + "\r\n 12 \r\n");
  }
}

TEST_F(XkrystProgramTest, RouteLineReachesTheGaussInput) {
  EXPECT_EQ(Run("c:\\zorb\\temp64", "3", "route # B3LYP/6-31G*\rjunk\r\n3\n").status, 0);
  EXPECT_EQ(drives_.Read("tarvo.com").substr(0, 47),
            "# B3LYP/6-31G*\r\n\r\nC:\\zorb\\tarvo.com\r\n\r\n 0   1\r\n");
}

// The windows are a module of their own, loaded when a display is wanted:
// where no display can be reached, or the module is not there, the console
// serves.
TEST_F(XkrystProgramTest, WithoutADisplayOrItsWindowsItWorksOnTheConsole) {
  const fs::path runtime = drives_.Root() / "runtime";
  fs::create_directory(runtime);
  fs::permissions(runtime, fs::perms::owner_all);
  const auto unreachable = [&](QProcessEnvironment& env) {
    env.remove("WINTARVO_UI");
    env.remove("QT_QPA_PLATFORM");  // the test's own offscreen platform
    env.remove("WAYLAND_DISPLAY");
    env.insert("DISPLAY", ":65000");
    env.insert("XDG_RUNTIME_DIR", QString::fromStdString(runtime.string()));
  };
  const std::string converted = Prompt(3) + Created("tarvo.xyz");
  EXPECT_EQ(Run({"c:\\zorb\\temp64", "2"}, "\n", unreachable), (Outcome{0, converted}));

  const fs::path alone = drives_.Root() / "alone";
  fs::create_directory(alone);
  fs::copy_file(program_, alone / "xkryst");
  program_ = (alone / "xkryst").string();
  EXPECT_EQ(Run({"c:\\zorb\\temp64", "2"}, "\n", unreachable),
            (Outcome{0, "xkryst: its windows cannot be loaded (" + (alone / "xkryst_windows.so").string() +
                            ": cannot open shared object file: No such file or directory); it "
                            "works on the console\n" +
                            converted}));
}

}  // namespace
}  // namespace wt
