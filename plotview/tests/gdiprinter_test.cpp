#include "plotview/gdiprinter.h"
#include "platform/testenv.h"

#include <gtest/gtest.h>

#include <QImage>
#include <cstdlib>

namespace wt::gdi {
namespace {

const QRgb kWhite = qRgb(255, 255, 255);

class PainterDCTest : public ::testing::Test {
 protected:
  PainterDCTest() : image_(40, 30, QImage::Format_RGB32) { image_.fill(kWhite); }

  // Draws through a PainterDC whose page is the whole image.
  template <typename Drawing>
  void DrawOnPage(Drawing drawing) {
    QPainter painter(&image_);
    PainterDC dc(painter, image_.rect());
    drawing(dc);
  }
  int PaintedCount() const {
    int count = 0;
    for (int y = 0; y < image_.height(); ++y) {
      for (int x = 0; x < image_.width(); ++x) count += image_.pixel(x, y) != kWhite;
    }
    return count;
  }
  QImage image_;
};

TEST_F(PainterDCTest, PensDrawInTheirPaletteColours) {
  DrawOnPage([](DeviceContext& dc) {
    HPALETTE palette = CreatePalette({kPaletteVersion, {{0, 0, 0, 0}, {255, 150, 150, 0}}});
    HPEN pen = CreatePen(PenStyle::Solid, 0, ColorRef::PaletteIndex(1));
    HPALETTE oldPalette = SelectPalette(dc, palette, false);
    HPEN oldPen = SelectObject(dc, pen);
    MoveToEx(dc, 5, 10, nullptr);
    LineTo(dc, 30, 10);
    SelectObject(dc, oldPen);
    SelectPalette(dc, oldPalette, false);
    DeleteObject(pen);
    DeleteObject(palette);
  });
  EXPECT_EQ(image_.pixel(5, 10), qRgb(255, 150, 150));
  EXPECT_EQ(image_.pixel(29, 10), qRgb(255, 150, 150));
  EXPECT_EQ(image_.pixel(5, 9), kWhite);
  EXPECT_EQ(image_.pixel(4, 10), kWhite);
  EXPECT_EQ(image_.pixel(30, 10), kWhite);  // flat ends leave the end pixel out
  EXPECT_EQ(PaintedCount(), 25);
}

TEST_F(PainterDCTest, LinesReachingFarOffThePageDrawTheirVisiblePart) {
  constexpr std::int64_t kFar = std::int64_t{1} << 44;
  DrawOnPage([](DeviceContext& dc) {
    MoveToEx(dc, -kFar, 7, nullptr);
    LineTo(dc, kFar, 7);
    MoveToEx(dc, 12, kFar, nullptr);
    LineTo(dc, 12, -kFar);
    MoveToEx(dc, -kFar, -kFar, nullptr);
    LineTo(dc, kFar, -kFar + 3);  // never on the page
  });
  for (int x = 0; x < 40; ++x) EXPECT_EQ(image_.pixel(x, 7), qRgb(0, 0, 0)) << x;
  for (int y = 0; y < 30; ++y) EXPECT_EQ(image_.pixel(12, y), qRgb(0, 0, 0)) << y;
  EXPECT_EQ(PaintedCount(), 40 + 30 - 1);
}

TEST(OpenDefaultPrintJob, SaysSoWhenNoPrinterIsInstalled) {
  // A print server that does not exist has no printers.
  const ScopedEnvironment server("CUPS_SERVER", "/nonexistent/wintarvo-cups.sock");
  std::string reason;
  EXPECT_EQ(OpenDefaultPrintJob("test", &reason), nullptr);
  EXPECT_EQ(reason, "No printer is installed");
}

}  // namespace
}  // namespace wt::gdi
