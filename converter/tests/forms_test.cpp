#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
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
    ASSERT_EQ(converter_.StartRoutine(""), std::nullopt);
    form_.show();
    form_.SetRangeLabel();
  }

  testing::TempDrives drives_;
  Recorder recorder_;
  Converter converter_{recorder_};
  std::vector<int> ended_;
  Form1 form_{converter_, [this](int status) { ended_.push_back(status); }};
};

TEST_F(FormsTest, StepWindowAsDesigned) {
  EXPECT_EQ(form_.windowTitle(), "WTarvo");
  EXPECT_EQ(form_.centralWidget()->size(), QSize(203, 120));
  const std::tuple<QWidget*, QString, QRect> controls[] = {
      {form_.Label1, form_.Label1->text(), QRect(32, 24, 82, 13)},
      {form_.Text1, form_.Text1->text(), QRect(144, 24, 33, 19)},
      {form_.Label2, form_.Label2->text(), QRect(32, 40, 53, 13)},
      {form_.Command2, form_.Command2->text(), QRect(32, 72, 65, 33)},
      {form_.Command3, form_.Command3->text(), QRect(112, 72, 65, 33)}};
  QStringList texts;
  for (const auto& [control, text, geometry] : controls) {
    texts << text;
    EXPECT_EQ(control->geometry(), geometry) << text.toStdString();
    EXPECT_TRUE(control->font().bold());
  }
  EXPECT_EQ(texts, QStringList({"Step Number :", "1", "(max =  3)", "Ok", "Cancel"}));
  EXPECT_EQ(form_.focusWidget(), form_.Command2);
  EXPECT_EQ(form_.opzioni->title() + "|" + form_.Input_Line->text() + "|" +
                form_.tuttiglistep->text() + "|" + form_.Tipo_di_file->title(),
            "option|Input Line|All Steps|Type");
  QStringList kinds;
  for (QAction* item : form_.Tipo_di_file->actions()) {
    kinds << item->text();
    EXPECT_FALSE(item->isEnabled() || item->isCheckable());
    item->trigger();
  }
  EXPECT_EQ(kinds, QStringList({"Kryst", "Gauss 94", "XYZ"}));
  EXPECT_TRUE(recorder_.events.empty() && ended_.empty());
  converter_.stepCount = 32767;  // a long range label is not clipped
  form_.SetRangeLabel();
  EXPECT_GE(form_.Label2->width(), form_.Label2->sizeHint().width());
}

TEST_F(FormsTest, EnterConvertsTheStepInTheBoxAndAWrongNumberKeepsTheWindow) {
  form_.Text1->setText("abc");
  form_.Command2->click();
  EXPECT_TRUE(ended_.empty());
  EXPECT_EQ(form_.Text1->text(), "abc");
  form_.Text1->setText("1");
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QApplication::sendEvent(form_.focusWidget(), &enter);
  EXPECT_EQ(ended_, std::vector<int>{0});
  ASSERT_EQ(recorder_.Messages().size(), 2u);
  EXPECT_EQ(recorder_.Messages()[0].text, "Wrong Step Number");
  EXPECT_EQ(recorder_.Messages()[1].text, "The file 'C:\\zorb\\tarvo.mol' is created");
  EXPECT_EQ(drives_.Read("tarvo.mol").substr(61, 18), "     6     1.42000");
}

TEST_F(FormsTest, CancelAndTheCloseBoxEndWithoutWriting) {
  form_.Command3->click();
  Form1 other(converter_, [this](int status) { ended_.push_back(status + 10); });
  other.show();
  other.close();
  EXPECT_EQ(ended_, (std::vector<int>{0, 10}));
  EXPECT_FALSE(std::filesystem::exists(drives_.Zorb("tarvo.mol")));
}

TEST_F(FormsTest, InputLineWindowIsHiddenAndKeptUntilClosed) {
  form_.Input_Line->trigger();
  Form2* form2 = form_.InputLineWindow();
  ASSERT_NE(form2, nullptr);
  EXPECT_TRUE(form2->isVisible());
  EXPECT_EQ(form2->windowTitle(), "Form2");
  EXPECT_EQ(form2->size(), QSize(312, 213));
  EXPECT_EQ(form2->Text1->geometry(), QRect(24, 24, 249, 137));
  EXPECT_EQ(form2->Text1->alignment(), Qt::AlignLeft | Qt::AlignTop);
  EXPECT_EQ(form2->Command1->geometry(), QRect(48, 176, 73, 25));
  EXPECT_EQ(form2->Command2->geometry(), QRect(168, 176, 89, 25));
  EXPECT_EQ(form2->Text1->text(), "# HF/STO-3G");

  form2->Text1->setText("# B3LYP/6-31G*");
  form2->Command1->click();
  EXPECT_FALSE(form2->isVisible());
  form2->Text1->setText("typed, then cancelled");
  form2->Command2->click();
  EXPECT_EQ(converter_.routeLine.GetRouteLine(), "# B3LYP/6-31G*");
  form_.Input_Line->trigger();
  ASSERT_EQ(form_.InputLineWindow(), form2);
  EXPECT_EQ(form2->Text1->text(), "typed, then cancelled");

  form2->Text1->clear();
  form2->Command1->click();
  EXPECT_EQ(converter_.routeLine.GetRouteLine(), "# HF/STO-3G");
  form_.Input_Line->trigger();
  EXPECT_EQ(form2->Text1->text(), "");
  form2->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(form_.InputLineWindow(), nullptr);
  form_.Input_Line->trigger();
  EXPECT_EQ(form_.InputLineWindow()->Text1->text(), "# HF/STO-3G");
}

TEST_F(FormsTest, TheRouteLineBoxKeepsTheFirstLineOfWhatIsPasted) {
  form_.Input_Line->trigger();
  QLineEdit* box = form_.InputLineWindow()->Text1;
  box->setText("# /STO-3G");
  box->setCursorPosition(2);
  QGuiApplication::clipboard()->setText("HF\r\nsecond line\n");
  box->paste();
  EXPECT_EQ(box->text().toStdString(), "# HF/STO-3G");
  EXPECT_EQ(box->cursorPosition(), 4);
  box->setText("# MP2\rsecond\nthird");
  EXPECT_EQ(box->text().toStdString(), "# MP2");
}

TEST_F(FormsTest, AllStepsWritesEveryStepWithTheRouteLine) {
  converter_.OutputKind = 3;
  converter_.routeLine.SetRouteLine("# MP2/6-31G");
  form_.tuttiglistep->trigger();
  EXPECT_EQ(ended_, std::vector<int>{0});
  for (const char* name : {"tarvo001.com", "tarvo002.com", "tarvo003.com"}) {
    EXPECT_EQ(drives_.Read(name).substr(0, 15), "# MP2/6-31G\r\n\r\n") << name;
  }
  ASSERT_EQ(recorder_.Messages().size(), 1u);
  EXPECT_EQ(recorder_.Messages()[0].text, "The file 'C:\\zorb\\tarvo.com' is created");
  EXPECT_EQ(recorder_.Messages()[0].icon, MessageIcon::Information);
}

// Whatever reaches the windows while All Steps runs and its progress shows
// (its updates let events through) is refused: one run, one confirmation.
TEST_F(FormsTest, AllStepsTakesNoInputWhileItRuns) {
  converter_.OutputKind = 3;
  form_.Input_Line->trigger();
  Form2* form2 = form_.InputLineWindow();
  form_.progressShowAfter = form_.progressInterval = std::chrono::milliseconds(0);
  std::string shownDuringTheRun;
  QTimer::singleShot(0, &form_, [&] {
    auto* progress = form_.findChild<QProgressDialog*>();
    ASSERT_TRUE(progress && progress->isVisible());
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(progress, &escape);
    EXPECT_FALSE(progress->close());
    EXPECT_FALSE(form_.close());
    form2->Text1->setText("# typed during the run");
    for (QPushButton* button : {form_.Command3, form_.Command2, form2->Command1}) button->click();
    for (QAction* item : {form_.tuttiglistep, form_.Input_Line}) item->trigger();
    form_.Command2_Click();
    form_.Command3_Click();
    shownDuringTheRun = progress->isVisible() ? progress->labelText().toStdString() : "hidden";
  });
  form_.tuttiglistep->trigger();
  EXPECT_EQ(shownDuringTheRun, "Step 2 of 3");
  EXPECT_EQ(ended_, std::vector<int>{0});
  for (const char* name : {"tarvo001.com", "tarvo002.com", "tarvo003.com"}) {
    EXPECT_EQ(drives_.Read(name).substr(0, 15), "# HF/STO-3G\r\n\r\n") << name;
  }
  ASSERT_EQ(recorder_.Messages().size(), 1u);
  EXPECT_EQ(recorder_.Messages()[0].text, "The file 'C:\\zorb\\tarvo.com' is created");
}

}  // namespace
}  // namespace wt
