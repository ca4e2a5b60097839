// Building the controls of the front end's windows: positions and sizes in
// twips, captions exactly as given (an & marks the access key of a button).
#pragma once

#include <QColor>
#include <QString>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

namespace wt {

inline const QColor kRed(255, 0, 0);
inline const QColor kLightGrey(192, 192, 192);

// Fills `widget`'s background with `colour`.
void SetBackground(QWidget* widget, const QColor& colour);

// A plain-text label; it wraps its caption when the caption is wider than
// the label.
QLabel* MakeLabel(QWidget* parent, const char* name, const QString& caption, int left, int top,
                  int width, int height);

// A single-line text box without a length limit. Text typed, pasted, dropped
// or inserted into it is cut at its first CR or LF; setText is not cut.
QLineEdit* MakeTextBox(QWidget* parent, const char* name, int left, int top, int width, int height);

// A push button that Enter in another control does not press.
QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption, int left,
                        int top, int width, int height);

QRadioButton* MakeOption(QWidget* parent, const char* name, const QString& caption, int left,
                         int top, int width, int height);

QGroupBox* MakeFrame(QWidget* parent, const char* name, const QString& caption, int left, int top,
                     int width, int height);

// From now on Alt + the access key of an enabled, visible button or option
// button of `window` moves the focus to that control (so a text box is left,
// and its LostFocus runs, first) and clicks it, one press each time, even when
// a menu heading of the window has the same access key. A key that no such
// control has goes on to the menus; Alt alone and the mouse still open them.
void HandleAccessKeysBeforeMenus(QWidget* window);

}  // namespace wt
