#include "frontend/weditor.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "frontend/form1.h"
#include "frontend/tests/window_fixture.h"

namespace wt {
namespace {

class OptionsDialog : public WindowTest {
 protected:
  static QLineEdit* Box(QWidget* dialog, const char* name) { return Get<QLineEdit>(dialog, name); }
  static void Press(QWidget* window, const char* name) { Get<QPushButton>(window, name)->click(); }

  EditorCommandSlots slots_{"c:\\tools\\old.exe", "slot 1", "slot 2", "slot 3"};
  FileDialog CMDialog1_;
};

TEST_F(OptionsDialog, LookAndLayout) {
  wEditor dialog(slots_, CMDialog1_, desktop_);
  EXPECT_EQ(dialog.windowTitle(), "Option Menu");
  EXPECT_EQ(dialog.size(), TwipsRect(0, 0, 6420, 2100).size());
  EXPECT_EQ(dialog.palette().color(QPalette::Window), QColor(192, 192, 192));
  EXPECT_EQ(dialog.font(), DialogFont());
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
  for (const char* name : {"Label2", "Text2", "Command4"}) {
    EXPECT_FALSE(Get<QWidget>(&dialog, name)->isEnabled()) << name;
  }
  EXPECT_EQ(TabOrder(Box(&dialog, "Text1")),
            (QStringList{"Text1", "Command1", "Command2", "Command3", "Command4", "Text2"}));
}

// From the main window's menu the dialog works on the window's editor
// commands and its file dialog, whose default extension the window's own
// Browse left behind.
TEST_F(OptionsDialog, BrowsedEditorServesBothEditButtons) {
  WriteFile("data/benz.out", "x\r\n");
  WriteFile("zorb/wtarvo.ini", "c:\\data\\benz.in\r\n");
  Form1 form(desktop_);
  Press(&form, "Command1");  // cancelled
  QStringList shown;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<wEditor*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    Press(dialog, "Command1");  // cancelled: the box is kept
    shown << Box(dialog, "Text1")->text();
    desktop_.openAnswers.push_back("c:\\tools\\edit.exe");
    Press(dialog, "Command1");
    shown << Box(dialog, "Text1")->text();
    Press(dialog, "Command3");
  });
  Get<QAction>(&form, "Opt_Editor")->trigger();
  EXPECT_EQ(shown, (QStringList{"notepad ", "c:\\tools\\edit.exe"}));
  EXPECT_EQ(Describe(desktop_.Last(RecordedEvent::Kind::OpenDialog)->dialog),
            "notepad |n|Search for Editor|exe files(*.exe)|*.exe|All Files (*.*)|*.*||.in|1|4100");

  desktop_.Clear();
  Press(&form, "Command3");
  Press(&form, "Command6");
  EXPECT_EQ(
      Log(),
      "max c:\\tools\\edit.exe c:\\data\\benz.in\nmax c:\\tools\\edit.exe c:\\data\\benz.out");
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
