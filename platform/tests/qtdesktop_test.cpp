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

// Runs `act` on the next modal window once it is up.
template <typename Window>
void OnNextModal(std::function<void(Window*)> act) {
  QTimer::singleShot(0, [act] {
    auto* window = qobject_cast<Window*>(QApplication::activeModalWidget());
    ASSERT_NE(window, nullptr);
    act(window);
  });
}

TEST(QtDesktop, MessageBoxShowsTitleIconButtonsAndReturnsTheAnswer) {
  QtDesktop desktop("WinTarvo");
  OnNextModal<QMessageBox>([](QMessageBox* box) {
    EXPECT_EQ(box->windowTitle(), "Warning");
    EXPECT_EQ(box->text(), "File c:\\data\\benz.out does not exist");
    EXPECT_EQ(box->icon(), QMessageBox::Critical);
    EXPECT_EQ(box->standardButtons(), QMessageBox::Ok | QMessageBox::Cancel);
    box->button(QMessageBox::Cancel)->click();
  });
  EXPECT_EQ(desktop.ShowMessage({"File c:\\data\\benz.out does not exist", "Warning",
                                 MessageIcon::Critical, MessageButtons::OkCancel}),
            MessageAnswer::Cancel);
  OnNextModal<QMessageBox>([](QMessageBox* box) {
    EXPECT_EQ(box->windowTitle(), "WinTarvo");  // no title of its own
    EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
    EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
    box->button(QMessageBox::Ok)->click();
  });
  EXPECT_EQ(desktop.ShowMessage({"file not exist"}), MessageAnswer::Ok);
}

TEST(NameFiltersOf, PairsOfDescriptionAndPatterns) {
  EXPECT_EQ(NameFiltersOf("exe files(*.exe)|*.exe|All Files (*.*)|*.*|"),
            (QStringList{"exe files (*.exe)", "All Files (*)"}));
  EXPECT_EQ(NameFiltersOf("Plots|*.hgl;*.plt"), (QStringList{"Plots (*.hgl *.plt)"}));
  EXPECT_TRUE(NameFiltersOf("").isEmpty());
}

class OpenDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dialog_.fileName = "benz.in";
    dialog_.initDir = folder_.string();
    dialog_.dialogTitle = "Open input file";
    dialog_.filter = "Tarvo (*.in)|*.in|All Files (*.*)|*.*|";
    dialog_.filterIndex = 2;
    dialog_.defaultExt = ".in";
    dialog_.flags = FileDialog::kFileMustExist | FileDialog::kHideReadOnly;
    std::ofstream(folder_ / "benz.in") << "x";
    std::ofstream(folder_ / "notepad") << "x";
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  // Shows the dialog, which selects `name` in the folder and accepts.
  DialogOutcome Choose(const char* name) {
    const QString path = QString::fromStdString((folder_ / name).string());
    OnNextModal<QFileDialog>([path](QFileDialog* box) {
      box->selectFile(path);
      static_cast<QDialog*>(box)->accept();
      if (box->isVisible()) box->reject();
    });
    return desktop_.ShowOpen(dialog_);
  }

  QtDesktop desktop_{"WinTarvo"};
  FileDialog dialog_;
  const std::filesystem::path folder_ = FreshTestFolder("wt_open");
};

TEST_F(OpenDialogTest, TakesItsPropertiesAndGivesTheChosenFile) {
  OnNextModal<QFileDialog>([](QFileDialog* box) {
    EXPECT_EQ(box->windowTitle(), "Open input file");
    EXPECT_EQ(box->selectedNameFilter(), "All Files (*)");
    box->reject();
  });
  EXPECT_EQ(desktop_.ShowOpen(dialog_), DialogOutcome::Cancelled);
  EXPECT_EQ(dialog_.fileName, "benz.in");
  // A name without extension takes the default one, unless a file has it as it is.
  EXPECT_EQ(Choose("benz"), DialogOutcome::Chosen);
  EXPECT_EQ(dialog_.fileName, (folder_ / "benz.in").string());
  EXPECT_EQ(Choose("notepad"), DialogOutcome::Chosen);
  EXPECT_EQ(dialog_.fileName, (folder_ / "notepad").string());
}

TEST_F(OpenDialogTest, AMissingFileIsRefusedAndTheDialogStays) {
  bool warned = false;
  OnNextModal<QFileDialog>([&](QFileDialog* box) {
    OnNextModal<QMessageBox>([&](QMessageBox* warning) {
      warned = warning->text().contains("File not found.");
      warning->accept();
    });
    box->selectFile(QString::fromStdString((folder_ / "gone.in").string()));
    static_cast<QDialog*>(box)->accept();
    EXPECT_TRUE(box->isVisible());
    box->reject();
  });
  EXPECT_EQ(desktop_.ShowOpen(dialog_), DialogOutcome::Cancelled);
  EXPECT_TRUE(warned);
}

TEST(WindowLook, TwipsAndFont) {
  EXPECT_EQ(TwipsRect(240, 360, 855, 255), QRect(16, 24, 57, 17));
  const QFont font = DialogFont();
  EXPECT_TRUE(font.bold());
  EXPECT_DOUBLE_EQ(font.pointSizeF(), 8.25);
}

}  // namespace
}  // namespace wt
