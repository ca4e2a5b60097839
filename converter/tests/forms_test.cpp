#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>

#include "converter/form1.h"
#include "converter/tests/testfiles.h"
#include "platform/recorder.h"

namespace wt {
namespace {

class FormsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    drives_.Write("temp64", testing::ReadBytes(std::string(WT_SAMPLE_DIR) + "/temp64"));
    StartOn("");
    form_.show();
  }
  // The start routine on `tail`, which opens the step window.
  void StartOn(const std::string& tail) {
    ASSERT_EQ(converter_.StartRoutine(tail), std::nullopt);
    form_.SetRangeLabel();
  }

  // A control by its name, in the step window's client area unless `in` says
  // where.
  template <typename Control>
  Control* Get(const char* name, QObject* in = nullptr) {
    auto* control = (in ? in : form_.centralWidget())->findChild<Control*>(name);
    EXPECT_NE(control, nullptr) << name;
    return control;
  }
  QAction* Item(const char* name) { return Get<QAction>(name, form_.menuBar()); }
  // The input-line window while it exists.
  QWidget* InputLineWindow() {
    return form_.findChild<QWidget*>(QStringLiteral("Form2"), Qt::FindDirectChildrenOnly);
  }

  testing::TempDrives drives_;
  Recorder recorder_;
  Converter converter_{recorder_};
  std::vector<int> ended_;
  Form1 form_{converter_, [this](int status) { ended_.push_back(status); }};
};

// Enter presses Ok, which has the focus; a wrong number keeps the window and
// what was typed.
TEST_F(FormsTest, EnterConvertsTheStepInTheBoxAndAWrongNumberKeepsTheWindow) {
  QLineEdit* box = Get<QLineEdit>("Text1");
  box->setText("abc");
  Get<QPushButton>("Command2")->click();
  EXPECT_TRUE(ended_.empty());
  EXPECT_EQ(box->text(), "abc");
  box->setText("1");
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QApplication::sendEvent(form_.focusWidget(), &enter);
  EXPECT_EQ(ended_, std::vector<int>{0});
  ASSERT_EQ(recorder_.Messages().size(), 2u);
  EXPECT_EQ(recorder_.Messages()[0].text, "Wrong Step Number");
  EXPECT_EQ(recorder_.Messages()[1].text, "The file 'C:\\zorb\\tarvo.mol' is created");
}

TEST_F(FormsTest, CancelAndTheCloseBoxEndWithoutWriting) {
  Get<QPushButton>("Command3")->click();
  Form1 other(converter_, [this](int status) { ended_.push_back(status + 10); });
  other.show();
  other.close();
  EXPECT_EQ(ended_, (std::vector<int>{0, 10}));
  EXPECT_FALSE(std::filesystem::exists(drives_.Zorb("tarvo.mol")));
}

// The input-line window: Ok takes the route line (an empty one gives the
// default back), Cancel does not; both hide the window, which keeps what was
// typed until it is closed. Its box keeps the first line of what is pasted.
TEST_F(FormsTest, TheInputLineWindow) {
  Item("Input_Line")->trigger();
  QWidget* form2 = InputLineWindow();
  ASSERT_NE(form2, nullptr);
  QLineEdit* box = Get<QLineEdit>("Text1", form2);
  QPushButton* ok = Get<QPushButton>("Command1", form2);
  EXPECT_TRUE(form2->isVisible());
  EXPECT_EQ(form2->windowTitle() + " " + box->text(), "Form2 # HF/STO-3G");
  box->setText("# /STO-3G");
  box->setCursorPosition(2);
  QGuiApplication::clipboard()->setText("B3LYP\r\nsecond line\n");
  box->paste();
  ok->click();
  EXPECT_FALSE(form2->isVisible());
  box->setText("typed\rsecond\nthird");
  Get<QPushButton>("Command2", form2)->click();
  EXPECT_EQ(converter_.routeLine().GetRouteLine(), "# B3LYP/STO-3G");
  Item("Input_Line")->trigger();
  ASSERT_EQ(InputLineWindow(), form2);
  EXPECT_EQ(box->text(), "typed");
  box->clear();
  ok->click();
  EXPECT_EQ(converter_.routeLine().GetRouteLine(), "# HF/STO-3G");
  form2->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  Item("Input_Line")->trigger();
  ASSERT_NE(InputLineWindow(), nullptr);
  EXPECT_EQ(Get<QLineEdit>("Text1", InputLineWindow())->text(), "# HF/STO-3G");
}

// Whatever reaches the windows while All Steps runs and its progress shows
// (its updates let events through) is refused: one run, one confirmation.
// The buttons are disabled then; a click that got through all the same (the
// buttons' own signal) does nothing either.
TEST_F(FormsTest, AllStepsTakesNoInputWhileItRuns) {
  StartOn("c:\\zorb\\temp64 3");
  Item("Input_Line")->trigger();
  QWidget* form2 = InputLineWindow();
  ASSERT_NE(form2, nullptr);
  form_.SetProgressTiming(std::chrono::milliseconds(0), std::chrono::milliseconds(0));
  QPushButton* ok = Get<QPushButton>("Command2");
  QPushButton* cancel = Get<QPushButton>("Command3");
  std::string shownDuringTheRun;
  QTimer::singleShot(0, &form_, [&] {
    auto* progress = form_.findChild<QProgressDialog*>();
    ASSERT_TRUE(progress && progress->isVisible());
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(progress, &escape);
    EXPECT_FALSE(progress->close());
    EXPECT_FALSE(form_.close());
    Get<QLineEdit>("Text1", form2)->setText("# typed during the run");
    for (QPushButton* button : {cancel, ok, Get<QPushButton>("Command1", form2)}) button->click();
    for (const char* item : {"tuttiglistep", "Input_Line"}) Item(item)->trigger();
    emit ok->clicked();
    emit cancel->clicked();
    shownDuringTheRun = progress->isVisible() ? progress->labelText().toStdString() : "hidden";
  });
  Item("tuttiglistep")->trigger();
  EXPECT_EQ(shownDuringTheRun, "Step 2 of 3");
  EXPECT_EQ(ended_, std::vector<int>{0});
  for (const char* name : {"tarvo001.com", "tarvo002.com", "tarvo003.com"}) {
    EXPECT_EQ(drives_.Read(name).substr(0, 15), "# HF/STO-3G\r\n\r\n") << name;
  }
  ASSERT_EQ(recorder_.Messages().size(), 1u);
  EXPECT_EQ(recorder_.Messages()[0].text, "The file 'C:\\zorb\\tarvo.com' is created");
  EXPECT_EQ(recorder_.Messages()[0].icon, MessageIcon::Information);
}

}  // namespace
}  // namespace wt
