#include "plotview/grafica.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "plotview/gdi/gdiraster.h"

namespace wt::plot {
namespace {

constexpr std::uint32_t kWhite = 0xFFFFFFFFu;
constexpr std::uint32_t kBlack = 0xFF000000u;

using Values = std::vector<std::int64_t>;

class GraficaTest : public ::testing::Test {
 protected:
  void SetUp() override { grafica_.BeginPlot(556, dc_); }

  int PaintedCount() const {
    int count = 0;
    for (int y = 0; y < image_.Height(); ++y) {
      for (int x = 0; x < image_.Width(); ++x) count += image_.Pixel(x, y) != kWhite;
    }
    return count;
  }

  gdi::RasterImage image_{556, 476, kWhite};
  gdi::RasterImageDC dc_{image_};
  Grafica grafica_;
};

// Fractions drop towards zero, below zero too: -18 is -0.96 pixels, -19 is
// -1.01, and 8018 is -0.88; 4000 is 194.5.
TEST_F(GraficaTest, TheFrameMapsOntoTheWidthAndSevenTenthsOfIt) {
  const Grafica& g = grafica_;
  EXPECT_EQ(
      (Values{g.DeviceX(0), g.DeviceX(10430), g.DeviceX(5215), g.DeviceX(-18), g.DeviceX(-19)}),
      (Values{0, 556, 278, 0, -1}));
  EXPECT_EQ((Values{g.DeviceY(0), g.DeviceY(8000), g.DeviceY(4000), g.DeviceY(8018)}),
            (Values{389, 0, 194, 0}));
  grafica_.PenUpTo(0, 0);
  grafica_.PenDownTo(10430, 8000);
  // The diagonal from the bottom left to the top right, without its end.
  EXPECT_EQ(PaintedCount(), 556);
  EXPECT_EQ(image_.Pixel(0, 389), kBlack);
  EXPECT_EQ(image_.Pixel(555, 1), kBlack);
}

TEST_F(GraficaTest, IPShiftsAndSCMapsOntoTheScalingPointsInForce) {
  grafica_.SetScalingPoints(100, 100, 900, 700);
  EXPECT_EQ((Values{grafica_.PlotterX(0), grafica_.PlotterY(50)}), (Values{100, 150}));
  grafica_.SetScalingPoints(0, 0, 10430, 8000);
  grafica_.SetUserScale(0, 100, 0, 100);
  EXPECT_EQ((Values{grafica_.PlotterX(100), grafica_.PlotterY(100)}), (Values{10430, 8000}));
  // A range of 0, or one beyond 16 bits, leaves the scale as it was.
  grafica_.SetUserScale(5, 5, 0, 10);
  grafica_.SetUserScale(0, 10, 7, 7);
  grafica_.SetUserScale(-20000, 20000, 0, 10);
  grafica_.SetUserScale(0, 10, 32767, -32768);
  EXPECT_EQ((Values{grafica_.PlotterX(50), grafica_.PlotterY(50)}), (Values{5215, 4000}));
  // A later IP moves P1 but keeps the factors of the last SC.
  grafica_.SetScalingPoints(1000, 2000, 1, 1);
  EXPECT_EQ((Values{grafica_.PlotterX(50), grafica_.PlotterY(50)}), (Values{6215, 6000}));
  grafica_.SetScalingPoints(0, 0, 10, 10);
  grafica_.SetUserScale(0, 3, 0, 3);
  EXPECT_EQ(grafica_.PlotterX(-1), -3);  // -3.33
}

TEST_F(GraficaTest, MappingsBeyond16BitsAreKeptAndClipped) {
  grafica_.SetScalingPoints(0, 0, 10430, 8000);
  grafica_.SetUserScale(0, 1, 0, 1);
  EXPECT_EQ((Values{grafica_.PlotterX(4), grafica_.PlotterX(-32768)}), (Values{41720, -341770240}));
  grafica_.PenUpTo(0, 0);
  grafica_.PenDownTo(4, 0);  // to device x 2224, far right of the surface
  grafica_.PenUpTo(-32768, 1);
  grafica_.PenDownTo(32767, 1);  // along the top edge, millions of pixels wide
  for (int x = 0; x < 556; ++x) {
    ASSERT_EQ(image_.Pixel(x, 389), kBlack) << x;
    ASSERT_EQ(image_.Pixel(x, 0), kBlack) << x;
  }
  EXPECT_EQ(PaintedCount(), 2 * 556);
}

// Points are mapped once per user value and mapping; every IP and SC must
// count, in any order.
TEST_F(GraficaTest, RememberedPointsFollowEveryChangeOfTheMapping) {
  std::mt19937 random(3);
  const auto value = [&](int range) {
    return static_cast<std::int16_t>(static_cast<int>(random() % (2 * range + 1)) - range);
  };
  for (int i = 0; i < 20000; ++i) {
    const int what = static_cast<int>(random() % 100);
    if (what == 0) {
      grafica_.SetScalingPoints(value(2000), value(2000), value(12000), value(9000));
    } else if (what == 1) {
      grafica_.SetUserScale(value(300), value(3000), value(300), value(3000));
    } else {
      // A few values, so that most are met again; now and then any.
      const std::int16_t x = value(what % 7 ? 40 : 32767), y = value(what % 11 ? 40 : 32767);
      what % 2 ? grafica_.PenDownTo(x, y) : grafica_.PenUpTo(x, y);
      const gdi::Point expected{grafica_.DeviceX(grafica_.PlotterX(x)),
                                grafica_.DeviceY(grafica_.PlotterY(y))};
      ASSERT_EQ(dc_.Position(), expected) << i << ": " << x << ", " << y;
    }
  }
}

// Pen 20 is black of its own, one pixel wide. EndPlot puts back the device
// context's pen and palette, and the drawing draws no more.
TEST_F(GraficaTest, PensDrawInThePenPaletteUntilEndPlot) {
  const std::uint32_t pink = gdi::Argb(255, 150, 150), green = gdi::Argb(150, 255, 128),
                      blue = gdi::Argb(150, 150, 255), yellow = gdi::Argb(255, 255, 150),
                      cyan = gdi::Argb(150, 255, 255), magenta = gdi::Argb(255, 150, 255),
                      grey = gdi::Argb(192, 192, 192), red = gdi::Argb(255, 0, 0);
  const std::uint32_t colours[kPenCount] = {kBlack,  kBlack, pink,  green, blue,   yellow, cyan,
                                            magenta, grey,   red,   red,   red,    red,    red,
                                            red,     pink,   green, blue,  yellow, cyan,   kBlack};
  grafica_.EndPlot();
  const gdi::HPEN pen = dc_.SelectedPen();
  const gdi::HPALETTE palette = dc_.SelectedPalette();
  grafica_.BeginPlot(556, dc_);
  EXPECT_EQ(gdi::RealizePalette(dc_), 32u);
  for (std::int16_t n = 0; n < kPenCount; ++n) {
    grafica_.SelectPlotPen(n);
    grafica_.SelectPlotPen(21);  // beyond the table: ignored
    const std::int16_t y = static_cast<std::int16_t>(7900 - 350 * n);
    grafica_.PenUpTo(0, y);
    grafica_.PenDownTo(1000, y);
    EXPECT_EQ(image_.Pixel(10, static_cast<int>(grafica_.DeviceY(y))), colours[n]) << n;
  }
  EXPECT_EQ(dc_.SelectedPen()->width, 1);
  grafica_.EndPlot();
  grafica_.EndPlot();  // a second EndPlot does nothing
  const gdi::Point end = dc_.Position();
  grafica_.PenDownTo(0, 0);
  EXPECT_EQ(dc_.Position(), end);
  EXPECT_EQ(dc_.SelectedPen(), pen);
  EXPECT_EQ(dc_.SelectedPalette(), palette);
}

}  // namespace
}  // namespace wt::plot
