#include "frontend/wtrv.h"

#include <gtest/gtest.h>

#include "platform/batchline.h"
#include "platform/paths.h"

namespace wt {
namespace {

std::string Fields(const DatasetState& d) {
  return d.InputPath + "|" + d.DatasetFolder + "|" + d.DatasetName + "|" + d.DatasetBase;
}

// The window tests cover the usual paths; these are the odd ones.
TEST(DatasetState, OddPaths) {
  EXPECT_EQ(Fields(SplitInputPath("c:\\data\\benz")), "c:\\data\\benz|c:\\data\\||c");
  EXPECT_EQ(Fields(SplitInputPath("c:\\data\\benz.a.in")),
            "c:\\data\\benz.a.in|c:\\data\\|benz.a|c:\\data\\benz.a");
  EXPECT_EQ(Fields(RebuildDatasetPaths(" c:\\my data\\ ", "benz ")),
            " c:\\my data\\ benz .in| c:\\my data\\ |benz | c:\\my data\\ benz ");
  if (EndsFolder('/')) {
    EXPECT_EQ(Fields(SplitInputPath("/home/ana/data/benz.in")),
              "/home/ana/data/benz.in|/home/ana/data/|benz|/home/ana/data/benz");
  }
  DatasetState bare = RebuildDatasetPaths("", "benz");
  EXPECT_EQ(CalculateCommand(bare, OutputMode::NullOutput), "c:\\zorb\\wtarvo.bat benz nul");
  EXPECT_EQ(TarvoCommand(bare), "c:\\zorb\\tarvo.exe benz");
  EXPECT_EQ(EditInputCommand("", bare), " benz.in");
}

TEST(BatchRule, RefusesANameThatWouldReachTheInterpreter) {
  for (char c : std::string("&|<>^%")) {
    EXPECT_EQ(InterpreterSpecialCharacter(std::string("be") + c + "nz"), c);
  }
  EXPECT_EQ(InterpreterSpecialCharacter("a%b&c"), '%');
  EXPECT_EQ(InterpreterSpecialCharacter("benz (1)!;,=\"'"), std::nullopt);

  DatasetState amp = RebuildDatasetPaths("c:\\data\\", "a&b");
  std::optional<Message> refusal = BatchRefusal(amp, true);
  ASSERT_TRUE(refusal);
  EXPECT_EQ(refusal->text,
            "Cannot run c:\\zorb\\wtarvo.bat on the dataset 'a&b': the command interpreter gives "
            "the character & a meaning of its own");
  EXPECT_EQ(refusal->title, "Warning");
  EXPECT_EQ(refusal->icon, MessageIcon::Critical);
  EXPECT_FALSE(BatchRefusal(amp, false));  // no interpreter: anything goes
  EXPECT_FALSE(BatchRefusal(RebuildDatasetPaths("c:\\R&D\\", "benz"), true));  // not on the line
}

// Where the batch line is built, as this system starts batch files: through
// the command interpreter (Windows) a name with one of its special characters
// is refused before anything starts; without one (Linux) every name passes.
TEST(BatchRule, FollowsHowThisSystemStartsBatchFiles) {
  const bool interpreter = BatchLineGoesThroughInterpreter();
  for (char c : std::string("&|<>^%")) {
    const DatasetState dataset = SplitInputPath(std::string("c:\\data\\be") + c + "nz.in");
    EXPECT_EQ(BatchRefusal(dataset, interpreter).has_value(), interpreter) << c;
    EXPECT_EQ(CalculateCommand(dataset, OutputMode::MolecularView),
              std::string("c:\\zorb\\wtarvo.bat be") + c + "nz mol");
  }
  EXPECT_FALSE(BatchRefusal(SplitInputPath("c:\\R&D\\benz (1)!.in"), interpreter));
}

}  // namespace
}  // namespace wt
