#include "frontend/wtrv.h"

#include <gtest/gtest.h>

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
}

// Where the batch line goes through the command interpreter (Windows:
// BatchLineGoesThroughInterpreter) a dataset name with one of its special
// characters is refused before anything starts; elsewhere every name passes.
TEST(BatchRule, RefusesANameThatWouldReachTheInterpreter) {
  for (char c : std::string("&|<>^%")) {
    const DatasetState dataset = RebuildDatasetPaths("c:\\data\\", std::string("be") + c + "nz");
    EXPECT_TRUE(BatchRefusal(dataset, true) && !BatchRefusal(dataset, false)) << c;
  }
  EXPECT_FALSE(BatchRefusal(SplitInputPath("c:\\R&D\\benz (1)!;,=\"'.in"), true));

  const std::optional<Message> refusal =
      BatchRefusal(RebuildDatasetPaths("c:\\data\\", "a%b&c"), true);
  ASSERT_TRUE(refusal);
  EXPECT_EQ(refusal->title + "|" + refusal->text,
            "Warning|Cannot run c:\\zorb\\wtarvo.bat on the dataset 'a%b&c': the command "
            "interpreter gives the character % a meaning of its own");
  EXPECT_EQ(refusal->icon, MessageIcon::Critical);
}

}  // namespace
}  // namespace wt
