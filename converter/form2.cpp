#include "converter/form2.h"

#include <QLineEdit>
#include <QPushButton>
#include <QValidator>
#include <algorithm>

#include "platform/qttext.h"
#include "platform/windowlook.h"

namespace wt {
namespace {

bool IsLineBreak(QChar c) {
  return c == QLatin1Char('\r') || c == QLatin1Char('\n');
}

// The route line is one line of the Gauss 94 input, so its box is a
// single-line edit, which keeps only the first line of a text pasted or
// dropped into it. The box never holds a line break, so every break lies in
// the text just inserted, which ends at the cursor: what follows the first
// break up to the cursor goes.
class FirstLineOfInsertions : public QValidator {
 public:
  using QValidator::QValidator;

  State validate(QString& input, int& pos) const override {
    const auto first = std::find_if(input.cbegin(), input.cend(), IsLineBreak);
    if (first == input.cend()) return Acceptable;
    const qsizetype from = first - input.cbegin();
    const qsizetype last = std::find_if(input.crbegin(), input.crend(), IsLineBreak).base() -
                           input.cbegin();  // just after the last break
    input.remove(from, std::max<qsizetype>(pos, last) - from);
    pos = static_cast<int>(from);
    return Acceptable;
  }
};

}  // namespace

Form2::Form2(RouteLine& routeLine, QWidget* parent)
    : QWidget(parent, Qt::Window), routeLine_(routeLine) {
  setObjectName(QStringLiteral("Form2"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("Form2"));
  setFont(DialogFont());
  resize(Pixels(4680), Pixels(3195));

  Text1 = Named(new QLineEdit(this), "Text1");
  Text1->setValidator(new FirstLineOfInsertions(Text1));
  // The text sits at the top left of the tall box, as in a multi-line box.
  Text1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  Text1->setText(ToQt(routeLine_.GetRouteLine()));
  PlaceTwips(Text1, 360, 360, 3735, 2055);
  Command1 = Named(new QPushButton(QStringLiteral("Ok"), this), "Command1");
  PlaceTwips(Command1, 720, 2640, 1095, 375);
  Command2 = Named(new QPushButton(QStringLiteral("Cancel"), this), "Command2");
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
