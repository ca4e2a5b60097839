// All Steps where no second thread can be had (POSIX): each file is written
// as its step is read, with the same files, messages and progress.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "converter/main1.h"
#include "converter/tests/testfiles.h"
#include "platform/recorder.h"
#include "platform/tests/withoutthreads.h"

namespace wt {
namespace {

namespace fs = std::filesystem;

// All Steps on six steps to Gauss 94 inputs, step 3's file blocked by a
// folder or not: its progress, status and messages, and the files it wrote.
std::string AllSteps(const testing::TempDrives& drives, bool blocked) {
  for (const auto& entry : fs::directory_iterator(drives.Zorb(""))) fs::remove_all(entry.path());
  std::string steps;
  for (const char* x : {"1", "2", "3", "4", "5", "6"}) {
    steps += testing::Step("1", {testing::AtomLine(x, "0", "0", "H ")});
  }
  const std::string tail = drives.Write("run.cor", steps) + " 3";
  if (blocked) fs::create_directory(drives.Zorb("tarvo003.com"));
  Recorder recorder;
  Converter converter(recorder);
  if (converter.StartRoutine(tail)) return "ended at the start";
  std::string run;
  const int status = converter.AllSteps([&](int done, int total) {
    run += std::to_string(done) + "/" + std::to_string(total) + " ";
  });
  run += std::to_string(status);
  for (const Message& m : recorder.Messages()) run += "|" + m.title + ": " + m.text;
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::directory_iterator(drives.Zorb(""))) {
    if (entry.is_regular_file()) files[entry.path().filename()] = testing::ReadBytes(entry.path());
  }
  for (const auto& [name, bytes] : files) run += "|" + name + ":" + bytes;
  return run;
}

TEST(AllStepsWithoutThreads, WritesTheSameFilesAndStopsAtTheSameFailure) {
  testing::TempDrives drives;
  // The part below may run as nobody: c:\zorb\ is open to all.
  fs::permissions(drives.Zorb(""), fs::perms::all);
  for (const bool blocked : {false, true}) {
    const std::string withThreads = AllSteps(drives, blocked);
    EXPECT_TRUE(withThreads.starts_with(blocked ? "1/6 2/6 1|" : "1/6 2/6 3/6 4/6 5/6 6/6 0|"))
        << withThreads;
    EXPECT_EQ(testing::RunWithoutThreads([&] { return AllSteps(drives, blocked) == withThreads; }),
              "passed")
        << blocked;
  }
}

}  // namespace
}  // namespace wt
