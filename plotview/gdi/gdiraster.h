// The raster surface of the GDI-shaped drawing: lines one pixel wide, drawn
// by an integer line algorithm into 0xFFRRGGBB pixels, pixel-exact.
//
// A line from (x0, y0) to (x1, y1) with n = max(|x1 - x0|, |y1 - y0|) steps
// paints n pixels, k = 0 to n - 1: the end pixel is left out. Along the major
// axis pixel k is k steps from the start; along the other axis it is
// floor((2·k·a + n) / (2·n)) steps away, a being the other axis's distance,
// that is k·a/n rounded with halves going away from the start. Pens of every
// width draw one pixel wide. A line is clipped to the surface before it is
// rasterised, so a line reaching far beyond the surface costs no more than its
// visible part and paints exactly the pixels the whole line would.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "plotview/gdi/gdi.h"

namespace wt::gdi {

class RasterDC : public DeviceContext {
 public:
  // Draws into `pixels`, which it does not own: `height` rows of `width`
  // pixels, each row starting `stride` pixels after the one above it.
  RasterDC(std::uint32_t* pixels, int width, int height, std::ptrdiff_t stride);

  int Width() const { return width_; }
  int Height() const { return height_; }

 protected:
  void PaintLine(Point from, Point to, std::uint32_t argb, int width) override;

 private:
  struct Axis;
  bool Inside(Point p) const;
  // Paints `count` pixels from step k, whose minor offset is m and remainder
  // `rest`, on.
  void Paint(const Axis& major, const Axis& minor, int majorSign, int minorSign, std::int64_t k,
             std::int64_t m, std::int64_t count, std::int64_t rest, std::int64_t twoA,
             std::int64_t twoN, std::uint32_t argb);

  std::uint32_t* pixels_;
  int width_;
  int height_;
  std::ptrdiff_t stride_;
};

// An image with pixels of its own, rows packed.
class RasterImage {
 public:
  RasterImage(int width, int height, std::uint32_t background);

  int Width() const { return width_; }
  int Height() const { return height_; }
  std::uint32_t Pixel(int x, int y) const { return pixels_[Index(x, y)]; }
  std::uint32_t* Data() { return pixels_.data(); }

 private:
  std::size_t Index(int x, int y) const {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
           static_cast<std::size_t>(x);
  }
  int width_;
  int height_;
  std::vector<std::uint32_t> pixels_;
};

// A device context over a RasterImage.
class RasterImageDC : public RasterDC {
 public:
  explicit RasterImageDC(RasterImage& image)
      : RasterDC(image.Data(), image.Width(), image.Height(), image.Width()) {}
};

// a × b divided by c (c > 0, c < 2^63), exactly, whatever the size of the
// product: the quotient (UINT64_MAX when it does not fit) and the remainder.
struct QuotientRemainder {
  std::uint64_t quotient;
  std::uint64_t remainder;
};
QuotientRemainder MulDivMod(std::uint64_t a, std::uint64_t b, std::uint64_t c);

}  // namespace wt::gdi
