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

using testing::AtomLine;
using testing::HydrogenStep;
using testing::Step;
using Texts = std::vector<std::string>;
using Progress = std::vector<std::pair<int, int>>;

// Steps 1 to n, each its own: step k has a carbon at (k.125, -0.5, 3) and a
// hydrogen at (1, -k.75, 0.0000049).
std::string Steps(int n) {
  std::string text;
  for (int k = 1; k <= n; ++k) {
    const std::string n = std::to_string(k);
    text += Step("2", {AtomLine(n + ".125", "-0.5", "3", "C ", n),
                       AtomLine("1", "-" + n + ".75", "0.0000049", "H ")});
  }
  return text;
}

class ConverterTest : public ::testing::Test {
 protected:
  // The messages shown since the last call, as "Title: text".
  Texts Shown() {
    Texts texts;
    for (const Message& m : recorder_.Messages()) texts.push_back(m.title + ": " + m.text);
    recorder_.events.clear();
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

  testing::TempDrives drives_;
  Recorder recorder_;
  Converter converter_{recorder_};
};

// Ok reports a bad step, naming the file and the step; All Steps stops there,
// keeps the files before it and confirms nothing. 65537 atoms would wrap to 1.
TEST_F(ConverterTest, ABadStepIsReportedAndStopsAllSteps) {
  const std::string atom = AtomLine("1", "1", "1", "H ");
  const std::string of = "step 3 of the file 'c:\\zorb\\run.cor'";
  const std::string cut =
      "Step 3 of the file 'c:\\zorb\\run.cor' is incomplete: the file ends inside it";
  const std::string count = "The atom count of " + of + " lies outside -32768 to 32767";
  const std::string atomOf = "An atom of " + of + " has a ";
  const std::string wide =
      "' cannot be written: atom 1 has x = -1234.50000, wider than its 10-character field";
  const std::tuple<std::string, std::string, std::string> cases[] = {
      {"$\r\n", cut, ""},
      {Step("3", {atom, atom}), cut, ""},
      {Step("65537", {atom}), count, ""},
      {Step("1", {AtomLine("1", "1", "1", "H ", "1E5")}),
       atomOf + "number in columns 73 to 75 outside -32768 to 32767", ""},
      {Step("1", {AtomLine("1E39", "1", "1", "H ")}),
       atomOf + "coordinate beyond the range of single precision", ""},
      {Step("1", {AtomLine("-1234.5", "12345.5", "0", "C ")}),
       "The file 'C:\\zorb\\tarvo.xyz" + wide, "The file 'C:\\zorb\\tarvo003.xyz" + wide}};
  for (const auto& [bad, ok, all] : cases) {
    Converter converter(recorder_);
    const std::string path = drives_.Write("run.cor", HydrogenStep() + HydrogenStep() + bad);
    ASSERT_EQ(converter.StartRoutine(path + " 2"), std::nullopt);
    EXPECT_EQ(converter.ConvertStep("3"), 1);
    Progress progress;
    EXPECT_EQ(converter.AllSteps([&](int done, int total) { progress.emplace_back(done, total); }),
              1);
    EXPECT_EQ(progress, (Progress{{1, 3}, {2, 3}}));
    EXPECT_EQ(Shown(), (Texts{"Warning: " + ok, "Warning: " + (all.empty() ? ok : all) +
                                                    " (All Steps stopped at step 3; the files of "
                                                    "steps 1 to 2 are written)"}));
    EXPECT_EQ(Names(), (Texts{"run.cor", "tarvo001.xyz", "tarvo002.xyz"}));
  }
}

TEST_F(ConverterTest, AFileOfTooManyStepsOrTooLongALineIsReported) {
  std::string markers;
  for (int i = 0; i <= 32767; ++i) markers += "$\r\n";
  EXPECT_EQ(converter_.StartRoutine(drives_.Write("run.cor", markers)), 1);
  const std::string longLine = drives_.Write("long.cor", "$\r\n");
  std::filesystem::resize_file(drives_.Zorb("long.cor"), std::uintmax_t{65} << 20);  // NULs, sparse
  EXPECT_EQ(Converter(recorder_).StartRoutine(longLine), 1);
  EXPECT_EQ(Shown(), (Texts{"Warning: The file 'c:\\zorb\\run.cor' holds more than 32767 steps",
                            "Warning: The file 'c:\\zorb\\long.cor' cannot be read: a line is "
                            "longer than 64 MiB"}));
  EXPECT_EQ(Names(), (Texts{"long.cor", "run.cor"}));
}

// The files are written a few steps behind the reading, yet the first that
// cannot be written stops the run: a later bad step already read is not
// told, and no later file is written, though it was made.
TEST_F(ConverterTest, AllStepsStopsAtTheFirstFileThatCannotBeWritten) {
  ASSERT_EQ(converter_.StartRoutine(drives_.Write("run.cor", Steps(3) + "$\r\n3\r\n") + " 2"),
            std::nullopt);
  std::filesystem::create_directory(drives_.Zorb("tarvo001.xyz"));
  std::string reason;
  EXPECT_FALSE(WriteFileAtomically("C:\\zorb\\tarvo001.xyz", "", &reason));
  drives_.Write("tarvo003.xyz", "old\r\n");
  EXPECT_EQ(converter_.AllSteps([](int, int) { ADD_FAILURE() << "no step is done"; }), 1);
  EXPECT_EQ(Shown(), Texts{"Warning: The file 'C:\\zorb\\tarvo001.xyz' cannot be written: " +
                           reason + " (All Steps stopped at step 1; no file is written)"});
  EXPECT_EQ(Names(), (Texts{"run.cor", "tarvo001.xyz", "tarvo003.xyz"}));
  EXPECT_EQ(drives_.Read("tarvo003.xyz"), "old\r\n");
}

// Each file of All Steps holds what converting its step alone gives, but for
// its name. Progress and messages come on the calling thread; a step is heard
// once its file is there, the confirmation once every file is.
TEST_F(ConverterTest, AllStepsWritesWhatEachStepAloneWritesAndReportsOnTheCallingThread) {
  const std::string path = drives_.Write("run.cor", Steps(30));
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

// An exception from the progress callback leaves AllSteps with the writing
// thread ended and only whole files, those of the first steps.
TEST_F(ConverterTest, AnExceptionDuringAllStepsLeavesWholeFilesOfTheFirstSteps) {
  ASSERT_EQ(converter_.StartRoutine(drives_.Write("run.cor", Steps(20)) + " 2"), std::nullopt);
  struct Interrupted {};
  EXPECT_THROW(converter_.AllSteps([](int done, int) {
    if (done == 3) throw Interrupted{};
  }),
               Interrupted);
  const Texts names = Names();  // run.cor first
  ASSERT_GE(names.size(), 4u);
  for (std::size_t k = 1; k < names.size(); ++k) {
    const std::string name = NumberedBasePath(static_cast<int>(k)) + ".xyz",
                      text = drives_.Read(names[k]);
    ASSERT_EQ(names[k], name.substr(8));
    EXPECT_TRUE(text.starts_with(name + "\r\n") && text.ends_with("    .00000\r\n")) << text;
  }
}

}  // namespace
}  // namespace wt
