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

TEST(AllStepsWithoutThreads, WritesTheSameFilesAndStopsAtTheSameFailure) {
  testing::TempDrives drives;
  std::string steps;
  for (int k = 1; k <= 6; ++k) {
    steps += testing::Step("1", {testing::AtomLine(std::to_string(k), "0", "0", "H ")});
  }
  const std::string tail = drives.Write("run.cor", steps) + " 3";
  // What All Steps on the file left: its status, progress and messages, and
  // the files of c:\zorb\ but the coordinate file.
  const auto allSteps = [&] {
    Recorder recorder;
    Converter converter(recorder);
    if (converter.StartRoutine(tail)) return std::string("ended at the start");
    std::string run;
    const int status = converter.AllSteps([&](int done, int total) {
      run += std::to_string(done) + "/" + std::to_string(total) + " ";
    });
    run += std::to_string(status);
    for (const Message& m : recorder.Messages()) run += "|" + m.title + ": " + m.text;
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::directory_iterator(drives.Zorb(""))) {
      if (entry.is_regular_file())
        files[entry.path().filename()] = testing::ReadBytes(entry.path());
    }
    files.erase("run.cor");
    for (const auto& [name, bytes] : files) run += "|" + name + ":" + bytes;
    return run;
  };
  // The part below may run as nobody: c:\zorb\ is open to all.
  fs::permissions(drives.Zorb(""), fs::perms::all);
  // Step 3's file blocked by a folder or not, the files of a run before gone.
  for (const bool blocked : {false, true}) {
    const auto prepare = [&] {
      for (const auto& entry : fs::directory_iterator(drives.Zorb(""))) {
        if (entry.path().filename() != "run.cor") fs::remove_all(entry.path());
      }
      if (!blocked) return;
      fs::create_directory(drives.Zorb("tarvo003.com"));
      fs::permissions(drives.Zorb("tarvo003.com"), fs::perms::all);
    };
    prepare();
    const std::string withThreads = allSteps();
    EXPECT_TRUE(withThreads.starts_with(blocked ? "1/6 2/6 1|" : "1/6 2/6 3/6 4/6 5/6 6/6 0|"))
        << withThreads;
    prepare();
    EXPECT_EQ(testing::RunWithoutThreads([&] { return allSteps() == withThreads; }), "passed")
        << blocked;
  }
}

}  // namespace
}  // namespace wt
