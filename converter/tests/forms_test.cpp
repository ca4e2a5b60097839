#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>
#include <tuple>

#include "converter/form1.h"
#include "converter/tests/testfiles.h"
#include "platform/recorder.h"

namespace wt {
namespace {

class FormsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    drives_.Write("temp64", testing::ReadBytes(std::string(WT_SAMPLE_DIR) + "/temp64"));
    ASSERT_EQ(converter_.StartRoutine("c:\\zorb\\temp64 3"), std::nullopt);
    form_.SetRangeLabel();
    form_.show();
  }

  // A control by its name, in the step window's client area or in `in`.
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

// The step window's captions, layout and menus; Cancel ends writing nothing.
TEST_F(FormsTest, StepWindowAsDesigned) {
  EXPECT_EQ(form_.windowTitle(), "WTarvo");
  EXPECT_EQ(form_.centralWidget()->size(), QSize(203, 120));
  const std::tuple<const char*, const char*, QRect> controls[] = {
      {"Label1", "Step Number :", QRect(32, 24, 82, 13)},
      {"Text1", "1", QRect(144, 24, 33, 19)},
      {"Label2", "(max =  3)", QRect(32, 40, 53, 13)},
      {"Command2", "Ok", QRect(32, 72, 65, 33)},
      {"Command3", "Cancel", QRect(112, 72, 65, 33)}};
  for (const auto& [name, text, geometry] : controls) {
    QWidget* control = Get<QWidget>(name);
    EXPECT_EQ(control->property("text").toString(), text);
    EXPECT_EQ(control->geometry(), geometry) << name;
  }
  EXPECT_EQ(form_.focusWidget(), Get<QPushButton>("Command2"));
  QMenu* types = Get<QMenu>("Tipo_di_file", form_.menuBar());
  QString menus = Get<QMenu>("opzioni", form_.menuBar())->title() + "|" +
                  Item("Input_Line")->text() + "|" + Item("tuttiglistep")->text() + "|" +
                  types->title();
  for (QAction* item : types->actions())
    menus += "|" + item->text() + (item->isEnabled() ? "" : "-");
  EXPECT_EQ(menus, "option|Input Line|All Steps|Type|Kryst-|Gauss 94-|XYZ-");
  Get<QPushButton>("Command3")->click();
  EXPECT_EQ(ended_, std::vector<int>{0});
  EXPECT_TRUE(recorder_.events.empty());
  EXPECT_FALSE(std::filesystem::exists(drives_.Zorb("tarvo.mol")));
}

// The route line of the input-line window (the first line of what is pasted)
// reaches the Gauss 94 input; closed, the window opens anew. Ok on a wrong
// number keeps the step window and what was typed; Enter presses Ok.
TEST_F(FormsTest, TheStepAndTheRouteLineTypedMakeTheFile) {
  const auto inputLine = [&] {
    Item("Input_Line")->trigger();
    QWidget* form2 = InputLineWindow();
    EXPECT_TRUE(form2 && form2->isVisible());
    return Get<QLineEdit>("Text1", form2);
  };
  QLineEdit* route = inputLine();
  EXPECT_EQ(route->window()->windowTitle() + " " + route->text(), "Form2 # HF/STO-3G");
  route->setText("# closed");
  route->window()->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  route = inputLine();
  route->setText("# /STO-3G");
  route->setCursorPosition(2);
  QGuiApplication::clipboard()->setText("B3LYP\r\nsecond line\n");
  route->paste();
  Get<QPushButton>("Command1", route->window())->click();
  EXPECT_FALSE(route->isVisible());
  QLineEdit* box = Get<QLineEdit>("Text1");
  box->setText("abc");
  Get<QPushButton>("Command2")->click();
  EXPECT_EQ(box->text(), "abc");
  box->setText("2");
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QApplication::sendEvent(form_.focusWidget(), &enter);
  EXPECT_EQ(ended_, std::vector<int>{0});
  EXPECT_EQ(drives_.Read("tarvo.com").substr(0, 16), "# B3LYP/STO-3G\r\n");
  ASSERT_EQ(recorder_.Messages().size(), 2u);
  EXPECT_EQ(recorder_.Messages()[0].text, "Wrong Step Number");
  EXPECT_EQ(recorder_.Messages()[1].text, "The file 'C:\\zorb\\tarvo.com' is created");
}

// While All Steps runs and its progress shows (its updates let events
// through), the windows take no input: the input-line window is disabled, and
// the step window refuses even a click that gets past its disabled buttons.
TEST_F(FormsTest, AllStepsTakesNoInputWhileItRuns) {
  Item("Input_Line")->trigger();
  QWidget* form2 = InputLineWindow();
  ASSERT_NE(form2, nullptr);
  form_.SetProgressTiming(std::chrono::milliseconds(0), std::chrono::milliseconds(0));
  std::string shownDuringTheRun;
  QTimer::singleShot(0, &form_, [&] {
    auto* progress = form_.findChild<QProgressDialog*>();
    ASSERT_TRUE(progress && progress->isVisible());
    EXPECT_FALSE(progress->close() || form_.close());
    Get<QLineEdit>("Text1", form2)->setText("# typed during the run");
    for (const char* name : {"Command2", "Command3"}) emit Get<QPushButton>(name)->clicked();
    Get<QPushButton>("Command1", form2)->click();
    for (const char* item : {"tuttiglistep", "Input_Line"}) Item(item)->trigger();
    shownDuringTheRun = progress->labelText().toStdString();
  });
  Item("tuttiglistep")->trigger();
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
