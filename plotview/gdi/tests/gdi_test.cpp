#include "plotview/gdi/gdi.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <utility>

#include "plotview/gdi/gdiraster.h"

namespace wt::gdi {
namespace {

constexpr std::uint32_t kWhite = 0xFFFFFFFFu;
constexpr std::uint32_t kBlack = 0xFF000000u;

using Pixels = std::set<std::pair<std::int64_t, std::int64_t>>;

Pixels PaintedPixels(const RasterImage& image) {
  Pixels painted;
  for (int y = 0; y < image.Height(); ++y) {
    for (int x = 0; x < image.Width(); ++x) {
      if (image.Pixel(x, y) != kWhite) painted.insert({x, y});
    }
  }
  return painted;
}

// The pixels of a line by its defining rule, one step at a time, kept where
// they fall on a width × height surface.
Pixels ReferenceLine(Point from, Point to, int width, int height) {
  Pixels pixels;
  const std::int64_t dx = to.x - from.x, dy = to.y - from.y;
  const std::int64_t adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
  const std::int64_t n = std::max(adx, ady), a = std::min(adx, ady);
  for (std::int64_t k = 0; k < n; ++k) {
    const std::int64_t m = (2 * k * a + n) / (2 * n);
    std::int64_t x, y;
    if (adx >= ady) {
      x = from.x + (dx < 0 ? -k : k);
      y = from.y + (dy < 0 ? -m : m);
    } else {
      y = from.y + (dy < 0 ? -k : k);
      x = from.x + (dx < 0 ? -m : m);
    }
    if (x >= 0 && x < width && y >= 0 && y < height) pixels.insert({x, y});
  }
  return pixels;
}

class GdiObjectsTest : public ::testing::Test {
 protected:
  RasterImage image_{4, 4, kWhite};
  RasterImageDC dc_{image_};
};

TEST_F(GdiObjectsTest, SelectingReturnsWhatWasSelectedBeforeAndDeletingWhatIsFree) {
  HPEN red = CreatePen(PenStyle::Solid, 0, ColorRef::Rgb(255, 0, 0));
  HPEN green = CreatePen(PenStyle::Solid, 0, ColorRef::Rgb(0, 255, 0));
  HPEN stock = SelectObject(dc_, red);
  ASSERT_NE(stock, nullptr);
  EXPECT_EQ(SelectObject(dc_, green), red);
  EXPECT_EQ(SelectObject(dc_, nullptr), nullptr);
  EXPECT_EQ(dc_.SelectedPen(), green);
  EXPECT_EQ(SelectObject(dc_, stock), green);

  HPALETTE palette = CreatePalette({kPaletteVersion, {{1, 2, 3, 0}}});
  HPALETTE defaultPalette = SelectPalette(dc_, palette, false);
  ASSERT_NE(defaultPalette, nullptr);
  EXPECT_EQ(RealizePalette(dc_), 1u);
  EXPECT_EQ(SelectPalette(dc_, defaultPalette, false), palette);
  EXPECT_EQ(RealizePalette(dc_), 0u);

  EXPECT_EQ(CreatePalette({0x200, {{1, 2, 3, 0}}}), nullptr);

  // Only what is no longer selected anywhere is deleted.
  EXPECT_FALSE(DeleteObject(stock));
  EXPECT_FALSE(DeleteObject(nullptr));
  {
    RasterImage other(1, 1, kWhite);
    RasterImageDC second(other);
    SelectObject(second, red);
    EXPECT_FALSE(DeleteObject(red));
  }
  EXPECT_TRUE(DeleteObject(red));
  EXPECT_TRUE(DeleteObject(green));
  EXPECT_TRUE(DeleteObject(palette));
}

TEST_F(GdiObjectsTest, PaletteIndexColoursComeFromTheSelectedPalette) {
  HPALETTE palette = CreatePalette({kPaletteVersion, {{0, 0, 0, 0}, {255, 150, 150, 0}}});
  HPEN index1 = CreatePen(PenStyle::Solid, 0, ColorRef::PaletteIndex(1));
  HPEN index7 = CreatePen(PenStyle::Solid, 0, ColorRef::PaletteIndex(7));
  EXPECT_EQ(dc_.ColourOf(*index1), kBlack);  // the default palette is empty
  HPALETTE before = SelectPalette(dc_, palette, false);
  EXPECT_EQ(dc_.ColourOf(*index1), Argb(255, 150, 150));
  EXPECT_EQ(dc_.ColourOf(*index7), kBlack);  // no such entry

  HPEN stock = SelectObject(dc_, index1);
  MoveToEx(dc_, 0, 3, nullptr);
  LineTo(dc_, 2, 3);
  EXPECT_EQ(image_.Pixel(0, 3), Argb(255, 150, 150));
  EXPECT_EQ(image_.Pixel(1, 3), Argb(255, 150, 150));
  // A pen draws in the palette selected when the line is drawn, whichever
  // of the two was selected last.
  SelectPalette(dc_, before, false);
  MoveToEx(dc_, 0, 2, nullptr);
  LineTo(dc_, 2, 2);
  EXPECT_EQ(image_.Pixel(0, 2), kBlack);
  SelectPalette(dc_, palette, false);
  MoveToEx(dc_, 0, 1, nullptr);
  LineTo(dc_, 2, 1);
  EXPECT_EQ(image_.Pixel(0, 1), Argb(255, 150, 150));

  SelectObject(dc_, stock);
  SelectPalette(dc_, before, false);
  DeleteObject(index1);
  DeleteObject(index7);
  DeleteObject(palette);
}

TEST_F(GdiObjectsTest, CoordinatesBeyondTheLimitAreHeldAtIt) {
  MoveToEx(dc_, std::numeric_limits<std::int64_t>::min(), 2, nullptr);
  EXPECT_EQ(dc_.Position(), (Point{-kCoordinateLimit, 2}));
  LineTo(dc_, std::numeric_limits<std::int64_t>::max(), 2);
  EXPECT_EQ(dc_.Position(), (Point{kCoordinateLimit, 2}));
  EXPECT_EQ(PaintedPixels(image_), (Pixels{{0, 2}, {1, 2}, {2, 2}, {3, 2}}));
}

class RasterLineTest : public ::testing::Test {
 protected:
  Pixels Draw(Point from, Point to) {
    MoveToEx(dc_, from.x, from.y, nullptr);
    LineTo(dc_, to.x, to.y);
    EXPECT_EQ(dc_.Position(), to);
    return PaintedPixels(image_);
  }
  void Clear() { std::fill(image_.Data(), image_.Data() + 100 * 60, kWhite); }
  RasterImage image_{100, 60, kWhite};
  RasterImageDC dc_{image_};
};

TEST_F(RasterLineTest, TheEndPixelIsLeftOut) {
  EXPECT_EQ(Draw({2, 5}, {6, 5}), (Pixels{{2, 5}, {3, 5}, {4, 5}, {5, 5}}));
  EXPECT_EQ(Draw({6, 5}, {6, 5}).size(), 4u);  // a line to its own start paints nothing
}

TEST_F(RasterLineTest, LinesStepOncePerPixelOfTheLongerAxisRoundingHalvesAway) {
  // k·a/n = 0, 0.5, 1, 1.5 for k = 0 to 3: halves go one step further.
  EXPECT_EQ(Draw({0, 0}, {4, 2}), (Pixels{{0, 0}, {1, 1}, {2, 1}, {3, 2}}));
  Clear();
  EXPECT_EQ(Draw({0, 0}, {2, 5}), (Pixels{{0, 0}, {0, 1}, {1, 2}, {1, 3}, {2, 4}}));
}

TEST_F(RasterLineTest, ClippedLinesPaintWhatTheWholeLineWould) {
  std::mt19937 random(11);
  std::uniform_int_distribution<int> coordinate(-300, 300);
  for (int i = 0; i < 3000; ++i) {
    RasterImage image(37, 23, kWhite);
    RasterImageDC dc(image);
    const Point from{coordinate(random), coordinate(random)};
    const Point to{coordinate(random) / (i % 3 + 1), coordinate(random) / (i % 5 + 1)};
    MoveToEx(dc, from.x, from.y, nullptr);
    LineTo(dc, to.x, to.y);
    ASSERT_EQ(PaintedPixels(image), ReferenceLine(from, to, 37, 23))
        << "from (" << from.x << ", " << from.y << ") to (" << to.x << ", " << to.y << ")";
  }
}

// A line of one step paints its first pixel, where the surface has it.
TEST_F(RasterLineTest, OneStepLinesPaintTheirFirstPixel) {
  for (std::int64_t x = -2; x <= 5; ++x) {
    for (std::int64_t y = -2; y <= 4; ++y) {
      for (const Point step : {Point{1, 0}, Point{-1, 1}, Point{0, -1}, Point{1, 1}}) {
        RasterImage image(4, 3, kWhite);
        RasterImageDC dc(image);
        MoveToEx(dc, x, y, nullptr);
        LineTo(dc, x + step.x, y + step.y);
        ASSERT_EQ(PaintedPixels(image), ReferenceLine({x, y}, {x + step.x, y + step.y}, 4, 3))
            << x << " " << y << " " << step.x << " " << step.y;
      }
    }
  }
}

// Lines of up to 46340 steps are placed by fixed-point arithmetic, longer
// ones stepped: both by the rule, in every direction, whole or clipped.
TEST_F(RasterLineTest, LongLinesFollowTheRuleInEveryDirection) {
  std::mt19937 random(17);
  RasterImage image(700, 500, kWhite);
  RasterImageDC dc(image);
  auto draw = [&](Point from, Point to, int left, int top) {
    std::fill(image.Data(), image.Data() + 700 * 500, kWhite);
    MoveToEx(dc, from.x - left, from.y - top, nullptr);
    LineTo(dc, to.x - left, to.y - top);
    const Point shiftedFrom{from.x - left, from.y - top}, shiftedTo{to.x - left, to.y - top};
    ASSERT_EQ(PaintedPixels(image), ReferenceLine(shiftedFrom, shiftedTo, 700, 500))
        << "from (" << shiftedFrom.x << ", " << shiftedFrom.y << ") to (" << shiftedTo.x << ", "
        << shiftedTo.y << ")";
  };
  std::uniform_int_distribution<int> x(-100, 799), y(-100, 599);
  for (int i = 0; i < 300; ++i) draw({x(random), y(random)}, {x(random), y(random)}, 0, 0);
  // 46340 and 46341 steps, seen through the surface near either end and in
  // the middle, where a rounding error of the fixed point would show first.
  for (std::int64_t n : {46340, 46341, 100000}) {
    for (int i = 0; i < 12; ++i) {
      const std::int64_t a = static_cast<std::int64_t>(random() % static_cast<unsigned>(n + 1));
      const std::int64_t k = static_cast<std::int64_t>(random() % static_cast<unsigned>(n));
      const std::int64_t m = (2 * k * a + n) / (2 * n);
      const bool xMajor = i % 2 == 0;
      const Point to = xMajor ? Point{n, a} : Point{a, n};
      const int left = static_cast<int>(xMajor ? k : m) - 350,
                top = static_cast<int>(xMajor ? m : k) - 250;
      draw({0, 0}, to, left, top);
      draw(to, {0, 0}, left, top);
    }
  }
}

TEST_F(RasterLineTest, LinesFromFarAwayMatchTheirNearbyPart) {
  constexpr std::int64_t kFar = std::int64_t{1} << 40;
  // Slope 1/2 through the origin, from far off to far off.
  const Pixels far = Draw({-kFar, -kFar / 2}, {kFar, kFar / 2});
  RasterImage near(100, 60, kWhite);
  RasterImageDC nearDC(near);
  LineTo(nearDC, 1000, 500);
  EXPECT_EQ(far, PaintedPixels(near));
  EXPECT_EQ(far.size(), 100u);
  Clear();
  EXPECT_TRUE(Draw({-kCoordinateLimit, 70}, {kCoordinateLimit, 60}).empty());
}

TEST(RasterDC, KeepsToItsRowsWhenTheyAreFartherApartThanTheirWidth) {
  std::vector<std::uint32_t> pixels(3 * 8, kWhite);  // 3 rows of 5 pixels, 8 apart
  RasterDC dc(pixels.data(), 5, 3, 8);
  MoveToEx(dc, -100, 1, nullptr);
  LineTo(dc, 100, 1);
  MoveToEx(dc, 4, -50, nullptr);
  LineTo(dc, 4, 50);
  for (int i = 0; i < 24; ++i) {
    const int x = i % 8, y = i / 8;
    const bool painted = x < 5 && (y == 1 || x == 4);
    EXPECT_EQ(pixels[i], painted ? kBlack : kWhite) << "x " << x << " y " << y;
  }
}

#if defined(__SIZEOF_INT128__)  // the compiler's own 128-bit arithmetic checks ours
TEST(MulDivMod, ExactForProductsBeyond64Bits) {
  std::mt19937_64 random(3);
  for (int i = 0; i < 20000; ++i) {
    const std::uint64_t a = random() >> (random() % 64);
    const std::uint64_t b = random() >> (random() % 64);
    const std::uint64_t c = (random() >> (1 + random() % 63)) | 1;
    const unsigned __int128 product = static_cast<unsigned __int128>(a) * b;
    const unsigned __int128 quotient = product / c;
    QuotientRemainder q = MulDivMod(a, b, c);
    EXPECT_EQ(q.remainder, static_cast<std::uint64_t>(product % c));
    if (quotient >> 64) {
      EXPECT_EQ(q.quotient, std::numeric_limits<std::uint64_t>::max());
    } else {
      EXPECT_EQ(q.quotient, static_cast<std::uint64_t>(quotient));
    }
  }
}
#endif

}  // namespace
}  // namespace wt::gdi
