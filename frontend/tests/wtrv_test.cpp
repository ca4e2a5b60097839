#include "frontend/wtrv.h"

#include <gtest/gtest.h>

#include "common/commandline.h"
#include "platform/paths.h"
#include "platform/recorder.h"

namespace wt {
namespace {

void ExpectDataset(const DatasetState& d, const char* input, const char* folder, const char* name,
                   const char* base) {
  EXPECT_EQ(d.InputPath, input);
  EXPECT_EQ(d.DatasetFolder, folder);
  EXPECT_EQ(d.DatasetName, name);
  EXPECT_EQ(d.DatasetBase, base);
}

void ExpectMessage(const Message& m, const std::string& text, const std::string& title,
                   MessageIcon icon, MessageButtons buttons) {
  EXPECT_EQ(m.text, text);
  EXPECT_EQ(m.title, title);
  EXPECT_EQ(m.icon, icon);
  EXPECT_EQ(m.buttons, buttons);
}

TEST(SplitInputPath, FolderNameAndStem) {
  ExpectDataset(SplitInputPath("c:\\data\\benz.in"), "c:\\data\\benz.in", "c:\\data\\", "benz",
                "c:\\data\\benz");
  ExpectDataset(SplitInputPath(""), "", "", "", "");
  // Only the last dot ends the stem; another extension is kept in InputPath.
  ExpectDataset(SplitInputPath("c:\\data\\benz.a.in"), "c:\\data\\benz.a.in", "c:\\data\\",
                "benz.a", "c:\\data\\benz.a");
  ExpectDataset(SplitInputPath("c:\\data\\benz.txt"), "c:\\data\\benz.txt", "c:\\data\\", "benz",
                "c:\\data\\benz");
}

TEST(SplitInputPath, PathWithoutSeparatorKeepsItsFirstCharacterAsFolder) {
  ExpectDataset(SplitInputPath("benz.in"), "benz.in", "b", "enz", "benz");
}

TEST(SplitInputPath, PathWithoutDotHasAOneCharacterStem) {
  ExpectDataset(SplitInputPath("c:\\data\\benz"), "c:\\data\\benz", "c:\\data\\", "", "c");
}

TEST(SplitInputPath, SlashEndsAFolderOnLinux) {
  if (!EndsFolder('/')) GTEST_SKIP() << "only the backslash ends a folder here";
  ExpectDataset(SplitInputPath("/home/ana/data/benz.in"), "/home/ana/data/benz.in",
                "/home/ana/data/", "benz", "/home/ana/data/benz");
}

TEST(RebuildDatasetPaths, JoinsTheBoxesAsTyped) {
  ExpectDataset(RebuildDatasetPaths("", ""), ".in", "", "", ".");
  ExpectDataset(RebuildDatasetPaths("c:\\data", "benz"), "c:\\databenz.in", "c:\\data", "benz",
                "c:\\databenz");
  ExpectDataset(RebuildDatasetPaths("c:\\data\\", "benz.a"), "c:\\data\\benz.a.in", "c:\\data\\",
                "benz.a", "c:\\data\\benz.a");
  ExpectDataset(RebuildDatasetPaths(" c:\\my data\\ ", "benz "), " c:\\my data\\ benz .in",
                " c:\\my data\\ ", "benz ", " c:\\my data\\ benz ");
}

class CommandLines : public ::testing::Test {
 protected:
  DatasetState benz_ = SplitInputPath("c:\\data\\benz.in");
};

TEST_F(CommandLines, Calculate) {
  EXPECT_EQ(CalculateCommand(benz_, OutputMode::MolecularView), "c:\\zorb\\wtarvo.bat benz mol");
  EXPECT_EQ(CalculateCommand(benz_, OutputMode::NullOutput), "c:\\zorb\\wtarvo.bat benz nul");
  EXPECT_EQ(CalculateCommand(benz_, OutputMode::OutputFile), "c:\\zorb\\wtarvo.bat benz out");
  // A stem without any separator is the name whole.
  EXPECT_EQ(CalculateCommand(RebuildDatasetPaths("", "benz"), OutputMode::NullOutput),
            "c:\\zorb\\wtarvo.bat benz nul");
}

TEST_F(CommandLines, Tarvo) {
  EXPECT_EQ(TarvoCommand(benz_), "c:\\zorb\\tarvo.exe benz");
  EXPECT_EQ(TarvoCommand(RebuildDatasetPaths("c:\\my data\\", "my benz")),
            "c:\\zorb\\tarvo.exe my benz");
}

TEST_F(CommandLines, EditorsAppendOneBlankAndThePath) {
  EXPECT_EQ(EditInputCommand("notepad ", benz_), "notepad  c:\\data\\benz.in");
  EXPECT_EQ(EditOutputCommand("notepad ", benz_), "notepad  c:\\data\\benz.out");
  EXPECT_EQ(EditInputCommand("c:\\tools\\edit.exe", benz_), "c:\\tools\\edit.exe c:\\data\\benz.in");
  EXPECT_EQ(EditInputCommand("", benz_), " c:\\data\\benz.in");
  EXPECT_EQ(EditInputCommand("notepad ", SplitInputPath("c:\\data\\benz.txt")),
            "notepad  c:\\data\\benz.txt");
}

TEST_F(CommandLines, ConverterGetsTheCoordinateFileAndTheKind) {
  EXPECT_EQ(ConverterCommand(benz_, 1), "c:\\zorb\\xkryst  c:\\data\\benz.cor  1");
  EXPECT_EQ(ConverterCommand(benz_, 4), "c:\\zorb\\xkryst  c:\\data\\benz.cor  4");
  // Unquoted: a folder with a blank reaches the converter as two words.
  std::string line = ConverterCommand(RebuildDatasetPaths("c:\\my data\\", "benz"), 3);
  EXPECT_EQ(line, "c:\\zorb\\xkryst  c:\\my data\\benz.cor  3");
  EXPECT_EQ(SplitCommandLine(line, 10).size(), 4u);
}

TEST(Messages, ExactTexts) {
  ExpectMessage(FileNotExistMessage(), "file not exist", "", MessageIcon::None,
                MessageButtons::Ok);
  ExpectMessage(DatasetNotFoundMessage(), "Not found the dataset.", "", MessageIcon::None,
                MessageButtons::Ok);
  ExpectMessage(MissingFileWarning("c:\\data\\benz.cor"), "File c:\\data\\benz.cor does not exist",
                "Warning", MessageIcon::Critical, MessageButtons::OkCancel);
  ExpectMessage(StartFailureMessage("notepad  c:\\data\\benz.in", "No such file or directory"),
                "Cannot start the program 'notepad': No such file or directory", "Warning",
                MessageIcon::Critical, MessageButtons::Ok);
  ExpectMessage(StartFailureMessage(" \t", "the command line is empty"),
                "Cannot start an empty command line: the command line is empty", "Warning",
                MessageIcon::Critical, MessageButtons::Ok);
  ExpectMessage(FolderFailureMessage("c:\\data", "No such file or directory"),
                "Cannot make the folder 'c:\\data' the current folder: No such file or directory",
                "Warning", MessageIcon::Critical, MessageButtons::Ok);
  ExpectMessage(SettingsNotWrittenMessage("c:\\zorb\\wtarvo.ini", "Permission denied"),
                "Cannot write the settings file 'c:\\zorb\\wtarvo.ini': Permission denied",
                "Warning", MessageIcon::Critical, MessageButtons::Ok);
}

TEST(BatchRule, FindsTheFirstCharacterTheInterpreterTreatsSpecially) {
  for (char c : std::string("&|<>^%")) {
    EXPECT_EQ(InterpreterSpecialCharacter(std::string("be") + c + "nz"), c);
  }
  EXPECT_EQ(InterpreterSpecialCharacter("a%b&c"), '%');
  EXPECT_EQ(InterpreterSpecialCharacter("benz (1)!;,=\"'"), std::nullopt);
}

TEST(BatchRule, RefusesANameThatWouldReachTheInterpreter) {
  DatasetState amp = RebuildDatasetPaths("c:\\data\\", "a&b");
  std::optional<Message> refusal = BatchRefusal(amp, true);
  ASSERT_TRUE(refusal);
  ExpectMessage(*refusal,
                "Cannot run c:\\zorb\\wtarvo.bat on the dataset 'a&b': the command interpreter "
                "gives the character & a meaning of its own",
                "Warning", MessageIcon::Critical, MessageButtons::Ok);
  EXPECT_FALSE(BatchRefusal(amp, false));  // no interpreter: anything goes
  EXPECT_FALSE(BatchRefusal(RebuildDatasetPaths("c:\\R&D\\", "benz"), true));
}

TEST(Starting, FailuresAreShownNamingTheFolderOrTheProgram) {
  Recorder desktop;
  EXPECT_TRUE(MakeFolderCurrent(desktop, "c:\\data\\"));
  EXPECT_TRUE(StartCommand(desktop, "c:\\zorb\\tarvo.exe benz", WindowRequest::NormalActivated));
  EXPECT_TRUE(desktop.Messages().empty());

  desktop.folderFailure = "No such file or directory";
  desktop.startFailure = "Permission denied";
  EXPECT_FALSE(MakeFolderCurrent(desktop, "c:\\gone\\"));
  EXPECT_FALSE(StartCommand(desktop, "c:\\zorb\\tarvo.exe benz", WindowRequest::NormalActivated));
  ASSERT_EQ(desktop.Messages().size(), 2u);
  EXPECT_EQ(desktop.Messages()[0].text,
            "Cannot make the folder 'c:\\gone\\' the current folder: No such file or directory");
  EXPECT_EQ(desktop.Messages()[1].text,
            "Cannot start the program 'c:\\zorb\\tarvo.exe': Permission denied");
  EXPECT_EQ(desktop.currentFolder, "c:\\data\\");
}

}  // namespace
}  // namespace wt
