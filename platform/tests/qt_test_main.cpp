// main() for the tests of windows: they run headless under the offscreen
// platform unless QT_QPA_PLATFORM says otherwise.
#include <gtest/gtest.h>

#include <QApplication>

#include "platform/testenv.h"

int main(int argc, char** argv) {
  if (!wt::EnvironmentValue("QT_QPA_PLATFORM")) wt::SetEnvironment("QT_QPA_PLATFORM", "offscreen");
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
