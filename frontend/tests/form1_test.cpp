#include "frontend/form1.h"

#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <memory>
#include <optional>

#include "frontend/tests/window_fixture.h"
#include "platform/tests/noaccess.h"
#include "platform/windowlook.h"
#include "platform/testenv.h"

namespace wt {
namespace {

constexpr char kDefaults[] = "notepad \r\nnotepad \r\nnotepad \r\nnotepad \r\n";
const Qt::KeyboardModifiers kAllThree = Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier;

class Form1Test : public WindowTest {
 protected:
  // Starts the front end, shown and active, from a settings file when given.
  void Start(const std::string& settings = {}) {
    if (!settings.empty()) WriteFile("zorb/wtarvo.ini", settings);
    form_ = std::make_unique<Form1>(desktop_);
    form_->show();
    QApplication::setActiveWindow(form_.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(form_.get()));
  }
  // On the dataset c:\data\benz, with the files of these extensions.
  void StartOnBenz(std::initializer_list<const char*> extensions) {
    for (const char* e : extensions) WriteFile(std::string("data/benz.") + e, "x\r\n");
    Start(std::string("c:\\data\\benz.in\r\n") + kDefaults);
  }
  QPushButton* Button(const char* name) { return Get<QPushButton>(form_.get(), name); }
  // Tempo re-enables the run buttons.
  QTimer* Tempo() { return Get<QTimer>(form_.get(), "Tempo"); }
  // Tempo's time is up now rather than 2000 ms after the last button went busy.
  void TempoElapses() { QMetaObject::invokeMethod(Tempo(), "timeout", Qt::DirectConnection); }
  QLineEdit* Box(const char* name) { return Get<QLineEdit>(form_.get(), name); }
  void Trigger(const char* action) { Get<QAction>(form_.get(), action)->trigger(); }
  void Choose(const char* option) { Get<QRadioButton>(form_.get(), option)->setChecked(true); }
  void Press(QWidget* on, Qt::KeyboardModifiers keys, Qt::MouseButton b = Qt::RightButton) {
    QTest::mousePress(on, b, keys, QPoint(5, 5));
  }
  // Keys as the user presses them, to whatever has the focus.
  static void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(static_cast<QWidget*>(nullptr), key, modifiers);
  }
  // Alt pressed and released alone, then `keys`: the menus from the keyboard.
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

TEST_F(Form1Test, StartWithAndWithoutSettingsFile) {
  Start();
  EXPECT_EQ(Dataset(), "|||");
  EXPECT_EQ(Box("Text1")->text() + Box("Text2")->text(), "");
  EXPECT_EQ(form_->editorCommands(), DefaultEditorCommands());
  EXPECT_EQ(QApplication::focusWidget(), Box("Text1"));
  EXPECT_TRUE(Get<QRadioButton>(form_.get(), "Option1")->isChecked());
  EXPECT_TRUE(Tempo()->isSingleShot() && !Tempo()->isActive());
  EXPECT_EQ(Tempo()->interval(), 2000);
  EXPECT_EQ(Enabled(), "1111");
  EXPECT_FALSE(Button("Command4")->isEnabled());

  Start("benz.txt\r\nvi\r\nemacs\r\n");
  EXPECT_EQ(Dataset(), "benz.txt|b|enz|benz");
  EXPECT_EQ(Box("Text2")->text() + "|" + Box("Text1")->text(), "b|enz");
  EXPECT_EQ(form_->editorCommands(), (EditorCommandSlots{"vi", "emacs", "notepad ", "notepad "}));
  EXPECT_EQ(Log(), "");
}

TEST_F(Form1Test, Look) {
  Start();
  EXPECT_EQ(form_->centralWidget()->size(), TwipsRect(0, 0, 5865, 3855).size());
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
  EXPECT_FALSE(Get<QMenu>(form_.get(), "Importa")->menuAction()->isEnabled());
  EXPECT_FALSE(Get<QAction>(form_.get(), "Helpwin")->isEnabled());
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

TEST_F(Form1Test, Layout) {
  Start();
  EXPECT_EQ(form_->windowTitle(), "WinTarvo Menu");
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
  EXPECT_EQ(Menus(form_->menuBar()->actions()),
            "menu_file:&File[Importa:&Import[ImportaXYZ:XYZ], Esporta:&Export[ChiamaKryst:Kryst, "
            "chima_g94:G94, chiamaXYZ:XYZ]], opzioni:&Options[Opt_Editor:Editor], "
            "Help:&Help[about:&About, Helpwin:&Help F1]");
}

TEST_F(Form1Test, LeavingABoxRebuildsTheDatasetFromBothBoxes) {
  Start();
  QTest::mouseClick(Box("Text2"), Qt::LeftButton);
  EXPECT_EQ(Dataset(), ".in|||.");
  TypeInto("Text2", "c:\\data");
  TypeInto("Text1", "benz");
  QTest::keyClick(Box("Text1"), Qt::Key_Tab);
  EXPECT_EQ(Dataset(), "c:\\databenz.in|c:\\data|benz|c:\\databenz");
  EXPECT_EQ(Box("Text2")->text(), "c:\\data");  // the boxes are not rewritten
  TypeInto("Text2", "c:\\data\\");
  TypeInto("Text1", "benz.a");
  QTest::keyClick(Box("Text1"), Qt::Key_Tab);
  EXPECT_EQ(Dataset(), "c:\\data\\benz.a.in|c:\\data\\|benz.a|c:\\data\\benz.a");
}

TEST_F(Form1Test, ButtonsTakeTheFocusFirstMenusAndTheGestureDoNot) {
  WriteFile("data/benz.in", "x\r\n");
  WriteFile("data/benz.cor", "x\r\n");
  Start();
  TypeInto("Text2", "c:\\data\\");
  TypeInto("Text1", "benz");
  QTest::mouseClick(Button("Command7"), Qt::LeftButton);
  EXPECT_EQ(Log(), "cd c:\\data\\\nmax c:\\zorb\\wtarvo.bat benz mol");

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
  QApplication::setActiveWindow(form_.get());  // the offscreen platform leaves that to us
  ASSERT_TRUE(QTest::qWaitForWindowActive(form_.get()));
  EXPECT_EQ(QApplication::focusWidget(), Box("Text1"));
  Key(Qt::Key_T, Qt::AltModifier);                        // the access key of "&Tarvo"
  EXPECT_EQ(Log(), "box /-/ok: Not found the dataset.");  // c:\data\other.cor
}

TEST_F(Form1Test, AccessKeysOfControlsComeBeforeTheMenus) {
  StartOnBenz({"in"});
  TypeInto("Text1", "other");
  Key(Qt::Key_O, Qt::AltModifier);  // "Edit &Output" rather than "&Options"
  EXPECT_EQ(Log(), "box Warning/stop/ok-cancel: File c:\\data\\other.out does not exist");
  Key(Qt::Key_F, Qt::AltModifier);  // "Output &File" rather than "&File"
  EXPECT_TRUE(Get<QRadioButton>(form_.get(), "Option3")->isChecked());
  EXPECT_EQ(QApplication::focusWidget(), Get<QWidget>(form_.get(), "Option3"));
  EXPECT_EQ(OpenMenu(), nullptr);

  ThroughMenuBar({Qt::Key_F});
  EXPECT_EQ(OpenMenu(), Get<QMenu>(form_.get(), "menu_file"));
  Key(Qt::Key_Escape);
  Key(Qt::Key_Escape);
  QMenuBar* bar = form_->menuBar();
  QAction* options = Get<QMenu>(form_.get(), "opzioni")->menuAction();
  QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(options).center());
  EXPECT_EQ(OpenMenu(), Get<QMenu>(form_.get(), "opzioni"));
  Key(Qt::Key_Escape);

  WriteFile("data/other.out", "");
  Key(Qt::Key_O, Qt::AltModifier);
  EXPECT_EQ(Log(), "max notepad  c:\\data\\other.out");
  Key(Qt::Key_O, Qt::AltModifier);  // "Edit &Output" is busy: the key is the menu's
  EXPECT_EQ(OpenMenu(), Get<QMenu>(form_.get(), "opzioni"));
  Key(Qt::Key_Escape);
  EXPECT_EQ(Log(), "");
}

TEST_F(Form1Test, BoxesHoldOneLine) {
  Start();
  for (const char* name : {"Text1", "Text2"}) {
    QLineEdit* box = Box(name);
    QTest::mouseClick(box, Qt::LeftButton);
    QTest::keyClicks(box, "benz");
    for (Qt::Key key : {Qt::Key_Home, Qt::Key_Right, Qt::Key_Right}) QTest::keyClick(box, key);
    QApplication::clipboard()->setText("ab\r\ncd");
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    box->insert("\nx");
    box->insert("y\rz");
    EXPECT_EQ(box->text(), "beabynz") << name;
  }
}

TEST_F(Form1Test, AnEmptyPathBoxStaysInTheCurrentFolder) {
  WriteFile("data/benz.in", "x\r\n");
  WriteFile("data/benz.cor", "x\r\n");
  {
    const ScopedCurrentFolder inData(dir_ / "drive_c" / "data");
    Start();
    TypeInto("Text1", "benz");
    QTest::mouseClick(Button("Command7"), Qt::LeftButton);
    QTest::mouseClick(Button("Command5"), Qt::LeftButton);
  }
  EXPECT_EQ(Log(), "max c:\\zorb\\wtarvo.bat benz mol\nmax c:\\zorb\\tarvo.exe benz");
}

TEST_F(Form1Test, BrowseThroughAllFiles) {
  StartOnBenz({});
  Button("Command1")->click();  // cancelled: nothing changes
  EXPECT_EQ(Dataset(), "c:\\data\\benz.in|c:\\data\\|benz|c:\\data\\benz");
  const FileDialog& shown = desktop_.events.at(0).dialog;
  EXPECT_EQ(shown.fileName + "|" + shown.initDir + "|" + shown.dialogTitle + "|" + shown.filter +
                "|" + shown.defaultExt,
            "benz.in|c:\\data\\|Open input file|Tarvo (*.in)|*.in|All Files (*.*)|*.*||.in");
  EXPECT_EQ(shown.filterIndex, 1);
  EXPECT_EQ(shown.flags, 4100);
  EXPECT_TRUE(shown.cancelError);
  EXPECT_EQ(Log(), "open Open input file");

  desktop_.openAnswers.push_back("c:\\data\\benz.txt");
  QTest::mouseClick(Button("Command1"), Qt::LeftButton);
  EXPECT_EQ(Dataset(), "c:\\data\\benz.txt|c:\\data\\|benz|c:\\data\\benz");
  EXPECT_EQ(Box("Text2")->text() + "|" + Box("Text1")->text(), "c:\\data\\|benz");
  QTest::mouseClick(Box("Text1"), Qt::LeftButton);
  QTest::keyClick(Box("Text1"), Qt::Key_Tab);
  EXPECT_EQ(form_->dataset().InputPath, "c:\\data\\benz.in");
}

TEST_F(Form1Test, Calculate) {
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
  EXPECT_EQ(Enabled(), "1111");
  EXPECT_FALSE(Tempo()->isActive());

  std::filesystem::remove(dir_ / "drive_c" / "data" / "benz.in");
  Button("Command7")->click();
  EXPECT_EQ(Enabled(), "1111");
  Choose("Option1");
  Button("Command7")->click();
  EXPECT_EQ(Enabled(), "1110");  // until Tempo fires
  EXPECT_EQ(Log(), "box /-/ok: file not exist\nbox /-/ok: file not exist");
}

TEST_F(Form1Test, CalculatePassesEveryCharacterOnLinux) {
  WriteFile("data/a&b.in", "x\r\n");
  Start("c:\\data\\a&b.in\r\n");
  Button("Command7")->click();
  EXPECT_EQ(Log(), "cd c:\\data\\\nmax c:\\zorb\\wtarvo.bat a&b mol");
}

TEST_F(Form1Test, TarvoAndTheEditors) {
  StartOnBenz({"in"});
  Button("Command5")->click();
  desktop_.messageAnswers.push_back(MessageAnswer::Cancel);
  Button("Command6")->click();
  EXPECT_EQ(Log(),
            "box /-/ok: Not found the dataset.\n"
            "box Warning/stop/ok-cancel: File c:\\data\\benz.out does not exist");
  EXPECT_EQ(Enabled(), "1111");

  WriteFile("data/benz.cor", "");
  WriteFile("data/benz.out", "");
  std::filesystem::remove(dir_ / "drive_c" / "data" / "benz.in");
  Button("Command5")->click();
  Button("Command6")->click();
  Button("Command3")->click();  // the input file need not exist
  EXPECT_EQ(Log(),
            "cd c:\\data\\\nmax c:\\zorb\\tarvo.exe benz\n"
            "max notepad  c:\\data\\benz.out\n"
            "max notepad  c:\\data\\benz.in");
  EXPECT_EQ(Enabled(), "0001");
  EXPECT_TRUE(Tempo()->isActive());
  Tempo()->start(1);  // rather than wait 2000 ms
  ASSERT_TRUE(QTest::qWaitFor([&] { return !Tempo()->isActive(); }, 1000));
  EXPECT_EQ(Enabled(), "1111");
}

TEST_F(Form1Test, ExportAndTheGesture) {
  StartOnBenz({"in"});
  desktop_.messageAnswers.push_back(MessageAnswer::Cancel);
  Trigger("chiamaXYZ");
  EXPECT_EQ(Log(), "box Warning/stop/ok-cancel: File c:\\data\\benz.cor does not exist");

  WriteFile("data/benz.cor", "");
  for (const char* action : {"ChiamaKryst", "chiamaXYZ", "chima_g94"}) Trigger(action);
  Press(form_->centralWidget(), Qt::ControlModifier | Qt::AltModifier);
  Press(form_->centralWidget(), kAllThree, Qt::LeftButton);
  for (const char* control : {"Label1", "Frame2", "Command4", "Text1"}) {
    Press(Get<QWidget>(form_.get(), control), kAllThree);
  }
  Press(form_->centralWidget(), kAllThree);
  // A double click is two presses.
  QTest::mouseDClick(form_->windowHandle(), Qt::RightButton, kAllThree,
                     form_->centralWidget()->mapTo(form_.get(), QPoint(5, 5)));
  EXPECT_EQ(Log(),
            "normal c:\\zorb\\xkryst  c:\\data\\benz.cor  1\n"
            "normal c:\\zorb\\xkryst  c:\\data\\benz.cor  2\n"
            "normal c:\\zorb\\xkryst  c:\\data\\benz.cor  3\n"
            "normal c:\\zorb\\xkryst  c:\\data\\benz.cor  4\n"
            "normal c:\\zorb\\xkryst  c:\\data\\benz.cor  4\n"
            "normal c:\\zorb\\xkryst  c:\\data\\benz.cor  4");
  EXPECT_EQ(Enabled(), "1111");
  EXPECT_FALSE(Tempo()->isActive());
}

TEST_F(Form1Test, FailuresToChangeFolderOrStartAreNamed) {
  StartOnBenz({"in", "cor"});
  desktop_.folderFailure = "No such file or directory";
  Button("Command7")->click();
  desktop_.startFailure = "Permission denied";
  Trigger("chima_g94");
  EXPECT_EQ(Log(),
            "cd c:\\data\\\n"
            "box Warning/stop/ok: Cannot make the folder 'c:\\data\\' the current folder: No such "
            "file or directory\n"
            "normal c:\\zorb\\xkryst  c:\\data\\benz.cor  3\n"
            "box Warning/stop/ok: Cannot start the program 'c:\\zorb\\xkryst': Permission denied");
}

TEST_F(Form1Test, ExitAndCloseSaveTheSettings) {
  Start();
  TypeInto("Text2", "c:\\data\\");
  TypeInto("Text1", "benz");
  QTest::mouseClick(Button("Command2"), Qt::LeftButton);
  EXPECT_FALSE(form_->isVisible());
  EXPECT_EQ(ReadFile("zorb/wtarvo.ini"), std::string("c:\\data\\benz.in\r\n") + kDefaults);

  const std::string odd = "c:\\data\\benz.txt\r\n vi \r\n\r\n\t4 \xe9|&\r\n  \r\n";
  Start(odd + "sixth\r\n");
  form_->close();
  EXPECT_EQ(ReadFile("zorb/wtarvo.ini"), odd);
  EXPECT_EQ(form_->exitStatus(), 0);
  EXPECT_EQ(Log(), "");

  std::filesystem::remove_all(dir_ / "drive_c" / "zorb");
  Start();
  form_->close();
  form_->close();
  EXPECT_EQ(Log(),
            "box Warning/stop/ok: Cannot write the settings file 'c:\\zorb\\wtarvo.ini': No such "
            "file or directory");
  EXPECT_EQ(form_->exitStatus(), 1);
}

// The Path box holds the whole megabyte (a line edit holds 32767 characters
// unless told otherwise); the settings file comes back byte for byte.
TEST_F(Form1Test, SettingsWithLongLinesAndAnyBytesComeBackUnchanged) {
  const std::string folder = "c:\\" + std::string(std::size_t{1} << 20, 'd') + "\\";
  const std::string binary("vi \0\x01\xff\t\"'&|<>%", 15);
  const std::string settings = folder + "benz.in\r\n" + binary + "\r\n" +
                               std::string(std::size_t{1} << 20, 'e') + "\r\nx\r\n\xe9\r\n";
  Start(settings);
  EXPECT_EQ(Box("Text2")->text().toStdString(), folder);
  EXPECT_EQ(Box("Text1")->text(), "benz");
  EXPECT_EQ(form_->editorCommands()[0], binary);
  form_->close();
  EXPECT_EQ(ReadFile("zorb/wtarvo.ini"), settings);
  EXPECT_EQ(Log(), "");
}

// A missing file is met by the tests of each button above; a folder or a
// file that cannot be read is as missing.
TEST_F(Form1Test, DatasetFilesThatAreFoldersOrClosedAreMissing) {
  StartOnBenz({});
  const std::filesystem::path data = dir_ / "drive_c" / "data";
  auto useAll = [&] {
    Button("Command7")->click();
    Button("Command5")->click();
    Button("Command6")->click();
    Trigger("ChiamaKryst");
    TempoElapses();
    EXPECT_EQ(Log(),
              "box /-/ok: file not exist\n"
              "box /-/ok: Not found the dataset.\n"
              "box Warning/stop/ok-cancel: File c:\\data\\benz.out does not exist\n"
              "box Warning/stop/ok-cancel: File c:\\data\\benz.cor does not exist");
  };
  for (const char* name : {"benz.in", "benz.cor", "benz.out"}) {
    std::filesystem::create_directory(data / name);
  }
  useAll();
  for (const char* name : {"benz.in", "benz.cor", "benz.out"}) {
    std::filesystem::remove(data / name);
    WriteFile(std::string("data/") + name, "x");
  }
  testing::NoAccess closed({data / "benz.in", data / "benz.cor", data / "benz.out"}, {});
  useAll();
}

TEST_F(Form1Test, PathsWithBlanksQuotesAndOtherCharactersGoOnTheLinesAsTheyAre) {
  Start();
  desktop_.openAnswers.push_back("c:\\my data\\it's \"q\" benz\xc3\xa8ne&%.in");
  Button("Command1")->click();
  EXPECT_EQ(Box("Text2")->text() + "|" + Box("Text1")->text(),
            QString::fromUtf8("c:\\my data\\|it's \"q\" benz\xc3\xa8ne&%"));
  std::filesystem::create_directories(dir_ / "drive_c" / "my data");
  for (const char* extension : {".in", ".cor", ".out"}) {
    WriteFile("my data/it's \"q\" benz\xc3\xa8ne&%" + std::string(extension), "x");
  }
  for (const char* button : {"Command7", "Command5", "Command3", "Command6"}) {
    Button(button)->click();
  }
  Trigger("chiamaXYZ");
  // Nothing is quoted: the programs get the blanks as word breaks.
  EXPECT_EQ(Log(),
            "open Open input file\n"
            "cd c:\\my data\\\n"
            "max c:\\zorb\\wtarvo.bat it's \"q\" benz\xc3\xa8ne&% mol\n"
            "cd c:\\my data\\\n"
            "max c:\\zorb\\tarvo.exe it's \"q\" benz\xc3\xa8ne&%\n"
            "max notepad  c:\\my data\\it's \"q\" benz\xc3\xa8ne&%.in\n"
            "max notepad  c:\\my data\\it's \"q\" benz\xc3\xa8ne&%.out\n"
            "normal c:\\zorb\\xkryst  c:\\my data\\it's \"q\" benz\xc3\xa8ne&%.cor  2");
}

}  // namespace
}  // namespace wt
