// Form2, the input-line window: the route line of the Gauss 94 input. "Ok"
// and "Cancel" hide it and keep it, with whatever its box holds, for the next
// showing; its close box destroys it.
#pragma once

#include <QWidget>

#include "converter/kryst.h"

class QLineEdit;
class QPushButton;

namespace wt {

class Form2 : public QWidget {
 public:
  // Fills the box with routeLine.GetRouteLine(). The box holds one line: a
  // text pasted or dropped into it keeps only its first line, as does a text
  // given to it whole.
  Form2(RouteLine& routeLine, QWidget* parent = nullptr);

 private:
  void Command1_Click();  // "Ok": the box's whole text becomes the route line
  void Command2_Click();  // "Cancel"

  RouteLine& routeLine_;

  QLineEdit* Text1;
  QPushButton* Command1;
  QPushButton* Command2;
};

}  // namespace wt
