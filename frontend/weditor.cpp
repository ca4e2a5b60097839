#include "frontend/weditor.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

#include "common/pathtext.h"
#include "frontend/look.h"
#include "platform/qttext.h"
#include "platform/windowlook.h"

namespace wt {

wEditor::wEditor(EditorCommandSlots& EditorCommands, FileDialog& CMDialog1, Desktop& desktop,
                 QWidget* parent)
    : QDialog(parent), EditorCommands(EditorCommands), CMDialog1(CMDialog1), desktop_(desktop) {
  setObjectName(QStringLiteral("wEditor"));
  setWindowTitle(QStringLiteral("Option Menu"));
  setFont(DialogFont());
  setFixedSize(TwipsRect(0, 0, 6420, 2100).size());
  SetBackground(this, kLightGrey);

  Label1 =
      MakeLabel(this, "Label1", QStringLiteral("Executable Text Editor "), 360, 240, 1095, 495);
  SetBackground(Label1, kLightGrey);
  Text1 = MakeTextBox(this, "Text1", 1680, 360, 3015, 285);
  Command1 = MakeButton(this, "Command1", QStringLiteral("Browse"), 4800, 240, 855, 495);
  Command3 = MakeButton(this, "Command3", QStringLiteral("Ok"), 1680, 960, 1095, 375);
  Command2 = MakeButton(this, "Command2", QStringLiteral("Cancel"), 3600, 960, 1095, 375);
  Label2 = MakeLabel(this, "Label2", QStringLiteral("Output File"), 240, 1680, 1335, 255);
  SetBackground(Label2, QApplication::palette().color(QPalette::Base));
  Text2 = MakeTextBox(this, "Text2", 1680, 1680, 3015, 285);
  Command4 = MakeButton(this, "Command4", QStringLiteral("Browse"), 4800, 1560, 855, 495);
  QWidget* unavailable[] = {Label2, Text2, Command4};
  for (QWidget* w : unavailable) w->setEnabled(false);

  QWidget* tabOrder[] = {Text1, Command1, Command2, Command3, Command4, Text2};
  for (std::size_t i = 0; i + 1 < std::size(tabOrder); ++i) {
    setTabOrder(tabOrder[i], tabOrder[i + 1]);
  }
  connect(Command1, &QPushButton::clicked, this, &wEditor::Command1_Click);
  connect(Command3, &QPushButton::clicked, this, &wEditor::Command3_Click);
  connect(Command2, &QPushButton::clicked, this, &wEditor::Command2_Click);

  Text1->setText(ToQt(EditorCommands[0]));
  Text2->setText(ToQt(EditorCommands[1]));
  Text1->setFocus();
}

void wEditor::Command1_Click() {
  std::string t = FromQt(Text1->text());
  std::size_t p = LastFolderPos(t);
  CMDialog1.fileName = t;
  CMDialog1.initDir = t.substr(0, std::min(p, t.size()));
  CMDialog1.dialogTitle = "Search for Editor";
  CMDialog1.filter = "exe files(*.exe)|*.exe|All Files (*.*)|*.*|";
  CMDialog1.filterIndex = 1;
  CMDialog1.flags = FileDialog::kFileMustExist | FileDialog::kHideReadOnly;
  CMDialog1.cancelError = false;
  if (desktop_.ShowOpen(CMDialog1) == DialogOutcome::Chosen && !CMDialog1.fileName.empty()) {
    Text1->setText(ToQt(CMDialog1.fileName));
  }
}

void wEditor::Command3_Click() {
  std::string command = FromQt(Text1->text());
  EditorCommands[0] = command;
  EditorCommands[1] = command;
  accept();
}

void wEditor::Command2_Click() {
  reject();
}

}  // namespace wt
