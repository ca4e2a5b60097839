// wEditor, "Option Menu": the modal dialog in which the user chooses the
// editor command, by typing it or by browsing for a program. "Ok" stores the
// editor box in EditorCommands slots 0 and 1; "Cancel" and closing the dialog
// store nothing. The "Output File" row is shown unavailable.
#pragma once

#include <QDialog>

#include "frontend/wtrvg.h"
#include "platform/desktop.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace wt {

class wEditor : public QDialog {
  Q_OBJECT

 public:
  // `EditorCommands` and `CMDialog1` are the main window's and outlive the
  // dialog; the boxes are filled from slots 0 and 1.
  wEditor(EditorCommandSlots& EditorCommands, FileDialog& CMDialog1, Desktop& desktop,
          QWidget* parent = nullptr);

 private:
  // Event handlers, run by the buttons.
  void Command1_Click();  // the editor's "Browse"
  void Command3_Click();  // "Ok"
  void Command2_Click();  // "Cancel"

  EditorCommandSlots& EditorCommands;
  FileDialog& CMDialog1;
  Desktop& desktop_;

  QLabel* Label1 = nullptr;
  QLineEdit* Text1 = nullptr;
  QPushButton* Command1 = nullptr;
  QPushButton* Command3 = nullptr;
  QPushButton* Command2 = nullptr;
  QLabel* Label2 = nullptr;
  QLineEdit* Text2 = nullptr;
  QPushButton* Command4 = nullptr;
};

}  // namespace wt
