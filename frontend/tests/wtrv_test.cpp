#include "frontend/wtrv.h"

#include <gtest/gtest.h>

#include "platform/paths.h"

namespace wt {
namespace {

std::string Fields(const DatasetState& d) {
  return d.InputPath + "|" + d.DatasetFolder + "|" + d.DatasetName + "|" + d.DatasetBase;
}

// The window tests cover the usual paths; these are the odd ones.
TEST(DatasetState, OddPaths) {
  EXPECT_EQ(Fields(SplitInputPath("c:\\data\\benz")), "c:\\data\\benz|c:\\data\\||c");
  EXPECT_EQ(Fields(SplitInputPath("benz.txt")), "benz.txt|b|enz|benz");
  EXPECT_EQ(Fields(SplitInputPath("c:\\data\\benz.a.in")),
            "c:\\data\\benz.a.in|c:\\data\\|benz.a|c:\\data\\benz.a");
  EXPECT_EQ(Fields(RebuildDatasetPaths(" c:\\my data\\ ", "benz ")),
            " c:\\my data\\ benz .in| c:\\my data\\ |benz | c:\\my data\\ benz ");
  if (EndsFolder('/')) {
    EXPECT_EQ(Fields(SplitInputPath("/home/ana/data/benz.in")),
              "/home/ana/data/benz.in|/home/ana/data/|benz|/home/ana/data/benz");
  }
}

// Where the batch line goes through the command interpreter (Windows:
// BatchLineGoesThroughInterpreter) a dataset name with one of its special
// characters is refused before anything starts; elsewhere every name passes.
TEST(BatchRule, RefusesANameThatWouldReachTheInterpreter) {
  for (char c : std::string("&|<>^%")) {
    const DatasetState dataset = SplitInputPath(std::string("c:\\data\\be") + c + "nz.in");
    EXPECT_EQ(InterpreterSpecialCharacter(dataset.DatasetName), c);
    for (bool interpreter : {false, true}) {
      EXPECT_EQ(BatchRefusal(dataset, interpreter).has_value(), interpreter) << c;
    }
  }
  EXPECT_EQ(InterpreterSpecialCharacter("a%b&c"), '%');
  EXPECT_EQ(InterpreterSpecialCharacter("benz (1)!;,=\"'"), std::nullopt);
  EXPECT_FALSE(BatchRefusal(SplitInputPath("c:\\R&D\\benz (1)!.in"), true));  // not on the line

  std::optional<Message> refusal = BatchRefusal(RebuildDatasetPaths("c:\\data\\", "a&b"), true);
  ASSERT_TRUE(refusal);
  EXPECT_EQ(refusal->text,
            "Cannot run c:\\zorb\\wtarvo.bat on the dataset 'a&b': the command interpreter gives "
            "the character & a meaning of its own");
  EXPECT_EQ(refusal->title, "Warning");
  EXPECT_EQ(refusal->icon, MessageIcon::Critical);
}

}  // namespace
}  // namespace wt
