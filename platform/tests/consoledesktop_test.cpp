#include "platform/consoledesktop.h"

#include <gtest/gtest.h>

#include <sstream>

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
  FileDialog dialog{.fileName = "benz.in"};
  EXPECT_EQ(console.ShowOpen(dialog), DialogOutcome::Cancelled);
  EXPECT_EQ(dialog.fileName, "benz.in");
}

}  // namespace
}  // namespace wt
