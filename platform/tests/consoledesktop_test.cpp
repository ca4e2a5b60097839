#include "platform/consoledesktop.h"

#include <gtest/gtest.h>

#include <sstream>

#include "platform/recorder.h"

namespace wt {
namespace {

TEST(ConsoleDesktop, MessageBoxesBecomeLinesOnStandardErrorAndNoDialogIsShown) {
  std::ostringstream err;
  ConsoleDesktop console(err);
  EXPECT_EQ(console.ShowMessage({"File c:\\data\\benz.out does not exist", "Warning",
                                 MessageIcon::Critical, MessageButtons::OkCancel}),
            MessageAnswer::Ok);
  EXPECT_EQ(console.ShowMessage({"001 File not found"}), MessageAnswer::Ok);
  EXPECT_EQ(err.str(), "Warning: File c:\\data\\benz.out does not exist\n001 File not found\n");
  FileDialog dialog;
  dialog.fileName = "benz.in";
  EXPECT_EQ(console.ShowOpen(dialog), DialogOutcome::Cancelled);
  EXPECT_EQ(dialog.fileName, "benz.in");
}

// Every test of a window stands on the recorder's script and log.
TEST(Recorder, LogsAndAnswersFromItsScript) {
  Recorder rec;
  rec.messageAnswers = {MessageAnswer::Cancel};
  rec.openAnswers = {std::string("c:\\data\\benz.in"), std::nullopt};
  EXPECT_EQ(rec.ShowMessage({"a", "Warning"}), MessageAnswer::Cancel);
  EXPECT_EQ(rec.ShowMessage({"b"}), MessageAnswer::Ok);
  FileDialog dialog;
  dialog.fileName = "x.in";
  EXPECT_EQ(rec.ShowOpen(dialog), DialogOutcome::Chosen);
  EXPECT_EQ(rec.ShowOpen(dialog), DialogOutcome::Cancelled);
  EXPECT_EQ(dialog.fileName, "c:\\data\\benz.in");
  EXPECT_EQ(rec.events[2].dialog.fileName, "x.in");  // as it was shown

  ASSERT_TRUE(rec.SetCurrentFolder("c:\\data\\", nullptr));
  ASSERT_TRUE(rec.StartProgram("c:\\zorb\\wtarvo.bat benz", WindowRequest::NormalActivated, {}));
  rec.startFailure = "No such file or directory";
  std::string reason;
  EXPECT_FALSE(rec.StartProgram("notepad  x", WindowRequest::MaximizedActivated, &reason));
  EXPECT_EQ(reason, "No such file or directory");
  EXPECT_EQ(rec.Starts(), (std::vector<std::string>{"c:\\zorb\\wtarvo.bat benz", "notepad  x"}));
  EXPECT_EQ(rec.Last(RecordedEvent::Kind::Start)->folder, "c:\\data\\");
  EXPECT_EQ(rec.Messages().size(), 2u);
}

}  // namespace
}  // namespace wt
