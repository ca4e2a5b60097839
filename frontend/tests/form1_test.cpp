// Form1 and its Options dialog on drive C of a temporary folder, with the
// recorder in place of the desktop, driven through their controls' own events.
#include "frontend/form1.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <memory>
#include <vector>

#include "frontend/weditor.h"
#include "platform/recorder.h"
#include "platform/testenv.h"
#include "platform/tests/noaccess.h"
#include "platform/tests/tempdrives.h"
#include "platform/windowlook.h"

namespace wt {
namespace {

namespace fs = std::filesystem;

const Qt::KeyboardModifiers kAllThree = Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier;

template <typename Control = QWidget>
Control* Get(QWidget* window, const char* name) {
  auto* control = window->findChild<Control*>(QString::fromLatin1(name));
  EXPECT_NE(control, nullptr) << name;
  return control;
}

// A window's title, size and fill, then a line per named control: its name
// (after its frame's), class, caption (a box: its text), place in twips, fill,
// and "off" when disabled; first the controls that Tab visits, in its order
// from `first`, then the others.
std::string Layout(QWidget* root, QWidget* first) {
  QWidgetList controls;
  QWidget* w = first;
  do {
    if ((w->focusPolicy() & Qt::TabFocus) && root->isAncestorOf(w)) controls << w;
    w = w->nextInFocusChain();
  } while (w != first);
  for (QWidget* c : root->findChildren<QWidget*>()) {
    if (!controls.contains(c)) controls << c;
  }
  auto twips = [](int pixels) { return " " + QString::number(pixels * kTwipsPerPixel); };
  auto fill = [](QWidget* c) {
    return c->autoFillBackground() ? " " + c->palette().color(c->backgroundRole()).name() : "";
  };
  QString text =
      root->window()->windowTitle() + twips(root->width()) + twips(root->height()) + fill(root);
  for (QWidget* c : controls) {
    if (c->objectName().isEmpty()) continue;
    const QRect r = c->geometry();
    text += "\n" + (c->parentWidget() == root ? "" : c->parentWidget()->objectName() + "/") +
            c->objectName() + " " + c->metaObject()->className() + " \"" +
            c->property(c->property("text").isValid() ? "text" : "title").toString() + "\"" +
            twips(r.left()) + twips(r.top()) + twips(r.width()) + twips(r.height()) + fill(c) +
            (c->isEnabled() ? "" : " off");
  }
  return text.toStdString();
}

// Entries as name:caption, a shortcut after a blank, " off" when disabled, a
// submenu in brackets.
QString Menus(const QList<QAction*>& actions) {
  QStringList items;
  for (QAction* action : actions) {
    QMenu* menu = action->menu();
    QString item = (menu ? menu->objectName() : action->objectName()) + ":" + action->text();
    if (!action->shortcut().isEmpty()) item += " " + action->shortcut().toString();
    if (!action->isEnabled()) item += " off";
    if (menu) item += "[" + Menus(menu->actions()) + "]";
    items << item;
  }
  return items.join(", ");
}

class Form1Test : public ::testing::Test {
 protected:
  void SetUp() override { fs::create_directories(c_ / "data"); }
  // Files on drive C, such as "data/benz.in".
  void WriteFile(const std::string& path, const std::string& bytes) const {
    testing::WriteBytes(c_ / path, bytes);
  }
  // Starts the front end, shown and active, from a settings file when given.
  void Start(const std::string& settings = {}) {
    if (!settings.empty()) WriteFile("zorb/wtarvo.ini", settings);
    form_ = std::make_unique<Form1>(desktop_);
    form_->show();
    QApplication::setActiveWindow(form_.get());  // the offscreen platform leaves that to the test
    ASSERT_TRUE(QTest::qWaitForWindowActive(form_.get()));
  }
  // On the dataset c:\data\benz, with the files of these extensions.
  void StartOnBenz(std::initializer_list<const char*> extensions) {
    for (const char* e : extensions) WriteFile(std::string("data/benz.") + e, "x\r\n");
    Start("c:\\data\\benz.in\r\n");
  }
  QPushButton* Button(const char* name) { return Get<QPushButton>(form_.get(), name); }
  QLineEdit* Box(const char* name) { return Get<QLineEdit>(form_.get(), name); }
  void Trigger(const char* action) { Get<QAction>(form_.get(), action)->trigger(); }
  // Tempo re-enables the run buttons; TempoElapses makes its time up now
  // rather than 2000 ms after the last button went busy.
  QTimer* Tempo() { return Get<QTimer>(form_.get(), "Tempo"); }
  void TempoElapses() { QMetaObject::invokeMethod(Tempo(), "timeout", Qt::DirectConnection); }
  // A key as the user presses it, to whatever has the focus.
  static void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(static_cast<QWidget*>(nullptr), key, modifiers);
  }
  std::string Dataset() {  // InputPath|DatasetFolder|DatasetName|DatasetBase
    const DatasetState& d = form_->dataset();
    return d.InputPath + "|" + d.DatasetFolder + "|" + d.DatasetName + "|" + d.DatasetBase;
  }
  std::string Enabled() {  // "Edit &Input", "&Tarvo", "Edit &Output", "C&alculate": 1 enabled
    std::string states;
    for (const char* b : {"Command3", "Command5", "Command6", "Command7"}) {
      states += Button(b)->isEnabled() ? '1' : '0';
    }
    return states;
  }
  // An Open dialog as it was asked for: name|folder|title|filter|default
  // extension|filter index|flags, then "|cancel error" where cancelling is one.
  static std::string Describe(const FileDialog& d) {
    return d.fileName + "|" + d.initDir + "|" + d.dialogTitle + "|" + d.filter + "|" +
           d.defaultExt + "|" + std::to_string(d.filterIndex) + "|" + std::to_string(d.flags) +
           (d.cancelError ? "|cancel error" : "");
  }
  // What the desktop was asked since the last call, a line each: "cd FOLDER",
  // "max LINE" or "normal LINE" (a start), "box TITLE/ICON/BUTTONS: TEXT", "open TITLE".
  std::string Log() {
    std::string log;
    for (const RecordedEvent& e : desktop_.events) {
      using Kind = RecordedEvent::Kind;
      const Message& m = e.message;
      const bool max = e.window == WindowRequest::MaximizedActivated;
      log +=
          (log.empty() ? "" : "\n") +
          (e.kind == Kind::ChangeFolder ? "cd " + e.folder
           : e.kind == Kind::OpenDialog ? "open " + e.dialog.dialogTitle
           : e.kind == Kind::Start
               ? (max ? "max " : "normal ") + e.commandLine
               : "box " + m.title + (m.icon == MessageIcon::Critical ? "/stop" : "/-") +
                     (m.buttons == MessageButtons::OkCancel ? "/ok-cancel: " : "/ok: ") + m.text);
    }
    desktop_.Clear();
    return log;
  }

  const testing::TempDrives drives_;
  const fs::path c_ = drives_.Root() / "drive_c";
  Recorder desktop_;
  std::unique_ptr<Form1> form_;
};

TEST_F(Form1Test, StartFromTheSettingsFileAndExit) {
  Start();  // without one
  EXPECT_EQ(Box("Text1")->text() + Box("Text2")->text(), "");
  EXPECT_EQ(QApplication::focusWidget(), Box("Text1"));
  EXPECT_TRUE(Get<QRadioButton>(form_.get(), "Option1")->isChecked());

  // The Path box holds the whole megabyte (a line edit holds 32767
  // characters unless told otherwise). "&Exit" takes the focus from the
  // Dataset box, which rebuilds the input path, and writes all five lines.
  const std::string folder = "c:\\" + std::string(std::size_t{1} << 20, 'd') + "\\";
  Start(folder + "benz.txt\r\nvi\r\nemacs\r\n");
  EXPECT_TRUE(Box("Text2")->text().toStdString() == folder);
  QTest::mouseClick(Button("Command2"), Qt::LeftButton);
  EXPECT_TRUE(testing::ReadBytes(c_ / "zorb" / "wtarvo.ini") ==
              folder + "benz.in\r\nvi\r\nemacs\r\nnotepad \r\nnotepad \r\n");
  EXPECT_EQ(form_->exitStatus(), 0);

  fs::remove_all(c_ / "zorb");  // the settings cannot be written
  Start();
  form_->close();
  EXPECT_EQ(Log(),
            "box Warning/stop/ok: Cannot write the settings file 'c:\\zorb\\wtarvo.ini': No such "
            "file or directory");
  EXPECT_EQ(form_->exitStatus(), 1);
}

TEST_F(Form1Test, LookAndLayout) {
  Start();
  EXPECT_EQ(Layout(form_->centralWidget(), Box("Text1")), R"(WinTarvo Menu 5865 3855 #ff0000
Text1 QLineEdit "" 1200 720 2895 285
Command1 QPushButton "&Browse" 4320 360 1335 615
Command3 QPushButton "Edit &Input" 240 1320 1455 375
Frame2/Option1 QRadioButton "&Molecular View" 120 360 1695 255 #ff0000
Command7 QPushButton "C&alculate" 2280 1320 1455 375
Command5 QPushButton "&Tarvo" 4320 1320 1335 375
Command2 QPushButton "&Exit" 4320 2880 1335 375
Command6 QPushButton "Edit &Output" 240 1920 1455 375
Frame2/Option2 QRadioButton "&Null Output" 120 720 1455 255 #ff0000
Frame2/Option3 QRadioButton "Output &File" 120 1080 1335 375 #ff0000
Text2 QLineEdit "" 1200 360 2895 285
Command4 QPushButton "&Dataset Manager" 120 3120 1575 375 off
Label1 QLabel "Path:" 240 360 855 255 #ff0000
Dataset QLabel "Dataset:" 240 720 735 195 #ff0000
Frame2 QGroupBox "Options" 2040 1800 1935 1815 #ff0000)");
  EXPECT_EQ(Menus(form_->menuBar()->actions()),
            "menu_file:&File[Importa:&Import off[ImportaXYZ:XYZ], Esporta:&Export[ChiamaKryst:"
            "Kryst, chima_g94:G94, chiamaXYZ:XYZ]], opzioni:&Options[Opt_Editor:Editor], "
            "Help:&Help[about:&About, Helpwin:&Help F1 off]");

  EditorCommandSlots commands{"c:\\tools\\old.exe", "slot 1", "slot 2", "slot 3"};
  FileDialog CMDialog1;
  wEditor dialog(commands, CMDialog1, desktop_);
  EXPECT_EQ(Layout(&dialog, Get(&dialog, "Text1")), R"(Option Menu 6420 2100 #c0c0c0
Text1 QLineEdit "c:\tools\old.exe" 1680 360 3015 285
Command1 QPushButton "Browse" 4800 240 855 495
Command2 QPushButton "Cancel" 3600 960 1095 375
Command3 QPushButton "Ok" 1680 960 1095 375
Command4 QPushButton "Browse" 4800 1560 855 495 off
Text2 QLineEdit "slot 1" 1680 1680 3015 285 off
Label1 QLabel "Executable Text Editor " 360 240 1095 495 #c0c0c0
Label2 QLabel "Output File" 240 1680 1335 255 #ffffff off)");
  EXPECT_TRUE(form_->font() == DialogFont() && dialog.font() == DialogFont());
}

// The dataset is rebuilt from both boxes as typed, a pasted line cut at its
// break; with the Path box empty the programs start in the current folder.
TEST_F(Form1Test, LeavingABoxRebuildsTheDatasetFromBothBoxes) {
  for (const char* file : {"data/benz.in", "data/benz.cor"}) WriteFile(file, "x\r\n");
  const ScopedCurrentFolder inData(c_ / "data");
  Start();
  QTest::keyClicks(Box("Text1"), "bz");
  QTest::keyClick(Box("Text1"), Qt::Key_Left);
  QApplication::clipboard()->setText("en\r\nx");
  QTest::keyClick(Box("Text1"), Qt::Key_V, Qt::ControlModifier);
  QTest::mouseClick(Button("Command7"), Qt::LeftButton);
  QTest::mouseClick(Button("Command5"), Qt::LeftButton);
  EXPECT_EQ(Log(), "max c:\\zorb\\wtarvo.bat benz mol\nmax c:\\zorb\\tarvo.exe benz");
  QTest::mouseClick(Box("Text2"), Qt::LeftButton);
  Box("Text2")->setText("c:\\data");
  QTest::keyClick(Box("Text2"), Qt::Key_Tab);
  EXPECT_EQ(Dataset(), "c:\\databenz.in|c:\\data|benz|c:\\databenz");
  EXPECT_EQ(Box("Text2")->text(), "c:\\data");  // the boxes are not rewritten
}

// A button, clicked or by its access key, takes the focus from a text box
// first, so the dataset is rebuilt before it acts; a menu and the gesture (the
// right button with Shift, Ctrl and Alt on the bare background, where a double
// click is two presses) leave the focus there.
TEST_F(Form1Test, OnlyButtonsTakeTheFocusAndAccessKeysComeBeforeMenus) {
  StartOnBenz({"in", "cor"});
  QTest::mouseClick(Box("Text1"), Qt::LeftButton);
  Box("Text1")->setText("other");
  for (Qt::Key key : {Qt::Key_Alt, Qt::Key_F, Qt::Key_E, Qt::Key_Return}) Key(key);  // Kryst
  QWidget* background = form_->centralWidget();
  QTest::mousePress(background, Qt::RightButton, Qt::ControlModifier | Qt::AltModifier, {5, 5});
  QTest::mousePress(background, Qt::LeftButton, kAllThree, {5, 5});
  for (const char* control : {"Label1", "Frame2", "Command4", "Text1"}) {
    QTest::mousePress(Get(form_.get(), control), Qt::RightButton, kAllThree, {5, 5});
  }
  QTest::mouseDClick(form_->windowHandle(), Qt::RightButton, kAllThree,
                     background->mapTo(form_.get(), QPoint(5, 5)));
  EXPECT_EQ(Dataset(), "c:\\data\\benz.in|c:\\data\\|benz|c:\\data\\benz");
  EXPECT_EQ(Log(),
            "normal c:\\zorb\\xkryst  c:\\data\\benz.cor  1\n"
            "normal c:\\zorb\\xkryst  c:\\data\\benz.cor  4\n"
            "normal c:\\zorb\\xkryst  c:\\data\\benz.cor  4");
  Key(Qt::Key_O, Qt::AltModifier);  // "Edit &Output" rather than "&Options"
  EXPECT_EQ(Log(), "box Warning/stop/ok-cancel: File c:\\data\\other.out does not exist");
  Key(Qt::Key_F, Qt::AltModifier);  // "Output &File" rather than "&File"
  EXPECT_TRUE(Get<QRadioButton>(form_.get(), "Option3")->isChecked());
  EXPECT_EQ(QApplication::focusWidget(), Get(form_.get(), "Option3"));
  EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
}

// Browse, then every program on a dataset whose path has blanks, quotes and
// other characters: nothing is quoted, the programs get the blanks as word
// breaks. Only "C&alculate" in Molecular View waits for Tempo.
TEST_F(Form1Test, BrowseAndPathsGoOnTheLinesAsTheyAre) {
  Start("c:\\data\\benz.in\r\nvi\r\nemacs\r\n");  // an editor for input, one for output
  Button("Command1")->click();                    // cancelled: nothing changes
  EXPECT_EQ(Dataset(), "c:\\data\\benz.in|c:\\data\\|benz|c:\\data\\benz");
  EXPECT_EQ(Describe(desktop_.events.at(0).dialog),
            "benz.in|c:\\data\\|Open input file|Tarvo (*.in)|*.in|All Files (*.*)|*.*||.in|1|4100|"
            "cancel error");
  const std::string name = "it's \"q\" b\xc3\xa8&%", stem = "c:\\my data\\" + name;
  desktop_.openAnswers.push_back(stem + ".txt");
  Button("Command1")->click();
  EXPECT_EQ(Dataset(), stem + ".txt|c:\\my data\\|" + name + "|" + stem);
  EXPECT_EQ(Box("Text2")->text() + "|" + Box("Text1")->text(),
            QString::fromStdString("c:\\my data\\|" + name));

  fs::create_directories(c_ / "my data");
  for (const char* e : {".cor", ".out"}) WriteFile("my data/" + name + e, "x");
  Button("Command3")->click();  // the input file need not exist
  WriteFile("my data/" + name + ".txt", "x");
  for (const char* b : {"Command7", "Command5", "Command6"}) Button(b)->click();
  Trigger("chiamaXYZ");
  EXPECT_EQ(Enabled(), "0000");  // each until Tempo fires
  EXPECT_TRUE(Tempo()->isActive());
  TempoElapses();
  for (const char* option : {"Option2", "Option3"}) {
    Get<QRadioButton>(form_.get(), option)->setChecked(true);
    Button("Command7")->click();
  }
  EXPECT_EQ(Enabled(), "1111");
  const std::string cd = "cd c:\\my data\\\n", calculate = cd + "max c:\\zorb\\wtarvo.bat " + name;
  EXPECT_EQ(Log(), "open Open input file\nopen Open input file\nmax vi " + stem + ".txt\n" +
                       calculate + " mol\n" + cd + "max c:\\zorb\\tarvo.exe " + name +
                       "\nmax emacs " + stem + ".out\nnormal c:\\zorb\\xkryst  " + stem +
                       ".cor  2\n" + calculate + " nul\n" + calculate + " out");
}

TEST_F(Form1Test, FailuresToChangeFolderOrStartAreNamed) {
  StartOnBenz({"in", "cor"});
  desktop_.folderFailure = "No such file or directory";
  for (const char* b : {"Command7", "Command5"}) Button(b)->click();  // neither starts
  desktop_.startFailure = "Permission denied";
  Trigger("chima_g94");
  const std::string notThere =
      "cd c:\\data\\\n"
      "box Warning/stop/ok: Cannot make the folder 'c:\\data\\' the current folder: No such file "
      "or directory\n";
  EXPECT_EQ(
      Log(),
      notThere + notThere +
          "normal c:\\zorb\\xkryst  c:\\data\\benz.cor  3\n"
          "box Warning/stop/ok: Cannot start the program 'c:\\zorb\\xkryst': Permission denied");
}

// A file that cannot be read is as missing. "C&alculate" in Molecular View
// waits for Tempo all the same.
TEST_F(Form1Test, DatasetFilesMissingOrClosedAreTold) {
  StartOnBenz({});
  auto useAll = [&] {
    for (const char* b : {"Command7", "Command5", "Command6"}) Button(b)->click();
    Trigger("ChiamaKryst");
    EXPECT_EQ(Enabled(), "1110");
    TempoElapses();
    EXPECT_EQ(Log(),
              "box /-/ok: file not exist\n"
              "box /-/ok: Not found the dataset.\n"
              "box Warning/stop/ok-cancel: File c:\\data\\benz.out does not exist\n"
              "box Warning/stop/ok-cancel: File c:\\data\\benz.cor does not exist");
  };
  useAll();
  const std::vector<fs::path> files = {c_ / "data" / "benz.in", c_ / "data" / "benz.cor",
                                       c_ / "data" / "benz.out"};
  for (const fs::path& file : files) testing::WriteBytes(file, "x");
  testing::NoAccess closed(files, {});
  useAll();
}

// OK stores the dialog's box as the editor of both the input and the output
// file; a cancelled Browse keeps the box.
TEST_F(Form1Test, TheOptionsDialogSetsTheEditorOfBothEditButtons) {
  Start();
  desktop_.openAnswers = {std::nullopt, "c:\\tools\\edit.exe"};
  QStringList shown;
  QTimer::singleShot(0, [&] {
    QWidget* dialog = QApplication::activeModalWidget();
    ASSERT_NE(dialog, nullptr);
    for (int i = 0; i < 2; ++i) {  // cancelled, then chosen
      Get<QPushButton>(dialog, "Command1")->click();
      shown << Get<QLineEdit>(dialog, "Text1")->text();
    }
    Get<QPushButton>(dialog, "Command3")->click();
  });
  Trigger("Opt_Editor");
  EXPECT_EQ(shown, (QStringList{"notepad ", "c:\\tools\\edit.exe"}));
  const std::string editor = "c:\\tools\\edit.exe";
  EXPECT_EQ(form_->editorCommands(), (EditorCommandSlots{editor, editor, "notepad ", "notepad "}));
}

}  // namespace
}  // namespace wt
