// Form1, the step window: the step number to convert, "Ok" and "Cancel", the
// "option" menu with "Input Line" and "All Steps", and the "Type" menu, whose
// items have no function. The actions themselves are Converter's.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <chrono>
#include <functional>

#include "converter/form2.h"
#include "converter/main1.h"

class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

namespace wt {

class Form1 : public QMainWindow {
 public:
  // `endProgram` ends the process with an exit status; every way out of the
  // window calls it once.
  Form1(Converter& converter, std::function<void(int)> endProgram, QWidget* parent = nullptr);

  // Sets the range label from the step count, as the start routine does
  // right after showing the window. The label keeps its designed width unless
  // the text needs more.
  void SetRangeLabel();

  // "All Steps" shows a progress dialog once it has run for `showAfter`
  // (at first 500 ms), and brings it up to date at most once per `interval`
  // (at first 50 ms; see ProgressThrottle).
  void SetProgressTiming(std::chrono::milliseconds showAfter, std::chrono::milliseconds interval);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  // While "All Steps" runs, Form1 and Form2 take no input and these
  // handlers do nothing.
  void Command2_Click();      // "Ok"
  void Command3_Click();      // "Cancel"
  void Input_Line_Click();    // "Input Line": shows Form2, creating it when needed
  void tuttiglistep_Click();  // "All Steps"

  void End(int status);

  Converter& converter_;
  std::function<void(int)> endProgram_;
  std::chrono::milliseconds progressShowAfter_{500};
  std::chrono::milliseconds progressInterval_{50};
  QPointer<Form2> form2_;  // the input-line window while it exists
  bool ended_ = false;
  bool running_ = false;  // "All Steps" is under way

  QLabel* Label1;
  QLineEdit* Text1;
  QLabel* Label2;
  QPushButton* Command2;
  QPushButton* Command3;
  QMenu* opzioni;
  QAction* Input_Line;
  QAction* tuttiglistep;
  QMenu* Tipo_di_file;
};

}  // namespace wt
