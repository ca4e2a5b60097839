// xkryst run as a program, in console mode, with c:\ in a temporary folder.
#include <gtest/gtest.h>

#include <QProcess>

#include "converter/tests/testfiles.h"

namespace wt {
namespace {

class XkrystConsoleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    drives_.Write("temp64", testing::ReadBytes(std::string(WT_SAMPLE_DIR) + "/temp64"));
    drives_.Write("one.cor", testing::HydrogenStep());
  }

  // The exit status and what the program wrote to standard error.
  std::pair<int, std::string> Run(const QStringList& arguments, const std::string& input = "") {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("WINTARVO_DRIVES", QString::fromStdString(drives_.Root().string()));
    environment.insert("WINTARVO_UI", "console");
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(WT_XKRYST, arguments);
    process.write(input.data(), static_cast<qint64>(input.size()));
    process.closeWriteChannel();
    EXPECT_TRUE(process.waitForFinished(20000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    return {process.exitCode(), process.readAllStandardError().toStdString()};
  }

  testing::TempDrives drives_;
};

const std::string kPrompt = "Step Number : (max =  3)\n";

TEST_F(XkrystConsoleTest, NoArgumentsPromptsForAStepOfTheDefaultFile) {
  const std::string refused = kPrompt + "Warning: Wrong Step Number\n";
  EXPECT_EQ(Run({}, "-1\n99999\n2.5\n"),
            std::pair(0, refused + refused + kPrompt +
                             "Info: The file 'C:\\zorb\\tarvo.mol' is created\n"));
  EXPECT_EQ(drives_.Read("tarvo.mol").substr(61, 18), "     6     1.40000");  // step 2
}

TEST_F(XkrystConsoleTest, OneStepIsConvertedAtOnceInTheKindOfTheSecondWord) {
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
    std::filesystem::remove(drives_.Zorb("tarvo." + extension));
    EXPECT_EQ(Run(arguments),
              std::pair(0, "Info: The file 'C:\\zorb\\tarvo." + extension + "' is created\n"))
        << arguments.join('|').toStdString();
    EXPECT_TRUE(std::filesystem::exists(drives_.Zorb("tarvo." + extension)));
  }
}

TEST_F(XkrystConsoleTest, BlankInThePathCutsItShort) {
  EXPECT_EQ(Run({"C:\\my data\\run1.cor 3"}),
            std::pair(1, std::string("Warning: File not found\n")));
  testing::WriteBytes(drives_.Root() / "drive_c" / "my", testing::HydrogenStep());
  EXPECT_EQ(Run({"C:\\my", "data\\run1.cor", "3"}).second,
            "Info: The file 'C:\\zorb\\tarvo.mol' is created\n");
}

TEST_F(XkrystConsoleTest, NoStepRefusesEveryNumberUntilTheInputEnds) {
  const std::string prompt = "Step Number : (max =  0)\n";
  const std::string refused = prompt + "Warning: Wrong Step Number\n";
  EXPECT_EQ(Run({drives_.Write("none.cor", "no marker\r\n").c_str()}, "\n0\n\nroute x\nabc\n"),
            std::pair(0, refused + refused + refused + prompt + refused + prompt));
  EXPECT_FALSE(std::filesystem::exists(drives_.Zorb("tarvo.mol")));
}

TEST_F(XkrystConsoleTest, AllStepsWritesTheNumberedFiles) {
  EXPECT_EQ(Run({"c:\\zorb\\temp64", "2"}, "All\n"),
            std::pair(0, kPrompt + "Info: The file 'C:\\zorb\\tarvo.xyz' is created\n"));
  for (std::string name : {"tarvo001.xyz", "tarvo002.xyz", "tarvo003.xyz"}) {
    EXPECT_EQ(drives_.Read(name).substr(0, 28), "C:\\zorb\\" + name + "\r\n 12 \r\n");
  }
}

TEST_F(XkrystConsoleTest, RouteLineReachesTheGaussInput) {
  EXPECT_EQ(Run({"c:\\zorb\\temp64", "3"}, "route # B3LYP/6-31G*\rjunk\r\n3\n").first, 0);
  EXPECT_EQ(drives_.Read("tarvo.com").substr(0, 47),
            "# B3LYP/6-31G*\r\n\r\nC:\\zorb\\tarvo.com\r\n\r\n 0   1\r\n");
}

TEST_F(XkrystConsoleTest, BadInputIsReportedWithStatusOne) {
  EXPECT_EQ(Run({drives_.Write("cut.cor", "$\r\n2\r\n\r\n").c_str()}),
            std::pair(1, std::string("Warning: Step 1 of the file 'c:\\zorb\\cut.cor' is "
                                     "incomplete: the file ends inside it\n")));
  std::filesystem::create_directory(drives_.Zorb("tarvo.xyz"));  // the target is a folder
  EXPECT_EQ(Run({"c:\\zorb\\one.cor", "2"}),
            std::pair(1, std::string("Warning: The file 'C:\\zorb\\tarvo.xyz' cannot be written: "
                                     "Is a directory\n")));
}

}  // namespace
}  // namespace wt
