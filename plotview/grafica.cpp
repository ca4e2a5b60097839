#include "plotview/grafica.h"

#include <algorithm>
#include <cmath>

#include "common/numeric.h"

namespace wt::plot {
namespace {

using gdi::ColorRef;
using gdi::PaletteEntry;

// Drops the fraction towards zero. Results beyond the limit stand for "far
// off the surface" and are held at the limit rather than overflowing.
std::int64_t Truncate(double v) {
  constexpr double kLimit = static_cast<double>(gdi::kCoordinateLimit);
  if (!(v > -kLimit)) return -gdi::kCoordinateLimit;
  if (!(v < kLimit)) return gdi::kCoordinateLimit;
  return static_cast<std::int64_t>(std::trunc(v));
}

bool Fits16(int v) {
  return v >= -32768 && v <= 32767;
}

}  // namespace

const std::array<PaletteEntry, kPaletteSize> kPenPaletteColours = {{
    {0, 0, 0, 0},        // 0
    {0, 0, 0, 0},        // 1
    {255, 150, 150, 0},  // 2
    {150, 255, 128, 0},  // 3
    {150, 150, 255, 0},  // 4
    {255, 255, 150, 0},  // 5
    {150, 255, 255, 0},  // 6
    {255, 150, 255, 0},  // 7
    {192, 192, 192, 0},  // 8
    {255, 0, 0, 0},      // 9
    {255, 0, 0, 0},      // 10
    {255, 0, 0, 0},      // 11
    {255, 0, 0, 0},      // 12
    {255, 0, 0, 0},      // 13
    {255, 0, 0, 0},      // 14
    {255, 150, 150, 0},  // 15
    {150, 255, 128, 0},  // 16
    {150, 150, 255, 0},  // 17
    {255, 255, 150, 0},  // 18
    {150, 255, 255, 0},  // 19
    {255, 150, 255, 0},  // 20
    {192, 192, 192, 0},  // 21
    {0, 0, 0, 0},        // 22
    {0, 0, 0, 0},        // 23
    {0, 0, 0, 0},        // 24
    {0, 0, 0, 0},        // 25
    {0, 0, 0, 0},        // 26
    {0, 0, 0, 0},        // 27
    {0, 0, 0, 0},        // 28
    {0, 0, 0, 0},        // 29
    {0, 0, 0, 0},        // 30
    {0, 0, 0, 0},        // 31
}};

gdi::HPALETTE MakePenPalette() {
  gdi::LogPalette description;
  description.version = gdi::kPaletteVersion;
  description.entries.assign(kPenPaletteColours.begin(), kPenPaletteColours.end());
  return gdi::CreatePalette(description);
}

gdi::HPEN MakeTablePen(int i) {
  if (i == kPenCount - 1) return gdi::CreatePen(gdi::PenStyle::Solid, 1, ColorRef::Rgb(0, 0, 0));
  return gdi::CreatePen(gdi::PenStyle::Solid, 0,
                        ColorRef::PaletteIndex(static_cast<std::uint16_t>(i)));
}

Grafica::~Grafica() {
  EndPlot();
}

void Grafica::SetDeviceMap(DeviceAxis& axis, std::int16_t devA, std::int16_t devB,
                           std::int16_t plotA, std::int16_t plotB) {
  if (plotA == plotB) return;
  axis.factor = static_cast<double>(devA - devB) / static_cast<double>(plotA - plotB);
  axis.deviceOrigin = devB;
  axis.plotterOrigin = plotB;
}

void Grafica::AxisMemo::Keep(std::int16_t u, std::int64_t device) {
  if (device < INT32_MIN || device > INT32_MAX) return;
  entries_[Index(u)] = std::uint64_t{mapping_} << 32 | static_cast<std::uint32_t>(device);
}

void Grafica::AxisMemo::Forget() {
  if (++mapping_ == 0) {
    // After 2^32 - 1 mappings numbers would come round again.
    std::fill(entries_.begin(), entries_.end(), 0);
    mapping_ = 1;
  }
}

// Each point of a plot passes through two mappings per axis, a chain of
// conversions and products that its neighbours mostly repeat: the result is
// remembered per user value until the mapping changes.
std::int64_t Grafica::MapAndKeepX(std::int16_t u) {
  const std::int64_t device = DeviceX(PlotterX(u));
  memoX_.Keep(u, device);
  return device;
}

std::int64_t Grafica::MapAndKeepY(std::int16_t u) {
  const std::int64_t device = DeviceY(PlotterY(u));
  memoY_.Keep(u, device);
  return device;
}

void Grafica::SetDeviceMapX(std::int16_t devA, std::int16_t devB, std::int16_t plotA,
                            std::int16_t plotB) {
  SetDeviceMap(deviceX_, devA, devB, plotA, plotB);
  memoX_.Forget();
}

void Grafica::SetDeviceMapY(std::int16_t devA, std::int16_t devB, std::int16_t plotA,
                            std::int16_t plotB) {
  SetDeviceMap(deviceY_, devA, devB, plotA, plotB);
  memoY_.Forget();
}

void Grafica::SetScalingPoints(std::int16_t p1x, std::int16_t p1y, std::int16_t p2x,
                               std::int16_t p2y) {
  p1x_ = p1x;
  p1y_ = p1y;
  p2x_ = p2x;
  p2y_ = p2y;
  memoX_.Forget();
  memoY_.Forget();
}

void Grafica::SetUserScale(std::int16_t xmin, std::int16_t xmax, std::int16_t ymin,
                           std::int16_t ymax) {
  const int xRange = xmax - xmin;
  const int yRange = ymax - ymin;
  if (xRange == 0 || yRange == 0 || !Fits16(xRange) || !Fits16(yRange)) return;
  userX_ = {static_cast<double>(p2x_ - p1x_) / xRange, xmin};
  userY_ = {static_cast<double>(p2y_ - p1y_) / yRange, ymin};
  memoX_.Forget();
  memoY_.Forget();
}

std::int64_t Grafica::PlotterX(std::int16_t u) const {
  return Truncate((u - userX_.minimum) * userX_.factor + p1x_);
}

std::int64_t Grafica::PlotterY(std::int16_t u) const {
  return Truncate((u - userY_.minimum) * userY_.factor + p1y_);
}

std::int64_t Grafica::ToDevice(const DeviceAxis& axis, std::int64_t p) {
  return Truncate(static_cast<double>(p - axis.plotterOrigin) * axis.factor + axis.deviceOrigin);
}

std::int64_t Grafica::DeviceX(std::int64_t p) const {
  return ToDevice(deviceX_, p);
}

std::int64_t Grafica::DeviceY(std::int64_t p) const {
  return ToDevice(deviceY_, p);
}

void Grafica::BeginPlot(std::int16_t W, gdi::DeviceContext& dc) {
  EndPlot();
  SetDeviceMapX(W, 0, kPlotterWidth, 0);
  // W × 0.7 stays well within 16 bits for any 16-bit W.
  const std::int16_t Hh = RoundToInt16(W * 0.7).value_or(0);
  SetDeviceMapY(Hh, 0, 0, kPlotterHeight);
  SetScalingPoints(0, 0, 1, 1);
  SetUserScale(0, 1, 0, 1);

  dc_ = &dc;
  penPalette_ = MakePenPalette();
  keptPalette_ = gdi::SelectPalette(dc, penPalette_, false);
  gdi::RealizePalette(dc);
  for (int i = 0; i < kPenCount; ++i) penTable_[i] = MakeTablePen(i);
  keptPen_ = gdi::SelectObject(dc, penTable_[0]);
}

void Grafica::EndPlot() {
  if (!dc_) return;
  gdi::DeviceContext& dc = *dc_;
  if (keptPen_) gdi::SelectObject(dc, keptPen_);
  for (gdi::HPEN& pen : penTable_) {
    gdi::DeleteObject(pen);
    pen = nullptr;
  }
  if (keptPalette_) gdi::SelectPalette(dc, keptPalette_, false);
  gdi::DeleteObject(penPalette_);
  penPalette_ = keptPalette_ = nullptr;
  keptPen_ = nullptr;
  dc_ = nullptr;
}

void Grafica::SelectPlotPen(std::int16_t n) {
  if (!dc_ || n < 0 || n >= kPenCount) return;
  gdi::SelectObject(*dc_, penTable_[n]);
}

void Grafica::PenUpTo(std::int16_t x, std::int16_t y) {
  if (!dc_) return;
  gdi::MoveToEx(*dc_, MapX(x), MapY(y), nullptr);
}

void Grafica::PenDownTo(std::int16_t x, std::int16_t y) {
  if (!dc_) return;
  gdi::LineTo(*dc_, MapX(x), MapY(y));
}

}  // namespace wt::plot
