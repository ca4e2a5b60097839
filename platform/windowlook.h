// The look of the front end's and the converter's windows: layouts given in
// twips (15 to a pixel) and the dialog font; and the names of their controls.
#pragma once

#include <QFont>
#include <QRect>
#include <QString>

class QTimer;
class QObject;
class QWidget;

namespace wt {

constexpr int kTwipsPerPixel = 15;

constexpr int Pixels(int twips) { return twips / kTwipsPerPixel; }

inline QRect TwipsRect(int left, int top, int width, int height) {
  return QRect(Pixels(left), Pixels(top), Pixels(width), Pixels(height));
}

// Places `widget` at a position and size given in twips.
void PlaceTwips(QWidget* widget, int left, int top, int width, int height);

// MS Sans Serif, 8.25 point, bold; the nearest sans-serif bold where that
// font is missing.
QFont DialogFont();

// A one-shot timer of `milliseconds`, stopped.
QTimer* MakeOneShotTimer(int milliseconds, QObject* parent);

// Gives a control, menu or action its object name, the system's name for it
// by which tests find it, and returns it. Users never see the name.
template <typename Object>
Object* Named(Object* object, const char* name) {
  object->setObjectName(QString::fromLatin1(name));
  return object;
}

}  // namespace wt
