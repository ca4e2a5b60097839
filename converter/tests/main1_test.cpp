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
  converter_.coordFilePath = drives_.Write("run.cor", "being rewritten\r\n");
  EXPECT_EQ(converter_.ConvertOnlyStep(), 0);
  EXPECT_TRUE(recorder_.events.empty());
  EXPECT_FALSE(std::filesystem::exists(drives_.Zorb("tarvo.mol")));
  drives_.Write("run.cor", HydrogenStep());
  EXPECT_EQ(converter_.ConvertOnlyStep(), 0);
  EXPECT_EQ(Texts(), std::vector<std::string>{"Info: The file 'C:\\zorb\\tarvo.mol' is created"});
}

TEST_F(ConverterTest, AnUnreadableFileIsReportedWithItsNameAndWhy) {
  EXPECT_EQ(converter_.StartRoutine(drives_.WriteLongLine("long.cor", "")), 1);
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

TEST_F(ConverterTest, AllStepsOfNoStepWritesNothingAndConfirms) {
  ASSERT_EQ(converter_.StartRoutine(drives_.Write("run.cor", "no marker") + " 3"), std::nullopt);
  EXPECT_EQ(converter_.AllSteps(), 0);
  EXPECT_EQ(Texts(), std::vector<std::string>{"Info: The file 'C:\\zorb\\tarvo.com' is created"});
}

}  // namespace
}  // namespace wt
