#include "platform/windowlook.h"

#include <QTimer>
#include <QWidget>

namespace wt {

void PlaceTwips(QWidget* widget, int left, int top, int width, int height) {
  widget->setGeometry(TwipsRect(left, top, width, height));
}

QFont DialogFont() {
  QFont font;
  // Metric-compatible stand-ins first, so captions sized for the original
  // font still fit their controls.
  font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                    QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                    QStringLiteral("Nimbus Sans"), QStringLiteral("Helvetica"),
                    QStringLiteral("Arial"), QStringLiteral("DejaVu Sans")});
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(8.25);
  font.setBold(true);
  return font;
}

QTimer* MakeOneShotTimer(int milliseconds, QObject* parent) {
  auto* timer = new QTimer(parent);
  timer->setSingleShot(true);
  timer->setInterval(milliseconds);
  return timer;
}

}  // namespace wt
