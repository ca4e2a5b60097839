#include "converter/form2.h"

#include <QLineEdit>
#include <QPushButton>

#include "platform/qttext.h"
#include "platform/windowlook.h"

namespace wt {

Form2::Form2(RouteLine& routeLine, QWidget* parent)
    : QWidget(parent, Qt::Window), routeLine_(routeLine) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("Form2"));
  setFont(DialogFont());
  resize(Pixels(4680), Pixels(3195));

  Text1 = new QLineEdit(ToQt(routeLine_.GetRouteLine()), this);
  PlaceTwips(Text1, 360, 360, 3735, 2055);
  Command1 = new QPushButton(QStringLiteral("Ok"), this);
  PlaceTwips(Command1, 720, 2640, 1095, 375);
  Command2 = new QPushButton(QStringLiteral("Cancel"), this);
  PlaceTwips(Command2, 2520, 2640, 1335, 375);
  for (QPushButton* button : {Command1, Command2}) button->setAutoDefault(true);
  setTabOrder(Text1, Command1);
  setTabOrder(Command1, Command2);
  Text1->setFocus();

  connect(Command1, &QPushButton::clicked, this, &Form2::Command1_Click);
  connect(Command2, &QPushButton::clicked, this, &Form2::Command2_Click);
}

void Form2::Command1_Click() {
  routeLine_.SetRouteLine(FromQt(Text1->text()));
  hide();
}

void Form2::Command2_Click() {
  hide();
}

}  // namespace wt
