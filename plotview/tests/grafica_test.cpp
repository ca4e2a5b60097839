#include "plotview/grafica.h"

#include <gtest/gtest.h>

#include <random>

#include "plotview/gdi/gdiraster.h"

namespace wt::plot {
namespace {

constexpr std::uint32_t kWhite = 0xFFFFFFFFu;
constexpr std::uint32_t kBlack = 0xFF000000u;
const std::uint32_t kRed = gdi::Argb(255, 0, 0);
const std::uint32_t kPink = gdi::Argb(255, 150, 150);

class GraficaTest : public ::testing::Test {
 protected:
  explicit GraficaTest(int height = 476) : image_(556, height, kWhite), dc_(image_) {}

  void Begin() { grafica_.BeginPlot(556, dc_); }
  void End() { grafica_.EndPlot(); }

  int PaintedCount() const {
    int count = 0;
    for (int y = 0; y < image_.Height(); ++y) {
      for (int x = 0; x < image_.Width(); ++x) count += image_.Pixel(x, y) != kWhite;
    }
    return count;
  }

  gdi::RasterImage image_;
  gdi::RasterImageDC dc_;
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
  EXPECT_EQ(grafica_.DeviceX(-10), 0);     // from -0.53
  End();
  grafica_.BeginPlot(5, dc_);  // Hh from 3.5
  EXPECT_EQ(grafica_.DeviceY(0), 4);
  grafica_.BeginPlot(15, dc_);  // Hh from 10.5
  EXPECT_EQ(grafica_.DeviceY(0), 10);
  End();
}

TEST_F(GraficaTest, NegativeFractionsTruncateTowardsZero) {
  Begin();
  EXPECT_EQ(grafica_.DeviceX(-18), 0);   // -0.96
  EXPECT_EQ(grafica_.DeviceX(-19), -1);  // -1.01
  EXPECT_EQ(grafica_.DeviceY(8018), 0);  // -0.88
  grafica_.SetScalingPoints(0, 0, 10, 10);
  grafica_.SetUserScale(0, 3, 0, 3);
  EXPECT_EQ(grafica_.PlotterX(-1), -3);  // -3.33
  End();
}

TEST_F(GraficaTest, PensTakeThePaletteColoursAndPen0IsSelectedFirst) {
  Begin();
  const struct {
    std::int16_t pen;
    std::uint32_t colour;
  } cases[] = {{0, kBlack},
               {9, kRed},
               {2, kPink},
               {3, gdi::Argb(150, 255, 128)},
               {8, gdi::Argb(192, 192, 192)},
               {14, kRed},
               {15, kPink},
               {19, gdi::Argb(150, 255, 255)},
               {20, kBlack},
               {1, kBlack}};
  std::int16_t y = 7900;
  for (const auto& c : cases) {
    if (c.pen != 0) grafica_.SelectPlotPen(c.pen);  // no SP: pen 0
    grafica_.SelectPlotPen(21);                     // beyond the table: ignored
    grafica_.PenUpTo(0, y);
    grafica_.PenDownTo(1000, y);
    const int row = static_cast<int>(grafica_.DeviceY(y));
    EXPECT_EQ(image_.Pixel(10, row), c.colour) << "pen " << c.pen;
    y = static_cast<std::int16_t>(y - 400);
  }
  End();
}

TEST_F(GraficaTest, TheFramesDiagonalRunsFromBottomLeftToTopRight) {
  Begin();
  grafica_.PenUpTo(0, 0);
  grafica_.PenDownTo(10430, 8000);
  End();
  EXPECT_EQ(PaintedCount(), 556);
  EXPECT_EQ(image_.Pixel(0, 389), kBlack);
  EXPECT_EQ(image_.Pixel(278, 194), kBlack);
  EXPECT_EQ(image_.Pixel(555, 1), kBlack);
  EXPECT_EQ(image_.Pixel(555, 0), kWhite);
  for (int x = 0; x < 556; ++x) {
    int inColumn = 0;
    for (int y = 0; y < 476; ++y) inColumn += image_.Pixel(x, y) != kWhite;
    EXPECT_EQ(inColumn, 1) << "column " << x;
  }
}

TEST_F(GraficaTest, IPAloneShiftsAndSCMapsOntoTheScalingPointsInForce) {
  Begin();
  grafica_.SetScalingPoints(100, 100, 900, 700);
  EXPECT_EQ(grafica_.PlotterX(0), 100);
  EXPECT_EQ(grafica_.PlotterY(50), 150);
  grafica_.SetScalingPoints(0, 0, 10430, 8000);
  grafica_.SetUserScale(0, 100, 0, 100);
  EXPECT_EQ(grafica_.PlotterX(50), 5215);
  EXPECT_EQ(grafica_.PlotterY(50), 4000);
  EXPECT_EQ(grafica_.PlotterX(100), 10430);
  EXPECT_EQ(grafica_.PlotterY(100), 8000);
  // A later IP moves P1 but keeps the factors of the last SC.
  grafica_.SetScalingPoints(1000, 2000, 1, 1);
  EXPECT_EQ(grafica_.PlotterX(50), 6215);
  EXPECT_EQ(grafica_.PlotterY(50), 6000);
  End();
}

TEST_F(GraficaTest, AUserScaleOfZeroOrOver16BitsWidthIsIgnored) {
  Begin();
  grafica_.SetScalingPoints(0, 0, 10430, 8000);
  grafica_.SetUserScale(0, 100, 0, 100);
  grafica_.SetUserScale(5, 5, 0, 10);
  grafica_.SetUserScale(0, 10, 7, 7);
  grafica_.SetUserScale(-20000, 20000, 0, 10);
  grafica_.SetUserScale(0, 10, 32767, -32768);
  EXPECT_EQ(grafica_.PlotterX(50), 5215);
  EXPECT_EQ(grafica_.PlotterY(50), 4000);
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

TEST_F(GraficaTest, EndPlotPutsBackThePenAndPaletteAndStopsDrawing) {
  gdi::HPEN pen = dc_.SelectedPen();
  gdi::HPALETTE palette = dc_.SelectedPalette();
  Begin();
  EXPECT_NE(dc_.SelectedPen(), pen);
  EXPECT_EQ(gdi::RealizePalette(dc_), 32u);
  End();
  EXPECT_EQ(dc_.SelectedPen(), pen);
  EXPECT_EQ(dc_.SelectedPalette(), palette);
  grafica_.PenDownTo(10430, 8000);
  EXPECT_EQ(PaintedCount(), 0);
  End();  // a second EndPlot does nothing
}

// The pen colours, entry by entry, written out independently of the code.
constexpr std::array<std::array<int, 3>, kPaletteSize> kExpectedPalette = {{
    {0, 0, 0},       {0, 0, 0},       {255, 150, 150}, {150, 255, 128},  // 0-3
    {150, 150, 255}, {255, 255, 150}, {150, 255, 255}, {255, 150, 255},  // 4-7
    {192, 192, 192}, {255, 0, 0},     {255, 0, 0},     {255, 0, 0},      // 8-11
    {255, 0, 0},     {255, 0, 0},     {255, 0, 0},     {255, 150, 150},  // 12-15
    {150, 255, 128}, {150, 150, 255}, {255, 255, 150}, {150, 255, 255},  // 16-19
    {255, 150, 255}, {192, 192, 192}, {0, 0, 0},       {0, 0, 0},        // 20-23
    {0, 0, 0},       {0, 0, 0},       {0, 0, 0},       {0, 0, 0},        // 24-27
    {0, 0, 0},       {0, 0, 0},       {0, 0, 0},       {0, 0, 0},        // 28-31
}};

void ExpectPenPalette(gdi::HPALETTE palette) {
  ASSERT_NE(palette, nullptr);
  ASSERT_EQ(palette->entries.size(), 32u);
  for (int i = 0; i < kPaletteSize; ++i) {
    const gdi::PaletteEntry& e = palette->entries[i];
    EXPECT_EQ((std::array<int, 3>{e.red, e.green, e.blue}), kExpectedPalette[i]) << "entry " << i;
    EXPECT_EQ(e.flags, 0) << "entry " << i;
  }
}

TEST_F(GraficaTest, TheDrawingSelectsPenPaletteAndTheTwentyOnePens) {
  Begin();
  ExpectPenPalette(dc_.SelectedPalette());
  for (std::int16_t i = 0; i < kPenCount; ++i) {
    grafica_.SelectPlotPen(i);
    const gdi::HPEN pen = dc_.SelectedPen();
    ASSERT_NE(pen, nullptr) << "pen " << i;
    EXPECT_EQ(pen->style, gdi::PenStyle::Solid) << "pen " << i;
    if (i < 20) {
      EXPECT_EQ(pen->width, 0) << "pen " << i;
      EXPECT_EQ(pen->colour, gdi::ColorRef::PaletteIndex(static_cast<std::uint16_t>(i)))
          << "pen " << i;
    } else {
      EXPECT_EQ(pen->width, 1);
      EXPECT_EQ(pen->colour, gdi::ColorRef::Rgb(0, 0, 0));
    }
  }
  End();
}

class LowSurfaceTest : public GraficaTest {
 protected:
  LowSurfaceTest() : GraficaTest(200) {}
};

TEST_F(LowSurfaceTest, TheBottomOfThePlotIsCutOff) {
  gdi::RasterImage tall(556, 476, kWhite);
  gdi::RasterImageDC tallDC(tall);
  for (gdi::DeviceContext* dc :
       {static_cast<gdi::DeviceContext*>(&dc_), static_cast<gdi::DeviceContext*>(&tallDC)}) {
    grafica_.BeginPlot(556, *dc);
    grafica_.PenUpTo(0, 0);
    grafica_.PenDownTo(10430, 8000);
    grafica_.EndPlot();
  }
  int painted = 0;
  for (int y = 0; y < 200; ++y) {
    for (int x = 0; x < 556; ++x) {
      ASSERT_EQ(image_.Pixel(x, y), tall.Pixel(x, y)) << x << ", " << y;
      painted += image_.Pixel(x, y) != kWhite;
    }
  }
  EXPECT_GT(painted, 250);
  EXPECT_LT(painted, 556);
}

}  // namespace
}  // namespace wt::plot
