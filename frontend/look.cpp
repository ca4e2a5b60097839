#include "frontend/look.h"

#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <limits>

#include "platform/windowlook.h"

namespace wt {
namespace {

// A button whose access key moves the focus to it before it is pressed, as a
// click does, so that a text box is left (and its LostFocus runs) first. Qt
// presses the button without moving the focus.
template <typename Button>
class FocusOnAccessKey : public Button {
 public:
  using Button::Button;

 protected:
  bool event(QEvent* event) override {
    if (event->type() == QEvent::Shortcut && this->isEnabled() &&
        (this->focusPolicy() & Qt::TabFocus)) {
      this->setFocus(Qt::ShortcutFocusReason);
    }
    return Button::event(event);
  }
};

template <typename Control>
Control* Placed(Control* control, const char* name, int left, int top, int width, int height) {
  control->setObjectName(QString::fromLatin1(name));
  PlaceTwips(control, left, top, width, height);
  return control;
}

}  // namespace

void SetBackground(QWidget* widget, const QColor& colour) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Window, colour);
  widget->setPalette(palette);
  widget->setBackgroundRole(QPalette::Window);  // buttons fill with their face otherwise
  widget->setAutoFillBackground(true);
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& caption, int left, int top,
                  int width, int height) {
  auto* label = new QLabel(caption, parent);
  label->setTextFormat(Qt::PlainText);
  label->setWordWrap(true);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  return Placed(label, name, left, top, width, height);
}

QLineEdit* MakeTextBox(QWidget* parent, const char* name, int left, int top, int width,
                       int height) {
  auto* box = new QLineEdit(parent);
  // Qt's default limit (32767) would cut a long path short without a word.
  box->setMaxLength(std::numeric_limits<int>::max());
  return Placed(box, name, left, top, width, height);
}

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption, int left,
                        int top, int width, int height) {
  auto* button = new FocusOnAccessKey<QPushButton>(caption, parent);
  button->setAutoDefault(false);
  return Placed(button, name, left, top, width, height);
}

QRadioButton* MakeOption(QWidget* parent, const char* name, const QString& caption, int left,
                         int top, int width, int height) {
  return Placed(new FocusOnAccessKey<QRadioButton>(caption, parent), name, left, top, width,
                height);
}

QGroupBox* MakeFrame(QWidget* parent, const char* name, const QString& caption, int left, int top,
                     int width, int height) {
  return Placed(new QGroupBox(caption, parent), name, left, top, width, height);
}

}  // namespace wt
