// All Steps where no second thread can be had (POSIX): each file is written
// as its step is read, with the same files, messages and progress.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "converter/main1.h"
#include "converter/tests/testfiles.h"
#include "platform/recorder.h"
#include "platform/tests/withoutthreads.h"

namespace wt {
namespace {

namespace fs = std::filesystem;

// What an All Steps run of `tail` left: its status, messages, progress and
// the files of c:\zorb\ but the coordinate file.
struct Outcome {
  int status = -1;
  std::vector<std::string> texts;
  std::vector<std::pair<int, int>> progress;
  std::map<std::string, std::string> files;
  friend bool operator==(const Outcome&, const Outcome&) = default;
};

Outcome AllStepsOf(const testing::TempDrives& drives, const std::string& tail) {
  Recorder recorder;
  Converter converter(recorder);
  Outcome run;
  if (converter.StartRoutine(tail) != std::nullopt) return run;
  run.status =
      converter.AllSteps([&](int done, int total) { run.progress.emplace_back(done, total); });
  for (const Message& m : recorder.Messages()) run.texts.push_back(m.title + ": " + m.text);
  for (const auto& entry : fs::directory_iterator(drives.Zorb(""))) {
    const std::string name = entry.path().filename().string();
    if (name != "run.cor" && entry.is_regular_file()) {
      run.files[name] = testing::ReadBytes(entry.path());
    }
  }
  return run;
}

TEST(AllStepsWithoutThreads, WritesTheSameFilesAndStopsAtTheSameFailure) {
  testing::TempDrives drives;
  std::string steps;
  for (int k = 1; k <= 6; ++k) {
    steps += testing::Step("1", {testing::AtomLine(std::to_string(k), "0", "0", "H ")});
  }
  const std::string tail = drives.Write("run.cor", steps) + " 3";
  const auto clear = [&] {
    for (const auto& entry : fs::directory_iterator(drives.Zorb(""))) {
      if (entry.path().filename() != "run.cor") fs::remove_all(entry.path());
    }
  };
  // The part below may run as nobody: c:\zorb\ is open to all.
  fs::permissions(drives.Zorb(""), fs::perms::all);

  const Outcome whole = AllStepsOf(drives, tail);
  ASSERT_EQ(whole.status, 0);
  ASSERT_EQ(whole.files.size(), 6u);
  clear();
  EXPECT_EQ(testing::RunWithoutThreads([&] { return AllStepsOf(drives, tail) == whole; }),
            "passed");

  clear();
  fs::create_directory(drives.Zorb("tarvo003.com"));
  const Outcome stopped = AllStepsOf(drives, tail);
  ASSERT_EQ(stopped.status, 1);
  ASSERT_EQ(stopped.files.size(), 2u);  // steps 1 and 2
  clear();
  fs::create_directory(drives.Zorb("tarvo003.com"));
  fs::permissions(drives.Zorb("tarvo003.com"), fs::perms::all);
  EXPECT_EQ(testing::RunWithoutThreads([&] { return AllStepsOf(drives, tail) == stopped; }),
            "passed");
}

}  // namespace
}  // namespace wt
