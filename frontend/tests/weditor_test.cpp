#include "frontend/weditor.h"

#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <functional>

#include "frontend/form1.h"
#include "frontend/tests/window_fixture.h"
#include "platform/windowlook.h"

namespace wt {
namespace {

class OptionsDialog : public WindowTest {
 protected:
  // Opens the dialog from the main window's menu and runs `act` on it while
  // it is shown modally; `act` closes it.
  void WithOptions(Form1& form, std::function<void(wEditor*)> act) {
    QTimer::singleShot(0, [act] {
      auto* dialog = qobject_cast<wEditor*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      act(dialog);
    });
    Get<QAction>(&form, "Opt_Editor")->trigger();
  }
  static QLineEdit* Box(QWidget* dialog, const char* name) { return Get<QLineEdit>(dialog, name); }
  static void Press(QWidget* window, const char* name) { Get<QPushButton>(window, name)->click(); }

  EditorCommandSlots slots_{"c:\\tools\\old.exe", "slot 1", "slot 2", "slot 3"};
  FileDialog CMDialog1_;
};

TEST_F(OptionsDialog, Look) {
  wEditor dialog(slots_, CMDialog1_, desktop_);
  EXPECT_EQ(dialog.palette().color(QPalette::Window), QColor(192, 192, 192));
  EXPECT_EQ(dialog.font(), DialogFont());
  EXPECT_EQ(Box(&dialog, "Text2")->text(), "slot 1");
  for (const char* name : {"Label2", "Text2", "Command4"}) {
    EXPECT_FALSE(Get<QWidget>(&dialog, name)->isEnabled()) << name;
  }
  EXPECT_EQ(TabOrder(Box(&dialog, "Text1")),
            (QStringList{"Text1", "Command1", "Command2", "Command3", "Command4", "Text2"}));
}

TEST_F(OptionsDialog, Layout) {
  wEditor dialog(slots_, CMDialog1_, desktop_);
  EXPECT_EQ(dialog.windowTitle(), "Option Menu");
  EXPECT_EQ(dialog.size(), TwipsRect(0, 0, 6420, 2100).size());
  ExpectLayout(&dialog, {
                            {"Label1", "QLabel", "Executable Text Editor ", 360, 240, 1095, 495},
                            {"Text1", "QLineEdit", "c:\\tools\\old.exe", 1680, 360, 3015, 285},
                            {"Command1", "QPushButton", "Browse", 4800, 240, 855, 495},
                            {"Command3", "QPushButton", "Ok", 1680, 960, 1095, 375},
                            {"Command2", "QPushButton", "Cancel", 3600, 960, 1095, 375},
                            {"Label2", "QLabel", "Output File", 240, 1680, 1335, 255},
                            {"Text2", "QLineEdit", "slot 1", 1680, 1680, 3015, 285},
                            {"Command4", "QPushButton", "Browse", 4800, 1560, 855, 495},
                        });
}

TEST_F(OptionsDialog, EditorBoxHoldsOneLine) {
  wEditor dialog(slots_, CMDialog1_, desktop_);
  dialog.show();
  QLineEdit* box = Box(&dialog, "Text1");
  QApplication::clipboard()->setText("vi\r\n-x");
  QTest::mouseClick(box, Qt::LeftButton);
  QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
  QTest::mouseClick(Get<QPushButton>(&dialog, "Command3"), Qt::LeftButton);
  EXPECT_EQ(slots_, (EditorCommandSlots{"vi", "vi", "slot 2", "slot 3"}));
}

TEST_F(OptionsDialog, BrowsedEditorServesBothEditButtonsAndIsSaved) {
  WriteFile("data/benz.out", "x\r\n");
  WriteFile("zorb/wtarvo.ini", "c:\\data\\benz.in\r\n");
  Form1 form(desktop_);
  Press(&form, "Command1");  // a cancelled Browse leaves its default extension behind
  desktop_.openAnswers.push_back("c:\\tools\\edit.exe");
  QString shown[3];
  WithOptions(form, [&](wEditor* dialog) {
    shown[0] = Box(dialog, "Text1")->text();
    shown[1] = Box(dialog, "Text2")->text();
    Press(dialog, "Command1");
    shown[2] = Box(dialog, "Text1")->text();
    Press(dialog, "Command3");
  });
  EXPECT_EQ(shown[0] + "|" + shown[1] + "|" + shown[2], "notepad |notepad |c:\\tools\\edit.exe");
  const FileDialog& d = desktop_.Last(RecordedEvent::Kind::OpenDialog)->dialog;
  EXPECT_EQ(
      d.fileName + "|" + d.initDir + "|" + d.dialogTitle + "|" + d.filter + "|" + d.defaultExt,
      "notepad |n|Search for Editor|exe files(*.exe)|*.exe|All Files (*.*)|*.*||.in");
  EXPECT_EQ(d.filterIndex, 1);
  EXPECT_EQ(d.flags, 4100);
  EXPECT_FALSE(d.cancelError);

  desktop_.Clear();
  Press(&form, "Command3");
  Press(&form, "Command6");
  EXPECT_EQ(
      Log(),
      "max c:\\tools\\edit.exe c:\\data\\benz.in\nmax c:\\tools\\edit.exe c:\\data\\benz.out");
  form.close();
  EXPECT_EQ(ReadFile("zorb/wtarvo.ini"),
            "c:\\data\\benz.in\r\nc:\\tools\\edit.exe\r\nc:\\tools\\edit.exe\r\nnotepad \r\n"
            "notepad \r\n");
}

TEST_F(OptionsDialog, CancelledBrowseKeepsTheEditorBox) {
  wEditor dialog(slots_, CMDialog1_, desktop_);
  Press(&dialog, "Command1");
  EXPECT_EQ(Box(&dialog, "Text1")->text(), "c:\\tools\\old.exe");
  EXPECT_EQ(CMDialog1_.initDir, "c:\\tools\\");
}

TEST_F(OptionsDialog, OkStoresTheEditorBoxCancelAndClosingNothing) {
  const EditorCommandSlots before = slots_;
  for (bool cancel : {true, false}) {
    wEditor dialog(slots_, CMDialog1_, desktop_);
    dialog.show();
    Box(&dialog, "Text1")->setText("vi");
    cancel ? Press(&dialog, "Command2") : void(dialog.close());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
  }
  EXPECT_EQ(slots_, before);
  wEditor dialog(slots_, CMDialog1_, desktop_);
  Box(&dialog, "Text1")->clear();
  Press(&dialog, "Command3");
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(slots_, (EditorCommandSlots{"", "", "slot 2", "slot 3"}));
}

}  // namespace
}  // namespace wt
