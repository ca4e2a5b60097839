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

TEST(QtDesktop, MessageBoxShowsTitleTextButtonsAndReturnsTheAnswer) {
  QtDesktop desktop("WinTarvo");
  OnNextModal<QMessageBox>([](QMessageBox* box) {
    EXPECT_EQ(box->windowTitle() + "|" + box->text(), "Warning|File c:\\data\\benz.out");
    EXPECT_EQ(box->standardButtons(), QMessageBox::Ok | QMessageBox::Cancel);
    box->button(QMessageBox::Cancel)->click();
  });
  EXPECT_EQ(desktop.ShowMessage({"File c:\\data\\benz.out", "Warning", MessageIcon::Critical,
                                 MessageButtons::OkCancel}),
            MessageAnswer::Cancel);
}

TEST(QtDesktop, OpenDialogTakesItsPropertiesAndGivesTheChosenFileOnlyWhereItExists) {
  const std::filesystem::path folder = FreshTestFolder("wt_open");
  std::ofstream(folder / "benz.in") << "x";
  std::ofstream(folder / "notepad") << "x";
  QtDesktop desktop("WinTarvo");
  FileDialog dialog{.fileName = "benz.in",
                    .initDir = folder.string(),
                    .filter = "Tarvo(*.in)|*.in;*.cor|All Files (*.*)|*.*|",
                    .filterIndex = 2,
                    .defaultExt = ".in",
                    .flags = FileDialog::kFileMustExist | FileDialog::kHideReadOnly};
  OnNextModal<QFileDialog>([](QFileDialog* box) {
    EXPECT_EQ(box->nameFilters(), (QStringList{"Tarvo (*.in *.cor)", "All Files (*)"}));
    EXPECT_EQ(box->selectedNameFilter(), "All Files (*)");
    box->reject();
  });
  EXPECT_EQ(desktop.ShowOpen(dialog), DialogOutcome::Cancelled);
  EXPECT_EQ(dialog.fileName, "benz.in");

  // The dialog selects `name` in the folder and accepts; the warning it
  // shows then, where one is awaited, is read and closed.
  QString warning;
  const auto choose = [&](const char* name, bool warns = false) {
    const QString path = QString::fromStdString((folder / name).string());
    OnNextModal<QFileDialog>([path, warns, &warning](QFileDialog* box) {
      if (warns) {
        OnNextModal<QMessageBox>([&warning](QMessageBox* shown) {
          warning = shown->text();
          shown->accept();
        });
      }
      box->selectFile(path);
      static_cast<QDialog*>(box)->accept();
      if (box->isVisible()) box->reject();
    });
    return desktop.ShowOpen(dialog);
  };
  EXPECT_EQ(choose("gone.in", true), DialogOutcome::Cancelled);
  EXPECT_TRUE(warning.contains("File not found.")) << warning.toStdString();
  // A name without extension takes the default one, unless a file has it as it is.
  EXPECT_EQ(choose("benz"), DialogOutcome::Chosen);
  EXPECT_EQ(dialog.fileName, (folder / "benz.in").string());
  EXPECT_EQ(choose("notepad"), DialogOutcome::Chosen);
  EXPECT_EQ(dialog.fileName, (folder / "notepad").string());
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace wt
