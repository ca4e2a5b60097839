#include "plotview/gdiprinter.h"

#include <gtest/gtest.h>

#include <QImage>

namespace wt::gdi {
namespace {

const QRgb kWhite = qRgb(255, 255, 255);

// The printer page's lines, drawn on an image: with flat ends that leave the
// end pixel out, and clipped to the page where they reach far beyond it.
TEST(PainterDCTest, LinesHaveFlatEndsAndAreClippedToThePage) {
  constexpr std::int64_t kFar = std::int64_t{1} << 44;
  QImage image(40, 30, QImage::Format_RGB32);
  image.fill(kWhite);
  {
    QPainter painter(&image);
    PainterDC dc(painter, image.rect());
    const auto line = [&](std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2) {
      MoveToEx(dc, x1, y1, nullptr);
      LineTo(dc, x2, y2);
    };
    line(-kFar, 7, kFar, 7);
    line(12, kFar, 12, -kFar);
    line(-kFar, -kFar, kFar, -kFar + 3);  // never on the page
    line(5, 20, 30, 20);
  }
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 40; ++x) {
      const bool black = y == 7 || x == 12 || (y == 20 && x >= 5 && x < 30);
      ASSERT_EQ(image.pixel(x, y), black ? qRgb(0, 0, 0) : kWhite) << x << ", " << y;
    }
  }
}

}  // namespace
}  // namespace wt::gdi
