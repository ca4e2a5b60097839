#include "plotview/gdi/gdiraster.h"

#include <algorithm>
#include <limits>

namespace wt::gdi {
namespace {

std::int64_t Abs(std::int64_t v) {
  return v < 0 ? -v : v;
}

// The range of steps k (from `start` in direction `sign`) whose position lies
// within 0 .. extent - 1.
void StepsInside(std::int64_t start, int sign, std::int64_t extent, std::int64_t* lo,
                 std::int64_t* hi) {
  if (sign > 0) {
    *lo = -start;
    *hi = extent - 1 - start;
  } else {
    *lo = start - (extent - 1);
    *hi = start;
  }
}

// A quotient of MulDivMod as a step count; anything at or beyond `cap` is as
// good as `cap`.
std::int64_t Capped(std::uint64_t quotient, std::int64_t cap) {
  return quotient >= static_cast<std::uint64_t>(cap) ? cap : static_cast<std::int64_t>(quotient);
}

// Lines of fewer steps are placed by fixed-point arithmetic (see Paint);
// 2·n·(n - 1) < 2^32 below it.
constexpr std::int64_t kExactSteps = 46341;
// Shorter runs of pixels are cheaper stepped than set up (one division).
constexpr std::int64_t kFixedPointFrom = 4;

}  // namespace

QuotientRemainder MulDivMod(std::uint64_t a, std::uint64_t b, std::uint64_t c) {
  constexpr std::uint64_t kHalf = 0xFFFFFFFFu;
  if (a <= kHalf && b <= kHalf) return {a * b / c, a * b % c};

  // The product in two 64-bit halves, from 32-bit partial products.
  const std::uint64_t aLo = a & kHalf, aHi = a >> 32, bLo = b & kHalf, bHi = b >> 32;
  const std::uint64_t p0 = aLo * bLo, p1 = aLo * bHi, p2 = aHi * bLo, p3 = aHi * bHi;
  const std::uint64_t mid = (p0 >> 32) + (p1 & kHalf) + (p2 & kHalf);
  const std::uint64_t lo = (p0 & kHalf) | (mid << 32);
  const std::uint64_t hi = p3 + (p1 >> 32) + (p2 >> 32) + (mid >> 32);

  // Long division, one bit at a time; c < 2^63 keeps the shifted remainder
  // within 64 bits. This runs only for lines that reach far off the surface.
  std::uint64_t remainder = 0, qHi = 0, qLo = 0;
  for (int bit = 127; bit >= 0; --bit) {
    const std::uint64_t next = bit >= 64 ? (hi >> (bit - 64)) & 1 : (lo >> bit) & 1;
    remainder = (remainder << 1) | next;
    const bool one = remainder >= c;
    if (one) remainder -= c;
    qHi = (qHi << 1) | (qLo >> 63);
    qLo = (qLo << 1) | (one ? 1 : 0);
  }
  return {qHi != 0 ? std::numeric_limits<std::uint64_t>::max() : qLo, remainder};
}

RasterDC::RasterDC(std::uint32_t* pixels, int width, int height, std::ptrdiff_t stride)
    : pixels_(pixels), width_(std::max(width, 0)), height_(std::max(height, 0)), stride_(stride) {}

// One axis of a line: where it starts, how far it goes, how many pixels the
// surface has along it and how far apart in memory neighbours along it are.
struct RasterDC::Axis {
  std::int64_t start;
  std::int64_t delta;
  std::int64_t extent;
  std::ptrdiff_t pixelStep;
};

bool RasterDC::Inside(Point p) const {
  return p.x >= 0 && p.x < width_ && p.y >= 0 && p.y < height_;
}

void RasterDC::PaintLine(Point from, Point to, std::uint32_t argb, int /*width*/) {
  if (width_ == 0 || height_ == 0) return;
  const std::int64_t dx = to.x - from.x, dy = to.y - from.y;
  if (dx >= -1 && dx <= 1 && dy >= -1 && dy <= 1) {
    // One step, the commonest line of a plot drawn in small steps: its
    // first pixel alone.
    if (Inside(from)) pixels_[static_cast<std::ptrdiff_t>(from.y) * stride_ + from.x] = argb;
    return;
  }
  const bool xMajor = Abs(dx) >= Abs(dy);
  const Axis xAxis{from.x, dx, width_, 1};
  const Axis yAxis{from.y, dy, height_, stride_};
  const Axis& major = xMajor ? xAxis : yAxis;
  const Axis& minor = xMajor ? yAxis : xAxis;

  const std::int64_t n = Abs(major.delta);  // > 0: the points differ
  const std::int64_t a = Abs(minor.delta);  // <= n
  const int majorSign = major.delta < 0 ? -1 : 1;
  const int minorSign = minor.delta < 0 ? -1 : 1;

  // Pixel k sits at major.start + majorSign·k and minor.start + minorSign·m(k)
  // with m(k) = floor((2·k·a + n) / (2·n)), which never decreases. Find the
  // steps whose pixel lies on the surface: all of them when both ends do.
  const std::int64_t twoA = 2 * a, twoN = 2 * n;
  if (Inside(from) && Inside(to)) {
    Paint(major, minor, majorSign, minorSign, 0, 0, n, n, twoA, twoN, argb);
    return;
  }
  std::int64_t first, last;
  StepsInside(major.start, majorSign, major.extent, &first, &last);
  first = std::max<std::int64_t>(first, 0);
  last = std::min(last, n - 1);
  std::int64_t mLo, mHi;
  StepsInside(minor.start, minorSign, minor.extent, &mLo, &mHi);
  if (mHi < 0) return;
  if (mLo > 0) {
    if (a == 0) return;
    // m(k) >= mLo  <=>  k·2a >= (2·mLo - 1)·n
    QuotientRemainder q =
        MulDivMod(static_cast<std::uint64_t>(2 * mLo - 1), static_cast<std::uint64_t>(n),
                  static_cast<std::uint64_t>(2 * a));
    first = std::max(first, Capped(q.quotient, n) + (q.remainder != 0 ? 1 : 0));
  }
  if (a > 0) {
    // m(k) <= mHi  <=>  k·2a < (2·mHi + 1)·n
    QuotientRemainder q =
        MulDivMod(static_cast<std::uint64_t>(2 * mHi + 1), static_cast<std::uint64_t>(n),
                  static_cast<std::uint64_t>(2 * a));
    last = std::min(last, Capped(q.quotient, n) - (q.remainder == 0 ? 1 : 0));
  }
  if (first > last) return;

  // The state at step `first`: m and the remainder of 2·k·a + n over 2·n.
  QuotientRemainder q =
      MulDivMod(static_cast<std::uint64_t>(first), static_cast<std::uint64_t>(twoA),
                static_cast<std::uint64_t>(twoN));
  std::int64_t m = static_cast<std::int64_t>(q.quotient);
  std::int64_t rest = static_cast<std::int64_t>(q.remainder) + n;
  if (rest >= twoN) {
    rest -= twoN;
    ++m;
  }
  Paint(major, minor, majorSign, minorSign, first, m, last - first + 1, rest, twoA, twoN, argb);
}

void RasterDC::Paint(const Axis& major, const Axis& minor, int majorSign, int minorSign,
                     std::int64_t k, std::int64_t m, std::int64_t count, std::int64_t rest,
                     std::int64_t twoA, std::int64_t twoN, std::uint32_t argb) {
  const std::ptrdiff_t majorStep = majorSign * major.pixelStep;
  const std::ptrdiff_t minorStep = minorSign * minor.pixelStep;
  const std::int64_t n = twoN / 2, a = twoA / 2;
  if (n < kExactSteps && count >= kFixedPointFrom) {
    // m(k) = floor(k·a/n + 1/2) is (k·M + 2^31) >> 32 with M = a/n rounded
    // up to 32 fraction bits: M overshoots a/n by less than 2^-32, which
    // over fewer than kExactSteps steps stays below 1/(2n), the least
    // distance from k·a/n + 1/2 up to a whole number, so the floor is the
    // same. Each pixel is then placed on its own, with no branch and no
    // chain but the sum. The line's start lies within n steps of the
    // surface here, so the indexes cannot overflow.
    const std::uint64_t M =
        ((static_cast<std::uint64_t>(a) << 32) + static_cast<std::uint64_t>(n) - 1) /
        static_cast<std::uint64_t>(n);
    std::uint64_t sum = static_cast<std::uint64_t>(k) * M + (std::uint64_t{1} << 31);
    std::ptrdiff_t at = static_cast<std::ptrdiff_t>(major.start) * major.pixelStep +
                        static_cast<std::ptrdiff_t>(minor.start) * minor.pixelStep + k * majorStep;
    for (; count > 0; --count, at += majorStep, sum += M) {
      pixels_[at + static_cast<std::ptrdiff_t>(sum >> 32) * minorStep] = argb;
    }
    return;
  }
  const std::int64_t majorPos = major.start + majorSign * k;
  const std::int64_t minorPos = minor.start + minorSign * m;
  std::ptrdiff_t at = static_cast<std::ptrdiff_t>(majorPos) * major.pixelStep +
                      static_cast<std::ptrdiff_t>(minorPos) * minor.pixelStep;
  for (; count > 0; --count) {
    pixels_[at] = argb;
    at += majorStep;
    rest += twoA;
    if (rest >= twoN) {
      rest -= twoN;
      at += minorStep;
    }
  }
}

RasterImage::RasterImage(int width, int height, std::uint32_t background)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), background) {}

}  // namespace wt::gdi
