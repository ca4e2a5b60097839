#include "platform/qtdesktop.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

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

TEST(QtDesktop, OpenDialogTakesItsProperties) {
  QtDesktop desktop("WinTarvo");
  FileDialog dialog;
  dialog.fileName = "benz.in";
  dialog.dialogTitle = "Open input file";
  dialog.filter = "Tarvo (*.in)|*.in|All Files (*.*)|*.*|";
  dialog.filterIndex = 2;
  dialog.defaultExt = ".in";
  dialog.flags = 4100;
  QTimer::singleShot(0, [] {
    auto* box = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->windowTitle(), "Open input file");
    EXPECT_EQ(box->selectedNameFilter(), "All Files (*)");
    EXPECT_EQ(box->defaultSuffix(), "in");
    EXPECT_EQ(box->fileMode(), QFileDialog::ExistingFile);
    box->reject();
  });
  EXPECT_EQ(desktop.ShowOpen(dialog), DialogOutcome::Cancelled);
  EXPECT_EQ(dialog.fileName, "benz.in");
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
