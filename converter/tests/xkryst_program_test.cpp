// xkryst run as a program in console mode: its command line, its prompt, its
// exit status and what it leaves in c:\zorb\ (docs/bad-input.md).
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QProcess>
#include <functional>

#include "converter/tests/testfiles.h"
#include "platform/tests/noaccess.h"

namespace wt {
namespace {

namespace fs = std::filesystem;

const std::string kNotFound = "1 Warning: File not found\n";

// Neither WINTARVO_DRIVES nor HOME says where the drives are.
void WithoutDrives(QProcessEnvironment& env) {
  env.remove("WINTARVO_DRIVES");
  env.remove("HOME");
}

std::string Prompt(int count) {
  return "Step Number : (max =  " + std::to_string(count) + ")\n";
}
std::string Created(const std::string& name) {
  return "Info: The file 'C:\\zorb\\" + name + "' is created\n";
}

class XkrystProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    drives_.Write("temp64", testing::ReadBytes(std::string(WT_SAMPLE_DIR) + "/temp64"));
  }

  // xkryst on the console with `arguments` and `input`, `environment` changed:
  // its exit status, a blank and what it wrote on standard error.
  std::string Run(const std::vector<std::string>& arguments, const std::string& input = "",
                  const std::function<void(QProcessEnvironment&)>& environment = {}) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("WINTARVO_DRIVES", QString::fromStdString(drives_.Root().string()));
    env.insert("WINTARVO_UI", "console");
    if (environment) environment(env);
    QStringList words;
    for (const std::string& word : arguments) words << QString::fromStdString(word);
    QProcess process;
    process.setProcessEnvironment(env);
    process.setChildProcessModifier(testing::KeepFileModes);
    process.start(QString::fromStdString(program_), words);
    process.write(input.data(), static_cast<qint64>(input.size()));
    process.closeWriteChannel();
    EXPECT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    return std::to_string(process.exitCode()) + " " + process.readAllStandardError().toStdString();
  }

  // The files written into c:\zorb\, temporary files included.
  std::vector<std::string> Written() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(drives_.Zorb(""))) {
      const std::string name = entry.path().filename().string();
      if (name.starts_with("tarvo") || name.starts_with(".")) names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  testing::TempDrives drives_;
  // As built beside this test program (WT_XKRYST names it relative to the
  // test program's folder), so that a copy of the build runs its own.
  std::string program_ =
      (fs::read_symlink("/proc/self/exe").parent_path() / WT_XKRYST).lexically_normal().string();
};

// Word 1 is the file: nothing is opened that could block (a pipe) or never
// end (a device); quotes, shell characters and UTF-8 are bytes of the name; a
// blank ends the word, unless the part before it names a file. Word 2 is the
// kind: none, no number and one beyond 16 bits (65538 is not 2) give the
// Kryst file; words are split at blanks and tabs; a third changes nothing.
// Bytes that are no count make a step of no atom, converted.
TEST_F(XkrystProgramTest, TheCommandLine) {
  fs::create_directory(drives_.Zorb("folder.cor"));
  ASSERT_EQ(mkfifo(drives_.Zorb("pipe.cor").c_str(), 0644), 0);
  for (const char* name : {"secret.cor", "my data.cor"})
    drives_.Write(name, testing::HydrogenStep());
  testing::NoAccess closed({drives_.Zorb("secret.cor")}, {});
  for (const char* path :
       {"c:\\zorb\\missing.cor", "c:\\zorb\\folder.cor", "c:\\zorb\\", "c:\\zorb\\pipe.cor",
        "/dev/zero", "c:\\zorb\\secret.cor", "c:\\zorb\\my data.cor 2"}) {
    EXPECT_EQ(Run({path}), kNotFound) << path;
  }
  EXPECT_EQ(Run({"c:\\zorb\\temp64"}, "", WithoutDrives), kNotFound);
  EXPECT_TRUE(Written().empty());

  const std::string utf8 = "benz\xc3\xa8ne(1)$HOME;&|*\"quoted\"it's.cor";
  for (const std::string& name : {std::string("one.cor"), std::string("my"), utf8}) {
    drives_.Write(name, testing::HydrogenStep());
  }
  drives_.Write("binary.cor", std::string("$\0\xff\r\n\xfe\x01\r\n\x80", 10));
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{"c:\\zorb\\one.cor"}, "mol"},           {{"c:\\zorb\\one.cor", "65538"}, "mol"},
      {{"c:\\zorb\\one.cor", "2", "4"}, "xyz"}, {{" \t c:\\zorb\\one.cor\t", "\t3  "}, "com"},
      {{"c:\\zorb\\" + utf8, "x"}, "mol"},      {{"c:\\zorb\\my", "data.cor", "3"}, "mol"},
      {{"c:\\zorb\\binary.cor", "4"}, "in"}};
  for (const auto& [arguments, extension] : cases) {
    fs::remove(drives_.Zorb("tarvo." + extension));
    EXPECT_EQ(Run(arguments), "0 " + Created("tarvo." + extension)) << arguments[0];
    EXPECT_TRUE(fs::exists(drives_.Zorb("tarvo." + extension)));
  }
}

// The prompt refuses whatever is no step of the file, and an empty line is Ok
// on what the box kept: a megabyte of digits, a NUL, text, 0, above the count,
// negative, beyond 16 bits (65537 is not step 1). "route" sets the route line
// of the Gauss 94 input; "all", in any case, writes every step; the end of the
// input ends. A file without a marker line, empty or binary, has no step:
// All Steps writes nothing and confirms.
TEST_F(XkrystProgramTest, ThePromptRefusesWhatIsNoStep) {
  const std::string input = std::string(std::size_t{1} << 20, '7') + "\n" + std::string(1, '\0') +
                            "2\nabc\n0\n4\n-1\n65537\n99999999999\n1e10\n-65535\n\n"
                            "route # B3LYP/6-31G*\rjunk\r\n";
  const auto refused = [](int count) {
    std::string err;
    for (int i = 0; i < 11; ++i) err += Prompt(count) + "Warning: Wrong Step Number\n";
    return "0 " + err + Prompt(count) + Prompt(count);
  };
  const std::string binary("\0\xff\r\n \x24\x80\r\x01", 9);  // no line begins with $
  EXPECT_EQ(Run({drives_.Write("run.cor", binary), "3"}, input), refused(0));
  EXPECT_EQ(Run({drives_.Write("run.cor", ""), "3"}, input + "all\n"),
            refused(0) + Created("tarvo.com"));
  EXPECT_TRUE(Written().empty());
  EXPECT_EQ(Run({"c:\\zorb\\temp64", "3"}, input + "All\n"), refused(3) + Created("tarvo.com"));
  EXPECT_EQ(Written(), (std::vector<std::string>{"tarvo001.com", "tarvo002.com", "tarvo003.com"}));
  EXPECT_EQ(drives_.Read("tarvo003.com").substr(0, 50),
            "# B3LYP/6-31G*\r\n\r\nC:\\zorb\\tarvo003.com\r\n\r\n 0   1\r\n");
}

// In the OS's words; the old file stays, with no temporary file beside it.
TEST_F(XkrystProgramTest, AnOutputFolderThatIsMissingReadOnlyOrFullKeepsTheOldFile) {
  const fs::path hostOne = drives_.Root() / "drive_c" / "data" / "one.cor";
  fs::create_directories(hostOne.parent_path());
  testing::WriteBytes(hostOne, testing::HydrogenStep());
  const std::string one = "c:\\data\\one.cor";
  const auto cannot = [](const std::string& name, const std::string& reason) {
    return "1 Warning: The file 'C:\\zorb\\" + name + "' cannot be written: " + reason + "\n";
  };
  drives_.Write("tarvo.mol", "old\r\n");
  {
    testing::NoAccess closed({}, {drives_.Zorb("")});
    EXPECT_EQ(Run({one}), cannot("tarvo.mol", "Permission denied"));
  }
  {
    testing::FullDisk full(64);  // fails the write as a full disk does
    EXPECT_EQ(Run({one}), cannot("tarvo.mol", "File too large"));
  }
  EXPECT_EQ(drives_.Read("tarvo.mol"), "old\r\n");
  EXPECT_EQ(Written(), std::vector<std::string>{"tarvo.mol"});
  fs::remove_all(drives_.Zorb(""));
  EXPECT_EQ(Run({one}), cannot("tarvo.mol", "No such file or directory"));
  EXPECT_FALSE(fs::exists(drives_.Zorb("")));
  // A host path to read, but nowhere to put drive C.
  EXPECT_EQ(Run({hostOne.string()}, "", WithoutDrives),
            cannot("tarvo.mol",
                   "the drives folder is unknown (neither WINTARVO_DRIVES nor HOME is set)"));
}

// The windows are a module of their own, loaded when a display is wanted:
// where no display can be reached, or the module is not there, the console
// serves. Without arguments the file is c:\zorb\temp64.
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
  const std::string converted = Prompt(3) + Created("tarvo.mol");
  EXPECT_EQ(Run({}, "\n", unreachable), "0 " + converted);
  EXPECT_EQ(drives_.Read("tarvo.mol").substr(61, 18), "     6     1.42000");  // step 1
  const fs::path alone = drives_.Root() / "alone";
  fs::create_directory(alone);
  fs::copy_file(program_, alone / "xkryst");
  program_ = (alone / "xkryst").string();
  EXPECT_EQ(Run({}, "\n", unreachable),
            ("0 xkryst: its windows cannot be loaded (" + (alone / "xkryst_windows.so").string() +
             ": cannot open shared object file: No such file or directory); it "
             "works on the console\n" +
             converted));
}

}  // namespace
}  // namespace wt
