#include "frontend/form1.h"

#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <memory>
#include <vector>

#include "frontend/tests/window_fixture.h"
#include "platform/testenv.h"
#include "platform/tests/noaccess.h"

namespace wt {
namespace {

namespace fs = std::filesystem;

constexpr char kDefaults[] = "notepad \r\nnotepad \r\nnotepad \r\nnotepad \r\n";
const Qt::KeyboardModifiers kAllThree = Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier;

class Form1Test : public WindowTest {
 protected:
  // Starts the front end, shown and active, from a settings file when given.
  void Start(const std::string& settings = {}) {
    if (!settings.empty()) WriteFile("zorb/wtarvo.ini", settings);
    form_ = std::make_unique<Form1>(desktop_);
    form_->show();
    Activate();
  }
  void Activate() {  // the offscreen platform leaves that to the test
    QApplication::setActiveWindow(form_.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(form_.get()));
  }
  // On the dataset c:\data\benz, with the files of these extensions.
  void StartOnBenz(std::initializer_list<const char*> extensions) {
    for (const char* e : extensions) WriteFile(std::string("data/benz.") + e, "x\r\n");
    Start(std::string("c:\\data\\benz.in\r\n") + kDefaults);
  }
  QPushButton* Button(const char* name) { return Get<QPushButton>(form_.get(), name); }
  QLineEdit* Box(const char* name) { return Get<QLineEdit>(form_.get(), name); }
  void Trigger(const char* action) { Get<QAction>(form_.get(), action)->trigger(); }
  void Choose(const char* option) { Get<QRadioButton>(form_.get(), option)->setChecked(true); }
  // Tempo re-enables the run buttons; TempoElapses makes its time up now
  // rather than 2000 ms after the last button went busy.
  QTimer* Tempo() { return Get<QTimer>(form_.get(), "Tempo"); }
  void TempoElapses() { QMetaObject::invokeMethod(Tempo(), "timeout", Qt::DirectConnection); }
  void Press(QWidget* on, Qt::KeyboardModifiers keys, Qt::MouseButton b = Qt::RightButton) {
    QTest::mousePress(on, b, keys, QPoint(5, 5));
  }
  // Keys as the user presses them, to whatever has the focus; ThroughMenuBar
  // presses and releases Alt alone first: the menus from the keyboard.
  static void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(static_cast<QWidget*>(nullptr), key, modifiers);
  }
  static void ThroughMenuBar(std::initializer_list<Qt::Key> keys) {
    Key(Qt::Key_Alt);
    for (Qt::Key key : keys) Key(key);
  }
  QMenu* OpenMenu() { return qobject_cast<QMenu*>(QApplication::activePopupWidget()); }
  // Types into a box as the user would: click into it, then type.
  void TypeInto(const char* box, const QString& text) {
    QTest::mouseClick(Box(box), Qt::LeftButton);
    Box(box)->setText(text);
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

  std::unique_ptr<Form1> form_;
};

TEST_F(Form1Test, StartFromTheSettingsFileAndExit) {
  Start();  // without one
  EXPECT_EQ(Box("Text1")->text() + Box("Text2")->text(), "");
  EXPECT_EQ(form_->editorCommands(), DefaultEditorCommands());
  EXPECT_EQ(QApplication::focusWidget(), Box("Text1"));
  EXPECT_TRUE(Get<QRadioButton>(form_.get(), "Option1")->isChecked());
  EXPECT_TRUE(Tempo()->isSingleShot() && !Tempo()->isActive());
  EXPECT_EQ(Tempo()->interval(), 2000);
  EXPECT_EQ(Enabled(), "1111");
  EXPECT_FALSE(Button("Command4")->isEnabled());

  // The Path box holds the whole megabyte (a line edit holds 32767
  // characters unless told otherwise). "&Exit" takes the focus from the
  // Dataset box, which rebuilds the input path, and writes all five lines.
  const std::string folder = "c:\\" + std::string(std::size_t{1} << 20, 'd') + "\\";
  Start(folder + "benz.txt\r\nvi\r\nemacs\r\n");
  EXPECT_TRUE(Box("Text2")->text().toStdString() == folder);
  EXPECT_EQ(Box("Text1")->text(), "benz");
  EXPECT_EQ(form_->editorCommands(), (EditorCommandSlots{"vi", "emacs", "notepad ", "notepad "}));
  QTest::mouseClick(Button("Command2"), Qt::LeftButton);
  EXPECT_FALSE(form_->isVisible());
  EXPECT_TRUE(ReadFile("zorb/wtarvo.ini") ==
              folder + "benz.in\r\nvi\r\nemacs\r\nnotepad \r\nnotepad \r\n");
  EXPECT_EQ(form_->exitStatus(), 0);
  EXPECT_EQ(Log(), "");
}

// Entries as name:caption, a shortcut after a blank, a submenu in brackets.
QString Menus(const QList<QAction*>& actions) {
  QStringList items;
  for (QAction* action : actions) {
    QMenu* menu = action->menu();
    QString item = (menu ? menu->objectName() : action->objectName()) + ":" + action->text();
    if (!action->shortcut().isEmpty()) item += " " + action->shortcut().toString();
    if (menu) item += "[" + Menus(menu->actions()) + "]";
    items << item;
  }
  return items.join(", ");
}

TEST_F(Form1Test, LookAndLayout) {
  Start();
  EXPECT_EQ(form_->windowTitle(), "WinTarvo Menu");
  EXPECT_EQ(form_->centralWidget()->size(), TwipsRect(0, 0, 5865, 3855).size());
  ExpectLayout(form_.get(),
               {
                   {"Label1", "QLabel", "Path:", 240, 360, 855, 255},
                   {"Text2", "QLineEdit", "", 1200, 360, 2895, 285},
                   {"Command1", "QPushButton", "&Browse", 4320, 360, 1335, 615},
                   {"Dataset", "QLabel", "Dataset:", 240, 720, 735, 195},
                   {"Text1", "QLineEdit", "", 1200, 720, 2895, 285},
                   {"Command3", "QPushButton", "Edit &Input", 240, 1320, 1455, 375},
                   {"Command7", "QPushButton", "C&alculate", 2280, 1320, 1455, 375},
                   {"Command5", "QPushButton", "&Tarvo", 4320, 1320, 1335, 375},
                   {"Command6", "QPushButton", "Edit &Output", 240, 1920, 1455, 375},
                   {"Frame2", "QGroupBox", "Options", 2040, 1800, 1935, 1815},
                   {"Option1", "QRadioButton", "&Molecular View", 120, 360, 1695, 255},
                   {"Option2", "QRadioButton", "&Null Output", 120, 720, 1455, 255},
                   {"Option3", "QRadioButton", "Output &File", 120, 1080, 1335, 375},
                   {"Command2", "QPushButton", "&Exit", 4320, 2880, 1335, 375},
                   {"Command4", "QPushButton", "&Dataset Manager", 120, 3120, 1575, 375},
               });
  for (const char* option : {"Option1", "Option2", "Option3"}) {
    EXPECT_EQ(Get<QWidget>(form_.get(), option)->parentWidget()->objectName(), "Frame2");
  }
  for (const char* name :
       {"client", "Label1", "Dataset", "Frame2", "Option1", "Option2", "Option3"}) {
    QWidget* w = Get<QWidget>(form_.get(), name);
    EXPECT_EQ(w->palette().color(w->backgroundRole()), QColor(255, 0, 0)) << name;
    EXPECT_TRUE(w->autoFillBackground()) << name;
  }
  EXPECT_EQ(Button("Command6")->palette().color(Button("Command6")->backgroundRole()),
            QColor(192, 192, 192));
  EXPECT_EQ(Button("Command7")->font(), DialogFont());
  EXPECT_EQ(TabOrder(Box("Text1")),
            (QStringList{"Text1", "Command1", "Command3", "Option1", "Command7", "Command5",
                         "Command2", "Command6", "Option2", "Option3", "Text2", "Command4"}));
  EXPECT_EQ(Menus(form_->menuBar()->actions()),
            "menu_file:&File[Importa:&Import[ImportaXYZ:XYZ], Esporta:&Export[ChiamaKryst:Kryst, "
            "chima_g94:G94, chiamaXYZ:XYZ]], opzioni:&Options[Opt_Editor:Editor], "
            "Help:&Help[about:&About, Helpwin:&Help F1]");
  EXPECT_FALSE(Get<QMenu>(form_.get(), "Importa")->menuAction()->isEnabled());
  EXPECT_FALSE(Get<QAction>(form_.get(), "Helpwin")->isEnabled());
}

// The dataset is rebuilt from both boxes as typed; with the Path box empty
// the programs start in the current folder.
TEST_F(Form1Test, LeavingABoxRebuildsTheDatasetFromBothBoxes) {
  WriteFile("data/benz.in", "x\r\n");
  WriteFile("data/benz.cor", "x\r\n");
  const ScopedCurrentFolder inData(dir_ / "drive_c" / "data");
  Start();
  QTest::mouseClick(Box("Text2"), Qt::LeftButton);
  EXPECT_EQ(Dataset(), ".in|||.");
  TypeInto("Text1", "benz");
  QTest::mouseClick(Button("Command7"), Qt::LeftButton);
  QTest::mouseClick(Button("Command5"), Qt::LeftButton);
  EXPECT_EQ(Log(), "max c:\\zorb\\wtarvo.bat benz mol\nmax c:\\zorb\\tarvo.exe benz");
  TypeInto("Text2", "c:\\data");
  QTest::keyClick(Box("Text2"), Qt::Key_Tab);
  EXPECT_EQ(Dataset(), "c:\\databenz.in|c:\\data|benz|c:\\databenz");
  EXPECT_EQ(Box("Text2")->text(), "c:\\data");  // the boxes are not rewritten
}

// A button leaving a box is met in LeavingABoxRebuildsTheDatasetFromBothBoxes.
TEST_F(Form1Test, ButtonsTakeTheFocusFirstMenusAndTheGestureDoNot) {
  StartOnBenz({"in", "cor"});
  TypeInto("Text1", "other");
  ThroughMenuBar({Qt::Key_F, Qt::Key_E, Qt::Key_Return});  // File, Export, Kryst
  QString shown;                                           // another window comes up
  QTimer::singleShot(0, [&] {
    if (QWidget* dialog = QApplication::activeModalWidget()) {
      shown = dialog->windowTitle();
      dialog->close();
    }
  });
  ThroughMenuBar({Qt::Key_O, Qt::Key_Return});  // Options, Editor
  EXPECT_EQ(shown, "Option Menu");
  Press(form_->centralWidget(), kAllThree);
  EXPECT_EQ(Dataset(), "c:\\data\\benz.in|c:\\data\\|benz|c:\\data\\benz");
  EXPECT_EQ(Log(),
            "normal c:\\zorb\\xkryst  c:\\data\\benz.cor  1\n"
            "normal c:\\zorb\\xkryst  c:\\data\\benz.cor  4");
  Activate();
  EXPECT_EQ(QApplication::focusWidget(), Box("Text1"));
  Key(Qt::Key_T, Qt::AltModifier);                        // the access key of "&Tarvo"
  EXPECT_EQ(Log(), "box /-/ok: Not found the dataset.");  // c:\data\other.cor
}

TEST_F(Form1Test, AccessKeysOfControlsComeBeforeTheMenus) {
  StartOnBenz({"in"});
  Key(Qt::Key_O, Qt::AltModifier);  // "Edit &Output" rather than "&Options"
  EXPECT_EQ(Log(), "box Warning/stop/ok-cancel: File c:\\data\\benz.out does not exist");
  Key(Qt::Key_F, Qt::AltModifier);  // "Output &File" rather than "&File"
  EXPECT_TRUE(Get<QRadioButton>(form_.get(), "Option3")->isChecked());
  EXPECT_EQ(QApplication::focusWidget(), Get<QWidget>(form_.get(), "Option3"));
  EXPECT_EQ(OpenMenu(), nullptr);
  ThroughMenuBar({Qt::Key_F});  // Alt alone still leads to the menus
  EXPECT_EQ(OpenMenu(), Get<QMenu>(form_.get(), "menu_file"));
  Key(Qt::Key_Escape);
  Key(Qt::Key_Escape);

  WriteFile("data/benz.out", "");
  Key(Qt::Key_O, Qt::AltModifier);
  EXPECT_EQ(Log(), "max notepad  c:\\data\\benz.out");
  Key(Qt::Key_O, Qt::AltModifier);  // "Edit &Output" is busy: the key is the menu's
  EXPECT_EQ(OpenMenu(), Get<QMenu>(form_.get(), "opzioni"));
  Key(Qt::Key_Escape);
  EXPECT_EQ(Log(), "");
}

// Every text box of the front end is made alike; the editor's box too.
TEST_F(Form1Test, BoxesHoldOneLine) {
  Start();
  QLineEdit* box = Box("Text2");
  QTest::mouseClick(box, Qt::LeftButton);
  QTest::keyClicks(box, "benz");
  for (Qt::Key key : {Qt::Key_Home, Qt::Key_Right, Qt::Key_Right}) QTest::keyClick(box, key);
  QApplication::clipboard()->setText("ab\r\ncd");
  QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
  box->insert("\nx");
  box->insert("y\rz");
  EXPECT_EQ(box->text(), "beabynz");
}

TEST_F(Form1Test, CalculateInEachMode) {
  StartOnBenz({"in"});
  Button("Command7")->click();
  EXPECT_EQ(Enabled(), "1110");
  EXPECT_TRUE(Tempo()->isActive());
  TempoElapses();
  Choose("Option2");
  Button("Command7")->click();
  Choose("Option3");
  Button("Command7")->click();
  EXPECT_EQ(Log(),
            "cd c:\\data\\\nmax c:\\zorb\\wtarvo.bat benz mol\n"
            "cd c:\\data\\\nmax c:\\zorb\\wtarvo.bat benz nul\n"
            "cd c:\\data\\\nmax c:\\zorb\\wtarvo.bat benz out");
  EXPECT_EQ(Enabled(), "1111");  // only Molecular View waits for Tempo
  EXPECT_FALSE(Tempo()->isActive());
}

// Browse, then every program on a dataset whose path has blanks, quotes and
// other characters: nothing is quoted, the programs get the blanks as word
// breaks.
TEST_F(Form1Test, BrowseAndPathsGoOnTheLinesAsTheyAre) {
  Start("c:\\data\\benz.in\r\nvi\r\nemacs\r\n");  // an editor for input, one for output
  Button("Command1")->click();                    // cancelled: nothing changes
  EXPECT_EQ(Dataset(), "c:\\data\\benz.in|c:\\data\\|benz|c:\\data\\benz");
  EXPECT_EQ(Describe(desktop_.events.at(0).dialog),
            "benz.in|c:\\data\\|Open input file|Tarvo (*.in)|*.in|All Files (*.*)|*.*||.in|1|4100|"
            "cancel error");
  const std::string name = "it's \"q\" benz\xc3\xa8ne&%", stem = "c:\\my data\\" + name;
  desktop_.openAnswers.push_back(stem + ".txt");
  Button("Command1")->click();
  EXPECT_EQ(Dataset(), stem + ".txt|c:\\my data\\|" + name + "|" + stem);
  EXPECT_EQ(Box("Text2")->text() + "|" + Box("Text1")->text(),
            QString::fromStdString("c:\\my data\\|" + name));

  fs::create_directories(dir_ / "drive_c" / "my data");
  WriteFile("my data/" + name + ".cor", "x");
  WriteFile("my data/" + name + ".out", "x");
  Button("Command3")->click();  // the input file need not exist
  WriteFile("my data/" + name + ".txt", "x");
  for (const char* button : {"Command7", "Command5", "Command6"}) Button(button)->click();
  Trigger("chiamaXYZ");
  std::string log = Log();  // the name as N
  for (std::size_t at; (at = log.find(name)) != std::string::npos;)
    log.replace(at, name.size(), "N");
  EXPECT_EQ(log,
            "open Open input file\n"
            "open Open input file\n"
            "max vi c:\\my data\\N.txt\n"
            "cd c:\\my data\\\nmax c:\\zorb\\wtarvo.bat N mol\n"
            "cd c:\\my data\\\nmax c:\\zorb\\tarvo.exe N\n"
            "max emacs c:\\my data\\N.out\n"
            "normal c:\\zorb\\xkryst  c:\\my data\\N.cor  2");
  EXPECT_EQ(Enabled(), "0000");  // each until Tempo fires
  EXPECT_TRUE(Tempo()->isActive());
  TempoElapses();
  EXPECT_EQ(Enabled(), "1111");
}

// The menu's kinds of export are met elsewhere: 1 with the focus, 2 with
// Browse, 3 with a failed start.
TEST_F(Form1Test, OnlyTheGestureOnTheBareBackgroundExports) {
  StartOnBenz({"in", "cor"});
  // The right button with Shift, Ctrl and Alt.
  Press(form_->centralWidget(), Qt::ControlModifier | Qt::AltModifier);
  Press(form_->centralWidget(), kAllThree, Qt::LeftButton);
  for (const char* control : {"Label1", "Frame2", "Command4", "Text1"}) {
    Press(Get<QWidget>(form_.get(), control), kAllThree);
  }
  // A double click is two presses.
  QTest::mouseDClick(form_->windowHandle(), Qt::RightButton, kAllThree,
                     form_->centralWidget()->mapTo(form_.get(), QPoint(5, 5)));
  EXPECT_EQ(Log(),
            "normal c:\\zorb\\xkryst  c:\\data\\benz.cor  4\n"
            "normal c:\\zorb\\xkryst  c:\\data\\benz.cor  4");
  EXPECT_EQ(Enabled(), "1111");
  EXPECT_FALSE(Tempo()->isActive());
}

TEST_F(Form1Test, FailuresToChangeFolderOrStartAreNamed) {
  StartOnBenz({"in", "cor"});
  desktop_.folderFailure = "No such file or directory";
  Button("Command7")->click();
  Button("Command5")->click();  // neither starts anything
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

TEST_F(Form1Test, SettingsThatCannotBeWrittenAreTold) {
  fs::remove_all(dir_ / "drive_c" / "zorb");
  Start();
  form_->close();
  EXPECT_EQ(Log(),
            "box Warning/stop/ok: Cannot write the settings file 'c:\\zorb\\wtarvo.ini': No such "
            "file or directory");
  EXPECT_EQ(form_->exitStatus(), 1);
}

// A folder, or a file that cannot be read, is as missing. "C&alculate" in
// Molecular View waits for Tempo all the same.
TEST_F(Form1Test, DatasetFilesMissingFoldersOrClosedAreTold) {
  StartOnBenz({});
  auto useAll = [&] {
    for (const char* button : {"Command7", "Command5", "Command6"}) Button(button)->click();
    Trigger("ChiamaKryst");
    EXPECT_EQ(Enabled(), "1110");
    TempoElapses();
    return Log();
  };
  const std::string told =
      "box /-/ok: file not exist\n"
      "box /-/ok: Not found the dataset.\n"
      "box Warning/stop/ok-cancel: File c:\\data\\benz.out does not exist\n"
      "box Warning/stop/ok-cancel: File c:\\data\\benz.cor does not exist";
  EXPECT_EQ(useAll(), told);
  const fs::path data = dir_ / "drive_c" / "data";
  const std::vector<fs::path> files = {data / "benz.in", data / "benz.cor", data / "benz.out"};
  for (const fs::path& file : files) fs::create_directory(file);
  EXPECT_EQ(useAll(), told);
  for (const fs::path& file : files) fs::remove(file);
  for (const fs::path& file : files) testing::WriteBytes(file, "x");
  testing::NoAccess closed(files, {});
  EXPECT_EQ(useAll(), told);
}

}  // namespace
}  // namespace wt
