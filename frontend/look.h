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

// A one-line text box without a length limit.
QLineEdit* MakeTextBox(QWidget* parent, const char* name, int left, int top, int width, int height);

// A push button that Enter in another control does not press. Its access key
// moves the focus to it first, as a click does.
QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption, int left,
                        int top, int width, int height);

// An option button; its access key moves the focus to it, as a click does.
QRadioButton* MakeOption(QWidget* parent, const char* name, const QString& caption, int left,
                         int top, int width, int height);

QGroupBox* MakeFrame(QWidget* parent, const char* name, const QString& caption, int left, int top,
                     int width, int height);

}  // namespace wt
