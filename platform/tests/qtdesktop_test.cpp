#include "platform/qtdesktop.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <functional>

#include "platform/tests/testfolder.h"
#include "platform/windowlook.h"

namespace wt {
namespace {

TEST(NameFiltersOf, PairsOfDescriptionAndPatterns) {
  EXPECT_EQ(NameFiltersOf("Tarvo (*.in)|*.in|All Files (*.*)|*.*|"),
            (QStringList{"Tarvo (*.in)", "All Files (*)"}));
  EXPECT_EQ(NameFiltersOf("exe files(*.exe)|*.exe|All Files (*.*)|*.*|"),
            (QStringList{"exe files (*.exe)", "All Files (*)"}));
  EXPECT_EQ(NameFiltersOf("Plots|*.hgl;*.plt"), (QStringList{"Plots (*.hgl *.plt)"}));
  EXPECT_TRUE(NameFiltersOf("").isEmpty());
}

// Answers the next modal message box: checks what it shows, then presses.
void AnswerNextBox(std::function<void(QMessageBox*)> check, QMessageBox::StandardButton press) {
  QTimer::singleShot(0, [check, press] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    check(box);
    box->button(press)->click();
  });
}

TEST(QtDesktop, MessageBoxShowsTitleIconButtonsAndReturnsTheAnswer) {
  QtDesktop desktop("WinTarvo");
  AnswerNextBox(
      [](QMessageBox* box) {
        EXPECT_EQ(box->windowTitle(), "Warning");
        EXPECT_EQ(box->text(), "File c:\\data\\benz.out does not exist");
        EXPECT_EQ(box->icon(), QMessageBox::Critical);
        EXPECT_EQ(box->standardButtons(), QMessageBox::Ok | QMessageBox::Cancel);
      },
      QMessageBox::Cancel);
  EXPECT_EQ(desktop.ShowMessage({"File c:\\data\\benz.out does not exist", "Warning",
                                 MessageIcon::Critical, MessageButtons::OkCancel}),
            MessageAnswer::Cancel);

  AnswerNextBox(
      [](QMessageBox* box) {
        EXPECT_EQ(box->windowTitle(), "WinTarvo");  // no title of its own
        EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
        EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
      },
      QMessageBox::Ok);
  EXPECT_EQ(desktop.ShowMessage({"file not exist"}), MessageAnswer::Ok);
}

class OpenDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = FreshTestFolder("wt_open");
    dialog_.fileName = "benz.in";
    dialog_.initDir = folder_.string();
    dialog_.dialogTitle = "Open input file";
    dialog_.filter = "Tarvo (*.in)|*.in|All Files (*.*)|*.*|";
    dialog_.filterIndex = 2;
    dialog_.defaultExt = ".in";
    dialog_.flags = 4100;
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }
  void Touch(const char* name) { std::ofstream(folder_ / name) << "x"; }

  // Shows the dialog; `act` runs on it once it is up.
  DialogOutcome Show(std::function<void(QFileDialog*)> act) {
    QTimer::singleShot(0, [act] {
      auto* box = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(box, nullptr);
      act(box);
    });
    return desktop_.ShowOpen(dialog_);
  }

  QtDesktop desktop_{"WinTarvo"};
  FileDialog dialog_;
  std::filesystem::path folder_;
};

TEST_F(OpenDialogTest, TakesItsProperties) {
  EXPECT_EQ(Show([](QFileDialog* box) {
              EXPECT_EQ(box->windowTitle(), "Open input file");
              EXPECT_EQ(box->selectedNameFilter(), "All Files (*)");
              box->reject();
            }),
            DialogOutcome::Cancelled);
  EXPECT_EQ(dialog_.fileName, "benz.in");
}

TEST_F(OpenDialogTest, AProgramWithoutExtensionIsTakenAsItIs) {
  Touch("notepad");
  const std::string chosen = (folder_ / "notepad").string();
  EXPECT_EQ(Show([&](QFileDialog* box) {
              box->selectFile(QString::fromStdString(chosen));
              static_cast<QDialog*>(box)->accept();
            }),
            DialogOutcome::Chosen);
  EXPECT_EQ(dialog_.fileName, chosen);
}

TEST_F(OpenDialogTest, ANameWithoutExtensionTakesTheDefaultOne) {
  Touch("benz.in");
  EXPECT_EQ(Show([&](QFileDialog* box) {
              box->selectFile(QString::fromStdString((folder_ / "benz").string()));
              static_cast<QDialog*>(box)->accept();
            }),
            DialogOutcome::Chosen);
  EXPECT_EQ(dialog_.fileName, (folder_ / "benz.in").string());
}

TEST_F(OpenDialogTest, AMissingFileIsRefusedAndTheDialogStays) {
  bool warned = false;
  EXPECT_EQ(Show([&](QFileDialog* box) {
              QTimer::singleShot(0, [&] {
                auto* warning = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                ASSERT_NE(warning, nullptr);
                warned = warning->text().contains("File not found.");
                warning->accept();
              });
              box->selectFile(QString::fromStdString((folder_ / "gone.in").string()));
              static_cast<QDialog*>(box)->accept();
              EXPECT_TRUE(box->isVisible());
              box->reject();
            }),
            DialogOutcome::Cancelled);
  EXPECT_TRUE(warned);
}

TEST(WindowLook, TwipsAndFont) {
  EXPECT_EQ(TwipsRect(240, 360, 855, 255), QRect(16, 24, 57, 17));
  QFont font = DialogFont();
  EXPECT_TRUE(font.bold());
  EXPECT_DOUBLE_EQ(font.pointSizeF(), 8.25);
  QTimer* timer = MakeOneShotTimer(2000, nullptr);
  EXPECT_TRUE(timer->isSingleShot());
  EXPECT_EQ(timer->interval(), 2000);
  EXPECT_FALSE(timer->isActive());
  delete timer;
}

}  // namespace
}  // namespace wt
