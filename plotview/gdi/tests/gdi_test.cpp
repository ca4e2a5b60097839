#include "plotview/gdi/gdi.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <random>
#include <set>
#include <utility>

#include "plotview/gdi/gdiraster.h"

namespace wt::gdi {
namespace {

constexpr std::uint32_t kWhite = 0xFFFFFFFFu;

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

// The pixels a line paints on a fresh width × height surface.
Pixels Line(Point from, Point to, int width, int height) {
  RasterImage image(width, height, kWhite);
  RasterImageDC dc(image);
  MoveToEx(dc, from.x, from.y, nullptr);
  LineTo(dc, to.x, to.y);
  EXPECT_EQ(dc.Position(), to);
  return PaintedPixels(image);
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
    const std::int64_t x = from.x + (dx < 0 ? -1 : 1) * (adx >= ady ? k : m);
    const std::int64_t y = from.y + (dy < 0 ? -1 : 1) * (adx >= ady ? m : k);
    if (x >= 0 && x < width && y >= 0 && y < height) pixels.insert({x, y});
  }
  return pixels;
}

::testing::AssertionResult FollowsTheRule(Point from, Point to, int width, int height) {
  if (Line(from, to, width, height) == ReferenceLine(from, to, width, height)) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure() << "from (" << from.x << ", " << from.y << ") to (" << to.x
                                       << ", " << to.y << ") on " << width << " × " << height;
}

TEST(RasterLine, TheEndPixelIsLeftOutAndHalvesRoundAwayFromTheStart) {
  EXPECT_EQ(Line({2, 5}, {6, 5}, 10, 10), (Pixels{{2, 5}, {3, 5}, {4, 5}, {5, 5}}));
  EXPECT_EQ(Line({6, 5}, {6, 5}, 10, 10), Pixels{});
  // k·a/n = 0, 0.5, 1, 1.5 for k = 0 to 3: halves go one step further.
  EXPECT_EQ(Line({0, 0}, {4, 2}, 10, 10), (Pixels{{0, 0}, {1, 1}, {2, 1}, {3, 2}}));
  EXPECT_EQ(Line({0, 0}, {2, 5}, 10, 10), (Pixels{{0, 0}, {0, 1}, {1, 2}, {1, 3}, {2, 4}}));
}

// Every short line around a small surface, one-step lines included, and
// random ones through it: whole or clipped, each paints what the rule says.
TEST(RasterLine, ShortAndClippedLinesFollowTheRule) {
  for (std::int64_t x = -2; x <= 5; ++x) {
    for (std::int64_t y = -2; y <= 4; ++y) {
      for (std::int64_t dx = -5; dx <= 5; ++dx) {
        for (std::int64_t dy = -5; dy <= 5; ++dy) {
          ASSERT_TRUE(FollowsTheRule({x, y}, {x + dx, y + dy}, 4, 3));
        }
      }
    }
  }
  std::mt19937 random(11);
  std::uniform_int_distribution<int> coordinate(-300, 300), x(0, 36), y(0, 22);
  for (int i = 0; i < 3000; ++i) {
    const Point from{coordinate(random), coordinate(random)};
    ASSERT_TRUE(FollowsTheRule(
        from, {coordinate(random) / (i % 3 + 1), coordinate(random) / (i % 5 + 1)}, 37, 23));
    ASSERT_TRUE(FollowsTheRule({x(random), y(random)}, {x(random), y(random)}, 37, 23));
  }
}

// Lines of up to 46340 steps are placed by fixed-point arithmetic, longer
// ones stepped: both by the rule, in every direction, seen through the
// surface near either end and in the middle, where a rounding error of the
// fixed point would show first.
TEST(RasterLine, LongLinesFollowTheRuleInEveryDirection) {
  std::mt19937 random(17);
  for (std::int64_t n : {46340, 46341, 100000}) {
    for (int i = 0; i < 12; ++i) {
      const std::int64_t a = random() % (n + 1), k = random() % n, m = (2 * k * a + n) / (2 * n);
      // The line from the origin to (n, a) or (a, n), moved to put its step k at (350, 250).
      const Point to = i % 2 ? Point{a, n} : Point{n, a}, at = i % 2 ? Point{m, k} : Point{k, m};
      const Point start{350 - at.x, 250 - at.y}, end{start.x + to.x, start.y + to.y};
      ASSERT_TRUE(FollowsTheRule(start, end, 700, 500));
      ASSERT_TRUE(FollowsTheRule(end, start, 700, 500));
    }
  }
}

TEST(RasterLine, LinesFromFarAwayMatchTheirNearbyPart) {
  constexpr std::int64_t kFar = std::int64_t{1} << 40;
  // Slope 1/2 through the origin, from far off to far off.
  const Pixels far = Line({-kFar, -kFar / 2}, {kFar, kFar / 2}, 100, 60);
  EXPECT_EQ(far, Line({0, 0}, {1000, 500}, 100, 60));
  EXPECT_EQ(far.size(), 100u);
  EXPECT_TRUE(Line({-kCoordinateLimit, 70}, {kCoordinateLimit, 60}, 100, 60).empty());
}

#if defined(__SIZEOF_INT128__)  // the compiler's own 128-bit arithmetic checks ours
TEST(MulDivMod, ExactForProductsBeyond64Bits) {
  std::mt19937_64 random(3);
  for (int i = 0; i < 20000; ++i) {
    const std::uint64_t a = random() >> (random() % 64), b = random() >> (random() % 64);
    const std::uint64_t c = (random() >> (1 + random() % 63)) | 1;
    const unsigned __int128 product = static_cast<unsigned __int128>(a) * b;
    const QuotientRemainder q = MulDivMod(a, b, c);
    ASSERT_EQ(q.remainder, static_cast<std::uint64_t>(product % c));
    ASSERT_EQ(q.quotient, static_cast<std::uint64_t>(std::min<unsigned __int128>(
                              product / c, std::numeric_limits<std::uint64_t>::max())));
  }
}
#endif

}  // namespace
}  // namespace wt::gdi
