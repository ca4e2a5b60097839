#include "plotview/gdiprinter.h"

#include <gtest/gtest.h>

#include <QImage>

namespace wt::gdi {
namespace {

const QRgb kWhite = qRgb(255, 255, 255);

// The printer page's lines, drawn on an image: in the pens' palette colours,
// with flat ends that leave the end pixel out, and clipped to the page where
// they reach far beyond it.
TEST(PainterDCTest, LinesDrawInThePaletteColoursWithFlatEndsAndClipped) {
  constexpr std::int64_t kFar = std::int64_t{1} << 44;
  QImage image(40, 30, QImage::Format_RGB32);
  image.fill(kWhite);
  {
    QPainter painter(&image);
    PainterDC dc(painter, image.rect());
    MoveToEx(dc, -kFar, 7, nullptr);
    LineTo(dc, kFar, 7);
    MoveToEx(dc, 12, kFar, nullptr);
    LineTo(dc, 12, -kFar);
    MoveToEx(dc, -kFar, -kFar, nullptr);
    LineTo(dc, kFar, -kFar + 3);  // never on the page

    HPALETTE palette = CreatePalette({kPaletteVersion, {{0, 0, 0, 0}, {255, 150, 150, 0}}});
    HPEN pen = CreatePen(PenStyle::Solid, 0, ColorRef::PaletteIndex(1));
    HPALETTE oldPalette = SelectPalette(dc, palette, false);
    HPEN oldPen = SelectObject(dc, pen);
    MoveToEx(dc, 5, 20, nullptr);
    LineTo(dc, 30, 20);
    SelectObject(dc, oldPen);
    SelectPalette(dc, oldPalette, false);
    DeleteObject(pen);
    DeleteObject(palette);
  }
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 40; ++x) {
      const QRgb expected = y == 20 && x >= 5 && x < 30 ? qRgb(255, 150, 150)
                            : y == 7 || x == 12         ? qRgb(0, 0, 0)
                                                        : kWhite;
      ASSERT_EQ(image.pixel(x, y), expected) << x << ", " << y;
    }
  }
}

}  // namespace
}  // namespace wt::gdi
