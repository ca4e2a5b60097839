#include "frontend/form1.h"

#include <QCloseEvent>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "common/fileexists.h"
#include "frontend/look.h"
#include "frontend/settings.h"
#include "frontend/weditor.h"
#include "platform/batchline.h"
#include "platform/qttext.h"
#include "platform/windowlook.h"

namespace wt {
namespace {

int ShiftState(Qt::KeyboardModifiers modifiers) {
  return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
         (modifiers & Qt::AltModifier ? 4 : 0);
}

// Focus moves between the window's own controls; the menu bar taking the
// keyboard (Alt, or Alt and a letter), a menu opening or another window
// becoming active is no LostFocus.
bool LeavesForAnotherControl(Qt::FocusReason reason) {
  return reason != Qt::MenuBarFocusReason && reason != Qt::PopupFocusReason &&
         reason != Qt::ActiveWindowFocusReason;
}

}  // namespace

Form1::Form1(Desktop& desktop, QWidget* parent) : QMainWindow(parent), desktop_(desktop) {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(QStringLiteral("WinTarvo Menu"));
  setFont(DialogFont());
  BuildControls();
  BuildMenus();
  HandleAccessKeysBeforeMenus(this);
  Tempo = MakeOneShotTimer(2000, this);
  Tempo->setObjectName(QStringLiteral("Tempo"));
  connect(Tempo, &QTimer::timeout, this, &Form1::Tempo_Timer);
  Form_Load();
}

void Form1::BuildControls() {
  client_ = new QWidget(this);
  client_->setObjectName(QStringLiteral("client"));
  client_->setFixedSize(TwipsRect(0, 0, 5865, 3855).size());
  SetBackground(client_, kRed);
  setCentralWidget(client_);
  layout()->setSizeConstraint(QLayout::SetFixedSize);

  QWidget* c = client_;
  Label1 = MakeLabel(c, "Label1", QStringLiteral("Path:"), 240, 360, 855, 255);
  Text2 = MakeTextBox(c, "Text2", 1200, 360, 2895, 285);
  Command1 = MakeButton(c, "Command1", QStringLiteral("&Browse"), 4320, 360, 1335, 615);
  Dataset = MakeLabel(c, "Dataset", QStringLiteral("Dataset:"), 240, 720, 735, 195);
  Text1 = MakeTextBox(c, "Text1", 1200, 720, 2895, 285);
  Command3 = MakeButton(c, "Command3", QStringLiteral("Edit &Input"), 240, 1320, 1455, 375);
  Command7 = MakeButton(c, "Command7", QStringLiteral("C&alculate"), 2280, 1320, 1455, 375);
  Command5 = MakeButton(c, "Command5", QStringLiteral("&Tarvo"), 4320, 1320, 1335, 375);
  Command6 = MakeButton(c, "Command6", QStringLiteral("Edit &Output"), 240, 1920, 1455, 375);
  Frame2 = MakeFrame(c, "Frame2", QStringLiteral("Options"), 2040, 1800, 1935, 1815);
  Option1 = MakeOption(Frame2, "Option1", QStringLiteral("&Molecular View"), 120, 360, 1695, 255);
  Option2 = MakeOption(Frame2, "Option2", QStringLiteral("&Null Output"), 120, 720, 1455, 255);
  Option3 = MakeOption(Frame2, "Option3", QStringLiteral("Output &File"), 120, 1080, 1335, 375);
  Command2 = MakeButton(c, "Command2", QStringLiteral("&Exit"), 4320, 2880, 1335, 375);
  Command4 = MakeButton(c, "Command4", QStringLiteral("&Dataset Manager"), 120, 3120, 1575, 375);
  Command4->setEnabled(false);

  QWidget* red[] = {Label1, Dataset, Frame2, Option1, Option2, Option3};
  for (QWidget* w : red) SetBackground(w, kRed);
  QPalette grey = Command6->palette();
  grey.setColor(QPalette::Button, kLightGrey);
  Command6->setPalette(grey);

  QWidget* tabOrder[] = {Text1,    Command1, Command3, Option1, Command7, Command5,
                         Command2, Command6, Option2,  Option3, Text2,    Command4};
  for (std::size_t i = 0; i + 1 < std::size(tabOrder); ++i) {
    setTabOrder(tabOrder[i], tabOrder[i + 1]);
  }

  // Presses on a control belong to it: only the bare background sees them.
  for (QWidget* w : client_->findChildren<QWidget*>()) {
    w->setAttribute(Qt::WA_NoMousePropagation);
  }
  client_->installEventFilter(this);
  Text1->installEventFilter(this);
  Text2->installEventFilter(this);

  connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
  connect(Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
  connect(Command3, &QPushButton::clicked, this, &Form1::Command3_Click);
  connect(Command5, &QPushButton::clicked, this, &Form1::Command5_Click);
  connect(Command6, &QPushButton::clicked, this, &Form1::Command6_Click);
  connect(Command7, &QPushButton::clicked, this, &Form1::Command7_Click);
}

void Form1::BuildMenus() {
  QMenu* menu_file = Named(menuBar()->addMenu(QStringLiteral("&File")), "menu_file");
  QMenu* Importa = Named(menu_file->addMenu(QStringLiteral("&Import")), "Importa");
  Named(Importa->addAction(QStringLiteral("XYZ")), "ImportaXYZ");
  Importa->setEnabled(false);
  Importa->menuAction()->setEnabled(false);
  QMenu* Esporta = Named(menu_file->addMenu(QStringLiteral("&Export")), "Esporta");
  connect(Named(Esporta->addAction(QStringLiteral("Kryst")), "ChiamaKryst"), &QAction::triggered,
          this, &Form1::ChiamaKryst_Click);
  connect(Named(Esporta->addAction(QStringLiteral("G94")), "chima_g94"), &QAction::triggered, this,
          &Form1::chima_g94_Click);
  connect(Named(Esporta->addAction(QStringLiteral("XYZ")), "chiamaXYZ"), &QAction::triggered, this,
          &Form1::chiamaXYZ_Click);

  QMenu* opzioni = Named(menuBar()->addMenu(QStringLiteral("&Options")), "opzioni");
  connect(Named(opzioni->addAction(QStringLiteral("Editor")), "Opt_Editor"), &QAction::triggered,
          this, &Form1::Opt_Editor_Click);

  QMenu* Help = Named(menuBar()->addMenu(QStringLiteral("&Help")), "Help");
  Named(Help->addAction(QStringLiteral("&About")), "about");
  QAction* Helpwin = Named(Help->addAction(QStringLiteral("&Help")), "Helpwin");
  Helpwin->setShortcut(QKeySequence(Qt::Key_F1));
  Helpwin->setEnabled(false);
}

void Form1::Form_Load() {
  Settings settings = LoadSettings(kSettingsFile);
  EditorCommands = settings.EditorCommands;
  dataset_ = SplitInputPath(settings.InputPath);
  ShowDataset();
  Option1->setChecked(true);
  Text1->setFocus();
}

void Form1::ShowDataset() {
  Text2->setText(ToQt(dataset_.DatasetFolder));
  Text1->setText(ToQt(dataset_.DatasetName));
}

void Form1::Text1_LostFocus() {
  dataset_ = RebuildDatasetPaths(FromQt(Text2->text()), FromQt(Text1->text()));
}

void Form1::Text2_LostFocus() {
  Text1_LostFocus();
}

void Form1::Command1_Click() {
  CMDialog1.fileName = dataset_.DatasetName + ".in";
  CMDialog1.defaultExt = ".in";
  CMDialog1.initDir = dataset_.DatasetFolder;
  CMDialog1.dialogTitle = "Open input file";
  CMDialog1.filter = "Tarvo (*.in)|*.in|All Files (*.*)|*.*|";
  CMDialog1.filterIndex = 1;
  CMDialog1.flags = FileDialog::kFileMustExist | FileDialog::kHideReadOnly;
  CMDialog1.cancelError = true;
  if (desktop_.ShowOpen(CMDialog1) != DialogOutcome::Chosen) return;
  dataset_ = SplitInputPath(CMDialog1.fileName);
  ShowDataset();
}

void Form1::Command2_Click() {
  close();
}

void Form1::Command7_Click() {
  OutputMode mode;
  if (Option1->isChecked()) {
    mode = OutputMode::MolecularView;
  } else if (Option2->isChecked()) {
    mode = OutputMode::NullOutput;
  } else if (Option3->isChecked()) {
    mode = OutputMode::OutputFile;
  } else {
    return;
  }
  if (mode == OutputMode::MolecularView) MarkBusy(Command7);
  if (!FileExists(dataset_.InputPath)) {
    desktop_.ShowMessage(FileNotExistMessage());
    return;
  }
  if (std::optional<Message> refusal = BatchRefusal(dataset_, BatchLineGoesThroughInterpreter())) {
    desktop_.ShowMessage(*refusal);
    return;
  }
  if (!MakeFolderCurrent(desktop_, dataset_.DatasetFolder)) return;
  StartCommand(desktop_, CalculateCommand(dataset_, mode), WindowRequest::MaximizedActivated);
}

void Form1::Command5_Click() {
  if (!FileExists(CoordinateFile(dataset_))) {
    desktop_.ShowMessage(DatasetNotFoundMessage());
    return;
  }
  MarkBusy(Command5);
  if (!MakeFolderCurrent(desktop_, dataset_.DatasetFolder)) return;
  StartCommand(desktop_, TarvoCommand(dataset_), WindowRequest::MaximizedActivated);
}

void Form1::Command3_Click() {
  MarkBusy(Command3);
  StartCommand(desktop_, EditInputCommand(EditorCommands[0], dataset_),
               WindowRequest::MaximizedActivated);
}

void Form1::Command6_Click() {
  if (!FileExists(OutputFile(dataset_))) {
    desktop_.ShowMessage(MissingFileWarning(OutputFile(dataset_)));
    return;
  }
  MarkBusy(Command6);
  StartCommand(desktop_, EditOutputCommand(EditorCommands[1], dataset_),
               WindowRequest::MaximizedActivated);
}

void Form1::ChiamaKryst_Click() {
  Export(1);
}
void Form1::chiamaXYZ_Click() {
  Export(2);
}
void Form1::chima_g94_Click() {
  Export(3);
}

void Form1::Form_MouseDown(Qt::MouseButton button, int shift) {
  if (button == Qt::RightButton && shift == 7) Export(4);
}

void Form1::Export(int outputKind) {
  if (!FileExists(CoordinateFile(dataset_))) {
    desktop_.ShowMessage(MissingFileWarning(CoordinateFile(dataset_)));
    return;
  }
  StartCommand(desktop_, ConverterCommand(dataset_, outputKind), WindowRequest::NormalActivated);
}

void Form1::Opt_Editor_Click() {
  wEditor dialog(EditorCommands, CMDialog1, desktop_, this);
  dialog.exec();
}

void Form1::MarkBusy(QPushButton* button) {
  button->setEnabled(false);
  Tempo->start();
}

void Form1::Tempo_Timer() {
  for (QPushButton* button : {Command3, Command5, Command6, Command7}) button->setEnabled(true);
  Tempo->stop();
}

void Form1::form_unload() {
  if (unloaded_) return;
  unloaded_ = true;
  Tempo->stop();
  std::string reason;
  if (!SaveSettings({dataset_.InputPath, EditorCommands}, kSettingsFile, &reason)) {
    desktop_.ShowMessage(SettingsNotWrittenMessage(kSettingsFile, reason));
    exitStatus_ = 1;
  }
}

void Form1::closeEvent(QCloseEvent* event) {
  form_unload();
  event->accept();
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusOut && (watched == Text1 || watched == Text2) &&
      LeavesForAnotherControl(static_cast<QFocusEvent*>(event)->reason())) {
    if (watched == Text1) {
      Text1_LostFocus();
    } else {
      Text2_LostFocus();
    }
  } else if ((event->type() == QEvent::MouseButtonPress ||
              event->type() == QEvent::MouseButtonDblClick) &&
             watched == client_) {
    // Qt turns the second press of a double click into MouseButtonDblClick.
    auto* press = static_cast<QMouseEvent*>(event);
    Form_MouseDown(press->button(), ShiftState(press->modifiers()));
  }
  return QMainWindow::eventFilter(watched, event);
}

}  // namespace wt
