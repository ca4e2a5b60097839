#include "converter/main1.h"

#include <gtest/gtest.h>

#include "converter/tests/testfiles.h"
#include "platform/recorder.h"

namespace wt {
namespace {

using testing::HydrogenStep;

class ConverterTest : public ::testing::Test {
 protected:
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const Message& m : recorder_.Messages()) texts.push_back(m.title + ": " + m.text);
    return texts;
  }

  testing::TempDrives drives_;
  Recorder recorder_;
  Converter converter_{recorder_};
};

TEST_F(ConverterTest, AFileThatVanishedIsReportedNotWrittenAsEmpty) {
  ASSERT_EQ(converter_.StartRoutine(drives_.Write("run.cor", HydrogenStep() + HydrogenStep())),
            std::nullopt);
  std::filesystem::remove(drives_.Zorb("run.cor"));
  EXPECT_EQ(converter_.ConvertStep("1"), 1);
  EXPECT_EQ(Texts(), std::vector<std::string>{"Warning: The file 'c:\\zorb\\run.cor' cannot be "
                                              "read: No such file or directory"});
  EXPECT_FALSE(std::filesystem::exists(drives_.Zorb("tarvo.mol")));
}

TEST_F(ConverterTest, StepOneGoneSinceTheCountEndsQuietly) {
  ASSERT_EQ(converter_.StartRoutine(drives_.Write("run.cor", HydrogenStep() + HydrogenStep())),
            std::nullopt);
  drives_.Write("run.cor", "being rewritten\r\n");
  EXPECT_EQ(converter_.ConvertOnlyStep(), 0);
  EXPECT_TRUE(recorder_.events.empty());
  EXPECT_FALSE(std::filesystem::exists(drives_.Zorb("tarvo.mol")));
  drives_.Write("run.cor", HydrogenStep());
  EXPECT_EQ(converter_.ConvertOnlyStep(), 0);
  EXPECT_EQ(Texts(), std::vector<std::string>{"Info: The file 'C:\\zorb\\tarvo.mol' is created"});
}

TEST_F(ConverterTest, AnUnreadableFileIsReportedWithItsNameAndWhy) {
  EXPECT_EQ(converter_.StartRoutine(testing::WriteLongLine(drives_, "long.cor", "")), 1);
  EXPECT_EQ(Texts(), std::vector<std::string>{"Warning: The file 'c:\\zorb\\long.cor' cannot be "
                                              "read: a line is longer than 64 MiB"});
}

TEST_F(ConverterTest, AllStepsStopsAtABadStepAndKeepsTheFilesBefore) {
  const std::string path = drives_.Write("run.cor", HydrogenStep() + HydrogenStep() + "$\r\n3\r\n");
  ASSERT_EQ(converter_.StartRoutine(path + " 2"), std::nullopt);
  std::vector<std::pair<int, int>> progress;
  EXPECT_EQ(converter_.AllSteps([&](int done, int total) { progress.emplace_back(done, total); }),
            1);
  EXPECT_EQ(progress, (std::vector<std::pair<int, int>>{{1, 3}, {2, 3}}));
  EXPECT_TRUE(std::filesystem::exists(drives_.Zorb("tarvo002.xyz")));
  EXPECT_FALSE(std::filesystem::exists(drives_.Zorb("tarvo003.xyz")));
  EXPECT_EQ(Texts(), std::vector<std::string>{
                         "Warning: Step 3 of the file 'c:\\zorb\\run.cor' is incomplete: the file "
                         "ends inside it (All Steps stopped at step 3; the files of steps 1 to 2 "
                         "are written)"});
}

// A step with a coordinate wider than its field is not written, whether it
// is the only step, the step of "Ok" or one step of All Steps; All Steps
// keeps the files before it and shows no confirmation.
TEST_F(ConverterTest, ACoordinateWiderThanItsFieldStopsTheConversion) {
  using testing::AtomLine;
  const std::string wide = testing::Step("1", {AtomLine("-1234.5", "12345.5", "0", "C ")});
  const std::string wideText = "atom 1 has x = -1234.50000, wider than its 10-character field";

  EXPECT_EQ(converter_.StartRoutine(drives_.Write("one.cor", wide) + " 2"), 1);
  EXPECT_EQ(Texts(), std::vector<std::string>{"Warning: The file 'C:\\zorb\\tarvo.xyz' cannot be "
                                              "written: " +
                                              wideText});
  EXPECT_FALSE(std::filesystem::exists(drives_.Zorb("tarvo.xyz")));
  recorder_.events.clear();

  Converter again(recorder_);
  ASSERT_EQ(
      again.StartRoutine(drives_.Write("run.cor", HydrogenStep() + wide + HydrogenStep()) + " 2"),
      std::nullopt);
  EXPECT_EQ(again.ConvertStep("2"), 1);
  EXPECT_EQ(again.AllSteps(), 1);
  EXPECT_EQ(Texts(),
            (std::vector<std::string>{
                "Warning: The file 'C:\\zorb\\tarvo.xyz' cannot be written: " + wideText,
                "Warning: The file 'C:\\zorb\\tarvo002.xyz' cannot be written: " + wideText +
                    " (All Steps stopped at step 2; the files of steps 1 to 1 are "
                    "written)"}));
  EXPECT_TRUE(std::filesystem::exists(drives_.Zorb("tarvo001.xyz")));
  EXPECT_FALSE(std::filesystem::exists(drives_.Zorb("tarvo002.xyz")));
  EXPECT_FALSE(std::filesystem::exists(drives_.Zorb("tarvo003.xyz")));
  EXPECT_FALSE(std::filesystem::exists(drives_.Zorb("tarvo.xyz")));

  // The same step fits the fields of 12 of the Kryst molecule file.
  Converter kryst(recorder_);
  recorder_.events.clear();
  EXPECT_EQ(kryst.StartRoutine(drives_.Write("one.cor", wide) + " 1"), 0);
  EXPECT_EQ(Texts(), std::vector<std::string>{"Info: The file 'C:\\zorb\\tarvo.mol' is created"});
}

// The steps are read from where the count found them only while the file
// is as it was; a file rewritten since is read afresh, by Ok and All Steps.
TEST_F(ConverterTest, StepsOfAFileRewrittenSinceTheCountAreReadAfresh) {
  const std::string carbon = testing::Step("1", {testing::AtomLine("1", "2", "3", "C ")});
  const std::string path = drives_.Write("run.cor", HydrogenStep() + HydrogenStep());
  ASSERT_EQ(converter_.StartRoutine(path + " 2"), std::nullopt);
  drives_.Write("run.cor", "a new title\r\n" + carbon + carbon);
  EXPECT_EQ(converter_.AllSteps(), 0);
  const std::string expected = "C      1.00000   2.00000   3.00000\r\n";
  EXPECT_EQ(drives_.Read("tarvo002.xyz"), "C:\\zorb\\tarvo002.xyz\r\n 1 \r\n" + expected);
  EXPECT_EQ(converter_.ConvertStep("2"), 0);
  EXPECT_EQ(drives_.Read("tarvo.xyz"), "C:\\zorb\\tarvo.xyz\r\n 1 \r\n" + expected);
}

TEST_F(ConverterTest, AllStepsOfNoStepWritesNothingAndConfirms) {
  ASSERT_EQ(converter_.StartRoutine(drives_.Write("run.cor", "no marker") + " 3"), std::nullopt);
  EXPECT_EQ(converter_.AllSteps(), 0);
  EXPECT_EQ(Texts(), std::vector<std::string>{"Info: The file 'C:\\zorb\\tarvo.com' is created"});
}

}  // namespace
}  // namespace wt
