#include "converter/main1.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

#include "converter/libreria.h"
#include "converter/tests/testfiles.h"
#include "platform/atomicfile.h"
#include "platform/recorder.h"

namespace wt {
namespace {

using testing::HydrogenStep;

// Steps first to last, each its own: step k has a carbon at (k.125, -0.5, 3)
// and a hydrogen at (1, -k.75, 0.0000049).
std::string Steps(int first, int last) {
  std::string text;
  for (int k = first; k <= last; ++k) {
    const std::string n = std::to_string(k);
    text += testing::Step("2", {testing::AtomLine(n + ".125", "-0.5", "3", "C ", n),
                                testing::AtomLine("1", "-" + n + ".75", "0.0000049", "H ")});
  }
  return text;
}

class ConverterTest : public ::testing::Test {
 protected:
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const Message& m : recorder_.Messages()) texts.push_back(m.title + ": " + m.text);
    return texts;
  }

  // Everything in c:\zorb\, temporary files included.
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(drives_.Zorb(""))) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  // Why c:\zorb\<name> cannot be written, in the OS's words.
  static std::string WhyNotWritten(std::string_view name) {
    std::string reason;
    EXPECT_FALSE(WriteFileAtomically("C:\\zorb\\" + std::string(name), "", &reason));
    return reason;
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

// The files are written a few steps behind the reading, yet a file that
// cannot be written stops the run there: later steps already made are
// dropped, and their old files stay as they were.
TEST_F(ConverterTest, AllStepsStopsAtAFileThatCannotBeWritten) {
  ASSERT_EQ(converter_.StartRoutine(drives_.Write("run.cor", Steps(1, 8)) + " 2"), std::nullopt);
  std::filesystem::create_directory(drives_.Zorb("tarvo003.xyz"));
  drives_.Write("tarvo004.xyz", "old\r\n");
  drives_.Write("tarvo008.xyz", "old\r\n");
  const std::string reason = WhyNotWritten("tarvo003.xyz");
  std::vector<std::pair<int, int>> progress;
  EXPECT_EQ(converter_.AllSteps([&](int done, int total) { progress.emplace_back(done, total); }),
            1);
  EXPECT_EQ(progress, (std::vector<std::pair<int, int>>{{1, 8}, {2, 8}}));
  EXPECT_EQ(Texts(), std::vector<std::string>{"Warning: The file 'C:\\zorb\\tarvo003.xyz' cannot "
                                              "be written: " +
                                              reason +
                                              " (All Steps stopped at step 3; the files of steps "
                                              "1 to 2 are written)"});
  EXPECT_EQ(Names(), (std::vector<std::string>{"run.cor", "tarvo001.xyz", "tarvo002.xyz",
                                               "tarvo003.xyz", "tarvo004.xyz", "tarvo008.xyz"}));
  EXPECT_EQ(drives_.Read("tarvo004.xyz"), "old\r\n");
  EXPECT_EQ(drives_.Read("tarvo008.xyz"), "old\r\n");
}

// The reading may reach a bad step while an earlier file is still being
// written; when that file fails, the run stopped there, as it would have
// one step after another.
TEST_F(ConverterTest, AnEarlierFileThatCannotBeWrittenIsReportedBeforeALaterBadStep) {
  ASSERT_EQ(converter_.StartRoutine(drives_.Write("run.cor", Steps(1, 3) + "$\r\n3\r\n") + " 2"),
            std::nullopt);
  std::filesystem::create_directory(drives_.Zorb("tarvo002.xyz"));
  const std::string reason = WhyNotWritten("tarvo002.xyz");
  std::vector<std::pair<int, int>> progress;
  EXPECT_EQ(converter_.AllSteps([&](int done, int total) { progress.emplace_back(done, total); }),
            1);
  EXPECT_EQ(progress, (std::vector<std::pair<int, int>>{{1, 4}}));
  EXPECT_EQ(Texts(), std::vector<std::string>{"Warning: The file 'C:\\zorb\\tarvo002.xyz' cannot "
                                              "be written: " +
                                              reason +
                                              " (All Steps stopped at step 2; the files of steps "
                                              "1 to 1 are written)"});
  EXPECT_EQ(Names(), (std::vector<std::string>{"run.cor", "tarvo001.xyz", "tarvo002.xyz"}));
}

// Each file of All Steps has the bytes that converting its step alone gives,
// but for its own name inside. Progress and messages, which drive windows,
// come on the calling thread; a step is heard once its file is there, and
// the confirmation once every file is.
TEST_F(ConverterTest, AllStepsWritesWhatEachStepAloneWritesAndReportsOnTheCallingThread) {
  const std::string path = drives_.Write("run.cor", Steps(1, 30));
  const std::thread::id caller = std::this_thread::get_id();
  for (std::int16_t kind = 1; kind <= 4; ++kind) {
    const auto written = [&](int k) {
      return std::filesystem::exists(
          drives_.Zorb(TargetFileName(NumberedBasePath(k), kind).substr(8)));
    };
    recorder_.onMessage = [&](const Message&) {
      EXPECT_EQ(std::this_thread::get_id(), caller);
      EXPECT_TRUE(written(30));
    };
    Converter converter(recorder_);
    ASSERT_EQ(converter.StartRoutine(path + " " + std::to_string(kind)), std::nullopt);
    converter.routeLine().SetRouteLine("# MP2/6-31G");
    int heard = 0;
    EXPECT_EQ(converter.AllSteps([&](int done, int total) {
      EXPECT_EQ(std::this_thread::get_id(), caller);
      EXPECT_EQ(std::pair(done, total), std::pair(heard + 1, 30));
      EXPECT_TRUE(written(done));
      heard = done;
    }),
              0);
    EXPECT_EQ(heard, 30);
    const std::string single = TargetFileName(kSingleStepBasePath, kind);
    for (int k = 1; k <= 30; ++k) {
      EXPECT_EQ(converter.ConvertStep(std::to_string(k)), 0);
      std::string expected = drives_.Read(single.substr(8));
      const std::string numbered = TargetFileName(NumberedBasePath(k), kind);
      expected.replace(expected.find(single), single.size(), numbered);
      EXPECT_EQ(drives_.Read(numbered.substr(8)), expected) << numbered;
    }
  }
}

// An exception on the calling thread (here from the progress callback)
// leaves AllSteps with the writing thread ended and only whole files, those
// of the first steps.
TEST_F(ConverterTest, AnExceptionDuringAllStepsLeavesWholeFilesOfTheFirstSteps) {
  ASSERT_EQ(converter_.StartRoutine(drives_.Write("run.cor", Steps(1, 20)) + " 2"), std::nullopt);
  struct Interrupted {};
  EXPECT_THROW(converter_.AllSteps([](int done, int) {
    if (done == 3) throw Interrupted{};
  }),
               Interrupted);
  const std::vector<std::string> names = Names();
  ASSERT_GE(names.size(), 4u);
  EXPECT_EQ(names.front(), "run.cor");
  for (std::size_t k = 1; k < names.size(); ++k) {
    const std::string base = NumberedBasePath(static_cast<int>(k));
    ASSERT_EQ(names[k], base.substr(8) + ".xyz");
    const std::string text = drives_.Read(names[k]);
    EXPECT_EQ(text.substr(0, text.find('\r')), base + ".xyz");
    EXPECT_TRUE(text.ends_with("    .00000\r\n")) << text;
  }
}

TEST_F(ConverterTest, AllStepsOfNoStepWritesNothingAndConfirms) {
  ASSERT_EQ(converter_.StartRoutine(drives_.Write("run.cor", "no marker") + " 3"), std::nullopt);
  EXPECT_EQ(converter_.AllSteps(), 0);
  EXPECT_EQ(Texts(), std::vector<std::string>{"Info: The file 'C:\\zorb\\tarvo.com' is created"});
}

}  // namespace
}  // namespace wt
