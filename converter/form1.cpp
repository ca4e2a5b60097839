#include "converter/form1.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressDialog>
#include <QPushButton>
#include <algorithm>

#include "converter/progressthrottle.h"
#include "platform/qttext.h"
#include "platform/windowlook.h"

namespace wt {
namespace {

// The progress of "All Steps". It has no cancel button, and neither Escape
// nor a close request takes it away: hiding it would lift its modality and
// let the windows take input in the middle of the run.
class RunProgress : public QProgressDialog {
 public:
  RunProgress(int total, QWidget* parent)
      : QProgressDialog(QStringLiteral("All Steps"), QString(), 0, total, parent) {
    setWindowTitle(QStringLiteral("WTarvo"));
    setWindowModality(Qt::ApplicationModal);
    setWindowFlag(Qt::WindowCloseButtonHint, false);
  }
  void reject() override {}  // Escape

 protected:
  void closeEvent(QCloseEvent* event) override { event->ignore(); }
};

}  // namespace

Form1::Form1(Converter& converter, std::function<void(int)> endProgram, QWidget* parent)
    : QMainWindow(parent), converter_(converter), endProgram_(std::move(endProgram)) {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(QStringLiteral("WTarvo"));
  auto* client = new QWidget(this);
  client->setObjectName(QStringLiteral("client"));
  client->setFont(DialogFont());
  setCentralWidget(client);

  Label1 = Named(new QLabel(QStringLiteral("Step Number :"), client), "Label1");
  PlaceTwips(Label1, 480, 360, 1230, 195);
  Text1 = Named(new QLineEdit(QStringLiteral("1"), client), "Text1");
  PlaceTwips(Text1, 2160, 360, 495, 285);
  Label2 = Named(new QLabel(QStringLiteral("(max = 1)"), client), "Label2");
  PlaceTwips(Label2, 480, 600, 795, 195);
  Command2 = Named(new QPushButton(QStringLiteral("Ok"), client), "Command2");
  PlaceTwips(Command2, 480, 1080, 975, 495);
  Command3 = Named(new QPushButton(QStringLiteral("Cancel"), client), "Command3");
  PlaceTwips(Command3, 1680, 1080, 975, 495);
  // Enter presses the button that has the focus; "Ok" has it first.
  for (QPushButton* button : {Command2, Command3}) button->setAutoDefault(true);
  setTabOrder(Command2, Command3);
  setTabOrder(Command3, Text1);
  Command2->setFocus();

  opzioni = Named(menuBar()->addMenu(QStringLiteral("option")), "opzioni");
  Input_Line = Named(opzioni->addAction(QStringLiteral("Input Line")), "Input_Line");
  tuttiglistep = Named(opzioni->addAction(QStringLiteral("All Steps")), "tuttiglistep");
  Tipo_di_file = Named(menuBar()->addMenu(QStringLiteral("Type")), "Tipo_di_file");
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

void Form1::SetProgressTiming(std::chrono::milliseconds showAfter,
                              std::chrono::milliseconds interval) {
  progressShowAfter_ = showAfter;
  progressInterval_ = interval;
}

void Form1::Command2_Click() {
  if (running_) return;
  if (std::optional<int> status = converter_.ConvertStep(FromQt(Text1->text()))) End(*status);
}

void Form1::Command3_Click() {
  if (running_) return;
  End(0);
}

void Form1::Input_Line_Click() {
  if (running_) return;
  if (!form2_) form2_ = new Form2(converter_.routeLine(), this);
  form2_->show();
  form2_->raise();
  form2_->activateWindow();
}

void Form1::tuttiglistep_Click() {
  if (running_) return;
  running_ = true;
  // The progress dialog is modal only while it shows; the windows stay
  // closed to input for the whole run, which always ends the program.
  centralWidget()->setEnabled(false);
  menuBar()->setEnabled(false);
  if (form2_) form2_->setEnabled(false);

  using Clock = ProgressThrottle::Clock;
  RunProgress progress(converter_.stepCount(), this);
  progress.setMinimumDuration(static_cast<int>(progressShowAfter_.count()));
  progress.setValue(0);
  ProgressThrottle throttle(converter_.stepCount(), progressInterval_, Clock::now());
  const int status = converter_.AllSteps([&](int done, int total) {
    if (!throttle.Due(done, Clock::now())) return;
    progress.setLabelText(QStringLiteral("Step %1 of %2").arg(done).arg(total));
    progress.setValue(done);
  });
  progress.reset();
  End(status);
}

void Form1::closeEvent(QCloseEvent* event) {
  if (running_) {
    event->ignore();
    return;
  }
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
