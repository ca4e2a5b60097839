// Form1, "WinTarvo Menu": the front end's main window. It holds the current
// dataset and the editor commands for the whole run, loads them from the
// settings file when it is made and saves them when it closes. Every message
// box, file dialog, program start and change of folder goes through the
// Desktop it is given.
//
// Focus: a click on a button (or its access key) takes the focus from a text
// box first, so the box's LostFocus handler rebuilds the dataset before the
// button's command runs; menu commands and the mouse gesture on the
// background leave the focus where it is and use the dataset as last built.
#pragma once

#include <QMainWindow>

#include "frontend/wtrv.h"
#include "frontend/wtrvg.h"
#include "platform/desktop.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTimer;

namespace wt {

class Form1 : public QMainWindow {
  Q_OBJECT

 public:
  explicit Form1(Desktop& desktop, QWidget* parent = nullptr);

  const DatasetState& dataset() const { return dataset_; }
  const EditorCommandSlots& editorCommands() const { return EditorCommands; }
  // 0, or 1 when the settings could not be written at the end.
  int exitStatus() const { return exitStatus_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Event handlers, run by the window's events.
  void Text1_LostFocus();
  void Text2_LostFocus();
  void Command1_Click();  // "&Browse"
  void Command2_Click();  // "&Exit"
  void Command3_Click();  // "Edit &Input"
  void Command5_Click();  // "&Tarvo"
  void Command6_Click();  // "Edit &Output"
  void Command7_Click();  // "C&alculate"
  void ChiamaKryst_Click();
  void chiamaXYZ_Click();
  void chima_g94_Click();
  void Opt_Editor_Click();
  void Tempo_Timer();
  // `shift`: Shift 1 + Ctrl 2 + Alt 4.
  void Form_MouseDown(Qt::MouseButton button, int shift);

  void BuildControls();
  void BuildMenus();
  void Form_Load();
  void form_unload();
  void ShowDataset();
  void MarkBusy(QPushButton* button);
  void Export(int outputKind);

  Desktop& desktop_;
  DatasetState dataset_;
  EditorCommandSlots EditorCommands = DefaultEditorCommands();
  // One Open dialog for the life of the window, shared with the Options
  // dialog, so properties set by one use stay for the next.
  FileDialog CMDialog1;
  bool unloaded_ = false;
  int exitStatus_ = 0;

  QWidget* client_ = nullptr;
  QLabel* Label1 = nullptr;
  QLineEdit* Text2 = nullptr;
  QPushButton* Command1 = nullptr;
  QLabel* Dataset = nullptr;
  QLineEdit* Text1 = nullptr;
  QPushButton* Command3 = nullptr;
  QPushButton* Command7 = nullptr;
  QPushButton* Command5 = nullptr;
  QPushButton* Command6 = nullptr;
  QGroupBox* Frame2 = nullptr;
  QRadioButton* Option1 = nullptr;
  QRadioButton* Option2 = nullptr;
  QRadioButton* Option3 = nullptr;
  QPushButton* Command2 = nullptr;
  QPushButton* Command4 = nullptr;
  // Re-enables the run buttons 2000 ms after the last one went busy.
  QTimer* Tempo = nullptr;
};

}  // namespace wt
