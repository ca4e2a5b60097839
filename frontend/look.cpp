#include "frontend/look.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QValidator>
#include <algorithm>
#include <limits>

#include "platform/windowlook.h"

namespace wt {
namespace {

template <typename Control>
Control* Placed(Control* control, const char* name, int left, int top, int width, int height) {
  control->setObjectName(QString::fromLatin1(name));
  PlaceTwips(control, left, top, width, height);
  return control;
}

// QLineEdit keeps the line breaks of pasted text, and a break would split a
// line of the settings file. The box holds no break before an edit and the
// cursor ends up behind what the edit inserted, so from the first break up to
// the cursor is the inserted text's tail to drop. A break that setText left
// behind the cursor cuts the text there.
class SingleLine : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int& pos) const override {
    auto brk =
        std::find_if(input.begin(), input.end(), [](QChar c) { return c == u'\r' || c == u'\n'; });
    if (brk != input.end()) {
      int cut = static_cast<int>(brk - input.begin());
      input.remove(cut, pos > cut ? pos - cut : input.size() - cut);
      pos = std::min(pos, cut);
    }
    return Acceptable;
  }
};

// Qt sees Alt+F of "&File" and of "Output &File" as ambiguous: the first press
// only focuses the control, the next opens the menu. Taking such a key before
// Qt looks for shortcuts lets the control win at the first press.
class AccessKeys : public QObject {
 public:
  explicit AccessKeys(QWidget* window) : QObject(window), window_(window) {}

 protected:
  bool eventFilter(QObject* receiver, QEvent* event) override {
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress) {
      return false;
    }
    auto* widget = qobject_cast<QWidget*>(receiver);
    if (widget == nullptr || widget->window() != window_) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::AltModifier) return false;
    QAbstractButton* control = ControlFor(QKeySequence(Qt::AltModifier | Qt::Key(key->key())));
    if (control == nullptr) return false;
    if (event->type() == QEvent::KeyPress) {
      if (control->focusPolicy() & Qt::TabFocus) control->setFocus(Qt::ShortcutFocusReason);
      control->click();
    }
    event->accept();  // a ShortcutOverride accepted keeps the key from the shortcuts
    return true;
  }

 private:
  QAbstractButton* ControlFor(const QKeySequence& key) const {
    for (QAbstractButton* control : window_->findChildren<QAbstractButton*>()) {
      if (control->isVisible() && control->isEnabled() &&
          QKeySequence::mnemonic(control->text()) == key) {
        return control;
      }
    }
    return nullptr;
  }

  QWidget* window_;
};

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
  box->setValidator(new SingleLine(box));
  return Placed(box, name, left, top, width, height);
}

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption, int left,
                        int top, int width, int height) {
  auto* button = new QPushButton(caption, parent);
  button->setAutoDefault(false);
  return Placed(button, name, left, top, width, height);
}

QRadioButton* MakeOption(QWidget* parent, const char* name, const QString& caption, int left,
                         int top, int width, int height) {
  return Placed(new QRadioButton(caption, parent), name, left, top, width, height);
}

QGroupBox* MakeFrame(QWidget* parent, const char* name, const QString& caption, int left, int top,
                     int width, int height) {
  return Placed(new QGroupBox(caption, parent), name, left, top, width, height);
}

void HandleAccessKeysBeforeMenus(QWidget* window) {
  QApplication::instance()->installEventFilter(new AccessKeys(window));
}

}  // namespace wt
