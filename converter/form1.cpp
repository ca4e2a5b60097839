#include "converter/form1.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressDialog>
#include <QPushButton>
#include <algorithm>

#include "platform/qttext.h"
#include "platform/windowlook.h"

namespace wt {

Form1::Form1(Converter& converter, std::function<void(int)> endProgram, QWidget* parent)
    : QMainWindow(parent), converter_(converter), endProgram_(std::move(endProgram)) {
  setWindowTitle(QStringLiteral("WTarvo"));
  auto* client = new QWidget(this);
  client->setFont(DialogFont());
  setCentralWidget(client);

  Label1 = new QLabel(QStringLiteral("Step Number :"), client);
  PlaceTwips(Label1, 480, 360, 1230, 195);
  Text1 = new QLineEdit(QStringLiteral("1"), client);
  PlaceTwips(Text1, 2160, 360, 495, 285);
  Label2 = new QLabel(QStringLiteral("(max = 1)"), client);
  PlaceTwips(Label2, 480, 600, 795, 195);
  Command2 = new QPushButton(QStringLiteral("Ok"), client);
  PlaceTwips(Command2, 480, 1080, 975, 495);
  Command3 = new QPushButton(QStringLiteral("Cancel"), client);
  PlaceTwips(Command3, 1680, 1080, 975, 495);
  // Enter presses the button that has the focus; "Ok" has it first.
  for (QPushButton* button : {Command2, Command3}) button->setAutoDefault(true);
  setTabOrder(Command2, Command3);
  setTabOrder(Command3, Text1);
  Command2->setFocus();

  opzioni = menuBar()->addMenu(QStringLiteral("option"));
  Input_Line = opzioni->addAction(QStringLiteral("Input Line"));
  tuttiglistep = opzioni->addAction(QStringLiteral("All Steps"));
  Tipo_di_file = menuBar()->addMenu(QStringLiteral("Type"));
  // The kind comes from the command line alone: these items only show the kinds.
  for (const char* kind : {"Kryst", "Gauss 94", "XYZ"}) {
    Tipo_di_file->addAction(QString::fromLatin1(kind))->setEnabled(false);
  }

  resize(Pixels(3045), Pixels(1800) + menuBar()->sizeHint().height());

  connect(Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
  connect(Command3, &QPushButton::clicked, this, &Form1::Command3_Click);
  connect(Input_Line, &QAction::triggered, this, &Form1::Input_Line_Click);
  connect(tuttiglistep, &QAction::triggered, this, &Form1::tuttiglistep_Click);
}

void Form1::SetRangeLabel() {
  Label2->setText(ToQt(converter_.RangeLabel()));
  // A long count ("(max =  32767)") must not be clipped: the label grows to
  // the right when its text needs more than its designed width.
  const int room = Pixels(3045) - Label2->x();
  const int wanted = std::min(Label2->sizeHint().width(), room);
  if (wanted > Label2->width()) Label2->resize(wanted, Label2->height());
}

void Form1::Command2_Click() {
  if (std::optional<int> status = converter_.ConvertStep(FromQt(Text1->text()))) End(*status);
}

void Form1::Command3_Click() {
  End(0);
}

void Form1::Input_Line_Click() {
  if (!form2_) form2_ = new Form2(converter_.routeLine, this);
  form2_->show();
  form2_->raise();
  form2_->activateWindow();
}

void Form1::tuttiglistep_Click() {
  // Shown only when the conversion takes longer than half a second; while it
  // is up the other windows take no input.
  QProgressDialog progress(QStringLiteral("All Steps"), QString(), 0, converter_.stepCount, this);
  progress.setWindowTitle(QStringLiteral("WTarvo"));
  progress.setWindowModality(Qt::ApplicationModal);
  progress.setWindowFlag(Qt::WindowCloseButtonHint, false);
  progress.setMinimumDuration(500);
  progress.setValue(0);
  const int status = converter_.AllSteps([&progress](int done, int total) {
    progress.setLabelText(QStringLiteral("Step %1 of %2").arg(done).arg(total));
    progress.setValue(done);
  });
  progress.reset();
  End(status);
}

void Form1::closeEvent(QCloseEvent* event) {
  event->accept();
  End(0);
}

void Form1::End(int status) {
  if (ended_) return;
  ended_ = true;
  endProgram_(status);
  if (form2_) form2_->hide();
  hide();
}

}  // namespace wt
