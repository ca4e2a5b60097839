// grafica: the plot's coordinate systems, its pens and its palette, and the
// line operations behind the plot commands, drawn through the GDI-shaped
// functions of plotview/gdi/gdi.h.
//
// Three coordinate systems: user units (the numbers of PU and PD, equal to
// plotter units until IP and SC say otherwise); plotter units, a frame 10430
// wide and 8000 high with y growing upwards; device pixels, from the
// surface's top-left corner with y growing downwards. Every mapping is taken
// in double precision and ends by dropping the fraction towards zero.
//
// Mapped values are 64-bit: a plot mapped beyond the 16-bit range is carried
// on exactly (within ±gdi::kCoordinateLimit) and the surface clips it.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "plotview/gdi/gdi.h"

namespace wt::plot {

inline constexpr int kPlotterWidth = 10430;
inline constexpr int kPlotterHeight = 8000;
inline constexpr int kPenCount = 21;
inline constexpr int kPaletteSize = 32;

// The colours of PenPalette, entry by entry; every entry's flags are 0.
extern const std::array<gdi::PaletteEntry, kPaletteSize> kPenPaletteColours;

// A new PenPalette: version 0x300, the 32 entries of kPenPaletteColours.
gdi::HPALETTE MakePenPalette();

// The pens of PenTable: pens 0 to 19 solid, width 0, colour palette entry i;
// pen 20 solid, width 1, black given directly.
gdi::HPEN MakeTablePen(int i);

// The mapping state and the drawing resources of the plot being drawn. One
// drawing is BeginPlot, any number of command operations, EndPlot; between
// drawings the mapping keeps its last values and no pen or palette exists.
class Grafica {
 public:
  Grafica() = default;
  Grafica(const Grafica&) = delete;
  Grafica& operator=(const Grafica&) = delete;
  ~Grafica();

  // Prepares a drawing on `dc`, whose surface is W pixels wide: the plotter
  // frame maps onto W × Hh pixels at the top-left corner, Hh = W × 0.7
  // (halves to even); user units equal plotter units; PenPalette and the 21
  // pens are made, the palette selected and realised and pen 0 selected. A
  // drawing still open is ended first. `dc` must outlive the drawing.
  void BeginPlot(std::int16_t W, gdi::DeviceContext& dc);

  // Puts back the pen and palette that the drawing's device context had
  // before BeginPlot and deletes the drawing's pens and palette; nothing
  // happens when no drawing is open.
  void EndPlot();

  // The plotter-to-device mapping of one axis: plotter plotB lands on device
  // devB and plotter plotA on devA. Ignored when plotA equals plotB.
  void SetDeviceMapX(std::int16_t devA, std::int16_t devB, std::int16_t plotA, std::int16_t plotB);
  void SetDeviceMapY(std::int16_t devA, std::int16_t devB, std::int16_t plotA, std::int16_t plotB);

  // IP: the scaling points P1 and P2, in plotter units. The user factors are
  // not recomputed; later points move with P1 at once.
  void SetScalingPoints(std::int16_t p1x, std::int16_t p1y, std::int16_t p2x, std::int16_t p2y);

  // SC: user xmin..xmax maps onto P1x..P2x, ymin..ymax onto P1y..P2y, with the
  // P1 and P2 in force now. Ignored as a whole when either range is 0 or does
  // not fit 16 bits.
  void SetUserScale(std::int16_t xmin, std::int16_t xmax, std::int16_t ymin, std::int16_t ymax);

  // SP: selects pen n (0 to 20) of PenTable; other numbers are ignored.
  void SelectPlotPen(std::int16_t n);

  // PU: moves the drawing position to the user point (x, y) without drawing.
  void PenUpTo(std::int16_t x, std::int16_t y);

  // PD: draws with the selected pen to the user point (x, y); the end pixel
  // is left out and the drawing position moves there.
  void PenDownTo(std::int16_t x, std::int16_t y);

  // User to plotter units.
  std::int64_t PlotterX(std::int16_t u) const;
  std::int64_t PlotterY(std::int16_t u) const;
  // Plotter units to device pixels.
  std::int64_t DeviceX(std::int64_t p) const;
  std::int64_t DeviceY(std::int64_t p) const;

 private:
  struct DeviceAxis {
    double factor = 0.0;  // device pixels per plotter unit
    std::int16_t deviceOrigin = 0;
    std::int16_t plotterOrigin = 0;
  };
  struct UserAxis {
    double factor = 0.0;  // plotter units per user unit
    std::int16_t minimum = 0;
  };
  static void SetDeviceMap(DeviceAxis& axis, std::int16_t devA, std::int16_t devB,
                           std::int16_t plotA, std::int16_t plotB);
  static std::int64_t ToDevice(const DeviceAxis& axis, std::int64_t p);

  // The device value of each user value of one axis, as far as asked for
  // since the axis's mapping last changed: an entry holds the device value
  // (when it fits 32 bits) under the number of the mapping it was found for.
  class AxisMemo {
   public:
    AxisMemo() : entries_(std::size_t{1} << 16) {}
    // The value remembered for u, or false.
    bool Find(std::int16_t u, std::int64_t* device) const {
      const std::uint64_t entry = entries_[Index(u)];
      if (entry >> 32 != mapping_) return false;
      *device = static_cast<std::int32_t>(static_cast<std::uint32_t>(entry));
      return true;
    }
    void Keep(std::int16_t u, std::int64_t device);
    // The mapping has changed: nothing remembered holds any more.
    void Forget();

   private:
    static std::size_t Index(std::int16_t u) { return static_cast<std::uint16_t>(u); }
    std::vector<std::uint64_t> entries_;  // mapping << 32 | device value
    std::uint32_t mapping_ = 1;           // entries of mapping 0 hold nothing
  };
  // The remembered value when there is one: the common case, inline.
  std::int64_t MapX(std::int16_t u) {
    std::int64_t device;
    return memoX_.Find(u, &device) ? device : MapAndKeepX(u);
  }
  std::int64_t MapY(std::int16_t u) {
    std::int64_t device;
    return memoY_.Find(u, &device) ? device : MapAndKeepY(u);
  }
  std::int64_t MapAndKeepX(std::int16_t u);
  std::int64_t MapAndKeepY(std::int16_t u);

  DeviceAxis deviceX_, deviceY_;
  std::int16_t p1x_ = 0, p1y_ = 0, p2x_ = 0, p2y_ = 0;
  UserAxis userX_, userY_;
  AxisMemo memoX_, memoY_;

  gdi::DeviceContext* dc_ = nullptr;  // while a drawing is open
  gdi::HPALETTE penPalette_ = nullptr;
  gdi::HPALETTE keptPalette_ = nullptr;
  std::array<gdi::HPEN, kPenCount> penTable_{};
  gdi::HPEN keptPen_ = nullptr;
};

}  // namespace wt::plot
