// GDI-shaped drawing: logical palettes, pens and lines on a device context.
//
// The functions keep the shape of their Windows namesakes so that the
// renderer reads like its design; they are the viewer's own on every system,
// not the OS's. A device context holds the selected pen, the selected palette
// and the drawing position; what a line looks like is up to its surface (the
// raster image of gdiraster.h or the printer page of plotview/gdiprinter.h).
// There is no hardware palette: a pen whose colour is a palette index draws
// in the colour of that entry of the palette selected in the device context
// when the line is drawn.
//
// Handles are pointers to objects made by CreatePen and CreatePalette and
// valid until DeleteObject; the caller deletes what it creates. A device
// context never owns the objects selected into it.
#pragma once

#include <cstdint>
#include <vector>

namespace wt::gdi {

// The version that CreatePalette accepts.
inline constexpr std::uint16_t kPaletteVersion = 0x300;

struct PaletteEntry {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  std::uint8_t flags = 0;
};

struct LogPalette {
  std::uint16_t version = kPaletteVersion;
  std::vector<PaletteEntry> entries;
};

// A colour: either red, green and blue given directly, or an index into the
// palette selected in the device context.
class ColorRef {
 public:
  static constexpr ColorRef Rgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return ColorRef(false, (std::uint32_t{red} << 16) | (std::uint32_t{green} << 8) | blue);
  }
  static constexpr ColorRef PaletteIndex(std::uint16_t index) { return ColorRef(true, index); }

  constexpr bool IsPaletteIndex() const { return isIndex_; }
  constexpr std::uint16_t Index() const { return static_cast<std::uint16_t>(value_); }
  // 0x00RRGGBB of a direct colour.
  constexpr std::uint32_t Rgb() const { return value_; }

  friend constexpr bool operator==(ColorRef, ColorRef) = default;

 private:
  constexpr ColorRef(bool isIndex, std::uint32_t value) : isIndex_(isIndex), value_(value) {}
  bool isIndex_;
  std::uint32_t value_;
};

// 0xFFRRGGBB: the pixel format of the raster surface (and of Qt's RGB32 images).
constexpr std::uint32_t Argb(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  return 0xFF000000u | (std::uint32_t{red} << 16) | (std::uint32_t{green} << 8) | blue;
}

enum class PenStyle { Solid };

// Device coordinates. They are wider than the system's 32 bits so that a plot
// mapped far beyond the surface is clipped, never wrapped; values beyond
// ±kCoordinateLimit are taken as that limit.
struct Point {
  std::int64_t x = 0;
  std::int64_t y = 0;
  friend constexpr bool operator==(Point, Point) = default;
};
inline constexpr std::int64_t kCoordinateLimit = std::int64_t{1} << 50;

class DeviceContext;

class GdiObject {
 public:
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;
  virtual ~GdiObject() = default;

 protected:
  GdiObject() = default;

 private:
  friend class DeviceContext;
  friend class StockObjects;
  friend bool DeleteObject(GdiObject* object);
  int selections_ = 0;  // device contexts that have it selected
  bool stock_ = false;  // a device context's default: never deleted
};

class Pen final : public GdiObject {
 public:
  Pen(PenStyle style, int width, ColorRef colour) : style(style), width(width), colour(colour) {}
  const PenStyle style;
  const int width;  // 0 and 1: one pixel
  const ColorRef colour;
};

class Palette final : public GdiObject {
 public:
  explicit Palette(std::vector<PaletteEntry> entries) : entries(std::move(entries)) {}
  const std::vector<PaletteEntry> entries;
};

using HGDIOBJ = GdiObject*;
using HPEN = Pen*;
using HPALETTE = Palette*;

// The state every surface shares. A fresh device context has a black pen one
// pixel wide, an empty palette and its drawing position at (0, 0).
class DeviceContext {
 public:
  DeviceContext();
  DeviceContext(const DeviceContext&) = delete;
  DeviceContext& operator=(const DeviceContext&) = delete;
  virtual ~DeviceContext();

  HPEN SelectedPen() const { return pen_; }
  HPALETTE SelectedPalette() const { return palette_; }
  Point Position() const { return position_; }

  // The colour a pen draws in here: its own, or its entry of the selected
  // palette (black when the palette has no such entry).
  std::uint32_t ColourOf(const Pen& pen) const;

 protected:
  // Paints the line from `from` to `to` in `argb`, without its end pixel.
  // `width` is the pen's; coordinates lie within ±kCoordinateLimit.
  virtual void PaintLine(Point from, Point to, std::uint32_t argb, int width) = 0;

 private:
  friend HPALETTE SelectPalette(DeviceContext& dc, HPALETTE palette, bool forceBackground);
  friend HPEN SelectObject(DeviceContext& dc, HPEN pen);
  friend bool MoveToEx(DeviceContext& dc, std::int64_t x, std::int64_t y, Point* previous);
  friend bool LineTo(DeviceContext& dc, std::int64_t x, std::int64_t y);

  static void Swap(GdiObject* selected, GdiObject* replaced);

  HPEN pen_;
  HPALETTE palette_;
  std::uint32_t colour_;  // ColourOf(*pen_), found again when either is selected
  Point position_;
};

// Makes a palette from `description`; nothing (nullptr) unless its version is
// kPaletteVersion.
HPALETTE CreatePalette(const LogPalette& description);

// Selects `palette` into `dc` and returns the palette selected before;
// nullptr (and no change) for a null palette. `forceBackground` has no effect
// where there is no hardware palette.
HPALETTE SelectPalette(DeviceContext& dc, HPALETTE palette, bool forceBackground);

// Maps the selected palette into the device's colours and returns the number
// of entries mapped. Without a hardware palette every entry maps at once.
unsigned RealizePalette(DeviceContext& dc);

// Makes a pen; a negative width counts as 0.
HPEN CreatePen(PenStyle style, int width, ColorRef colour);

// Selects `pen` into `dc` and returns the pen selected before; nullptr (and
// no change) for a null pen.
HPEN SelectObject(DeviceContext& dc, HPEN pen);

// Deletes a pen or palette. False, and nothing deleted, for a null handle, a
// device context's default objects and an object still selected somewhere.
bool DeleteObject(HGDIOBJ object);

// Moves the drawing position to (x, y) without drawing; `previous`, when
// given, receives the position before.
bool MoveToEx(DeviceContext& dc, std::int64_t x, std::int64_t y, Point* previous);

// Draws a line with the selected pen from the drawing position to (x, y),
// leaving the end pixel unpainted, and moves the drawing position there.
bool LineTo(DeviceContext& dc, std::int64_t x, std::int64_t y);

}  // namespace wt::gdi
