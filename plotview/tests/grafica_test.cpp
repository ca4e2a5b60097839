#include "plotview/grafica.h"

#include <gtest/gtest.h>

#include <random>

#include "plotview/gdi/gdiraster.h"

namespace wt::plot {
namespace {

constexpr std::uint32_t kWhite = 0xFFFFFFFFu;
constexpr std::uint32_t kBlack = 0xFF000000u;

class GraficaTest : public ::testing::Test {
 protected:
  void Begin() { grafica_.BeginPlot(556, dc_); }
  void End() { grafica_.EndPlot(); }

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

TEST_F(GraficaTest, TheFrameMapsOntoTheWidthAndSevenTenthsOfIt) {
  Begin();
  EXPECT_EQ(grafica_.DeviceX(0), 0);
  EXPECT_EQ(grafica_.DeviceY(0), 389);
  EXPECT_EQ(grafica_.DeviceX(10430), 556);
  EXPECT_EQ(grafica_.DeviceY(8000), 0);
  EXPECT_EQ(grafica_.DeviceX(5215), 278);
  EXPECT_EQ(grafica_.DeviceY(4000), 194);  // from 194.5
  // Fractions drop towards zero, below zero too.
  EXPECT_EQ(grafica_.DeviceX(-18), 0);   // -0.96
  EXPECT_EQ(grafica_.DeviceX(-19), -1);  // -1.01
  EXPECT_EQ(grafica_.DeviceY(8018), 0);  // -0.88
  grafica_.PenUpTo(0, 0);
  grafica_.PenDownTo(10430, 8000);
  End();
  // The diagonal from the bottom left to the top right, without its end.
  EXPECT_EQ(PaintedCount(), 556);
  EXPECT_EQ(image_.Pixel(0, 389), kBlack);
  EXPECT_EQ(image_.Pixel(278, 194), kBlack);
  EXPECT_EQ(image_.Pixel(555, 1), kBlack);
  EXPECT_EQ(image_.Pixel(555, 0), kWhite);

  grafica_.BeginPlot(5, dc_);  // Hh from 3.5: halves go to even
  EXPECT_EQ(grafica_.DeviceY(0), 4);
  grafica_.BeginPlot(15, dc_);  // from 10.5
  EXPECT_EQ(grafica_.DeviceY(0), 10);
  End();
}

TEST_F(GraficaTest, IPShiftsAndSCMapsOntoTheScalingPointsInForce) {
  Begin();
  grafica_.SetScalingPoints(100, 100, 900, 700);
  EXPECT_EQ(grafica_.PlotterX(0), 100);
  EXPECT_EQ(grafica_.PlotterY(50), 150);
  grafica_.SetScalingPoints(0, 0, 10430, 8000);
  grafica_.SetUserScale(0, 100, 0, 100);
  EXPECT_EQ(grafica_.PlotterX(100), 10430);
  EXPECT_EQ(grafica_.PlotterY(100), 8000);
  // A range of 0, or one beyond 16 bits, leaves the scale as it was.
  grafica_.SetUserScale(5, 5, 0, 10);
  grafica_.SetUserScale(0, 10, 7, 7);
  grafica_.SetUserScale(-20000, 20000, 0, 10);
  grafica_.SetUserScale(0, 10, 32767, -32768);
  EXPECT_EQ(grafica_.PlotterX(50), 5215);
  EXPECT_EQ(grafica_.PlotterY(50), 4000);
  // A later IP moves P1 but keeps the factors of the last SC.
  grafica_.SetScalingPoints(1000, 2000, 1, 1);
  EXPECT_EQ(grafica_.PlotterX(50), 6215);
  EXPECT_EQ(grafica_.PlotterY(50), 6000);
  grafica_.SetScalingPoints(0, 0, 10, 10);
  grafica_.SetUserScale(0, 3, 0, 3);
  EXPECT_EQ(grafica_.PlotterX(-1), -3);  // -3.33
  End();
}

TEST_F(GraficaTest, MappingsBeyond16BitsAreKeptAndClipped) {
  Begin();
  grafica_.SetScalingPoints(0, 0, 10430, 8000);
  grafica_.SetUserScale(0, 1, 0, 1);
  EXPECT_EQ(grafica_.PlotterX(4), 41720);
  EXPECT_EQ(grafica_.PlotterX(-32768), -341770240);
  grafica_.PenUpTo(0, 0);
  grafica_.PenDownTo(4, 0);  // to device x 2224, far right of the surface
  grafica_.PenUpTo(-32768, 1);
  grafica_.PenDownTo(32767, 1);  // along the top edge, millions of pixels wide
  End();
  for (int x = 0; x < 556; ++x) {
    EXPECT_EQ(image_.Pixel(x, 389), kBlack) << x;
    EXPECT_EQ(image_.Pixel(x, 0), kBlack) << x;
  }
  EXPECT_EQ(PaintedCount(), 2 * 556);
}

// Points are mapped once per user value and mapping; every change of the
// mapping must count, in any order.
TEST_F(GraficaTest, RememberedPointsFollowEveryChangeOfTheMapping) {
  std::mt19937 random(3);
  auto value = [&](int range) {
    return static_cast<std::int16_t>(static_cast<int>(random() % (2 * range + 1)) - range);
  };
  Begin();
  for (int i = 0; i < 20000; ++i) {
    const int what = static_cast<int>(random() % 100);
    if (what == 0) {
      grafica_.SetScalingPoints(value(2000), value(2000), value(12000), value(9000));
    } else if (what == 1) {
      grafica_.SetUserScale(value(300), value(3000), value(300), value(3000));
    } else if (what == 2) {
      grafica_.SetDeviceMapX(value(600), value(20), value(11000), value(100));
    } else if (what == 3) {
      grafica_.SetDeviceMapY(value(600), value(20), value(100), value(9000));
    } else {
      // A few values, so that most are met again; now and then any.
      const std::int16_t x = what % 7 == 0 ? value(32767) : value(40);
      const std::int16_t y = what % 11 == 0 ? value(32767) : value(40);
      if (what % 2 == 0) {
        grafica_.PenUpTo(x, y);
      } else {
        grafica_.PenDownTo(x, y);
      }
      const gdi::Point expected{grafica_.DeviceX(grafica_.PlotterX(x)),
                                grafica_.DeviceY(grafica_.PlotterY(y))};
      ASSERT_EQ(dc_.Position(), expected) << i << ": " << x << ", " << y;
    }
  }
  End();
}

TEST_F(GraficaTest, PensDrawInThePenPaletteAndPen20InBlackOfItsOwn) {
  const std::uint32_t pink = gdi::Argb(255, 150, 150), green = gdi::Argb(150, 255, 128),
                      blue = gdi::Argb(150, 150, 255), yellow = gdi::Argb(255, 255, 150),
                      cyan = gdi::Argb(150, 255, 255), magenta = gdi::Argb(255, 150, 255),
                      grey = gdi::Argb(192, 192, 192), red = gdi::Argb(255, 0, 0);
  const std::uint32_t colours[kPenCount] = {kBlack,  kBlack, pink,  green, blue,   yellow, cyan,
                                            magenta, grey,   red,   red,   red,    red,    red,
                                            red,     pink,   green, blue,  yellow, cyan,   kBlack};
  Begin();
  EXPECT_EQ(gdi::RealizePalette(dc_), 32u);
  for (std::int16_t pen = 0; pen < kPenCount; ++pen) {
    grafica_.SelectPlotPen(pen);
    grafica_.SelectPlotPen(21);  // beyond the table: ignored
    const std::int16_t y = static_cast<std::int16_t>(7900 - 350 * pen);
    grafica_.PenUpTo(0, y);
    grafica_.PenDownTo(1000, y);
    EXPECT_EQ(image_.Pixel(10, static_cast<int>(grafica_.DeviceY(y))), colours[pen]) << pen;
  }
  EXPECT_EQ(dc_.SelectedPen()->colour, gdi::ColorRef::Rgb(0, 0, 0));
  EXPECT_EQ(dc_.SelectedPen()->width, 1);
  End();
}

TEST_F(GraficaTest, EndPlotPutsBackThePenAndPaletteAndStopsDrawing) {
  const gdi::HPEN pen = dc_.SelectedPen();
  const gdi::HPALETTE palette = dc_.SelectedPalette();
  Begin();
  EXPECT_EQ(dc_.SelectedPen()->colour, gdi::ColorRef::PaletteIndex(0));  // pen 0
  End();
  EXPECT_EQ(dc_.SelectedPen(), pen);
  EXPECT_EQ(dc_.SelectedPalette(), palette);
  grafica_.PenDownTo(10430, 8000);
  EXPECT_EQ(PaintedCount(), 0);
  End();  // a second EndPlot does nothing
}

}  // namespace
}  // namespace wt::plot
