#include "plotview/gdi/gdi.h"

#include <algorithm>

namespace wt::gdi {
namespace {

std::int64_t Limited(std::int64_t v) {
  return std::clamp(v, -kCoordinateLimit, kCoordinateLimit);
}

}  // namespace

// The defaults of every device context: shared, never counted nor deleted.
class StockObjects {
 public:
  static HPEN BlackPen() {
    static Pen* pen = Mark(new Pen(PenStyle::Solid, 0, ColorRef::Rgb(0, 0, 0)));
    return pen;
  }
  static HPALETTE EmptyPalette() {
    static Palette* palette = Mark(new Palette({}));
    return palette;
  }

 private:
  template <typename T>
  static T* Mark(T* object) {
    object->stock_ = true;
    return object;
  }
};

DeviceContext::DeviceContext()
    : pen_(StockObjects::BlackPen()),
      palette_(StockObjects::EmptyPalette()),
      colour_(ColourOf(*pen_)) {}

DeviceContext::~DeviceContext() {
  Swap(nullptr, pen_);
  Swap(nullptr, palette_);
}

void DeviceContext::Swap(GdiObject* selected, GdiObject* replaced) {
  if (selected && !selected->stock_) ++selected->selections_;
  if (replaced && !replaced->stock_) --replaced->selections_;
}

std::uint32_t DeviceContext::ColourOf(const Pen& pen) const {
  if (!pen.colour.IsPaletteIndex()) return 0xFF000000u | pen.colour.Rgb();
  const std::size_t index = pen.colour.Index();
  if (index >= palette_->entries.size()) return Argb(0, 0, 0);
  const PaletteEntry& e = palette_->entries[index];
  return Argb(e.red, e.green, e.blue);
}

HPALETTE CreatePalette(const LogPalette& description) {
  if (description.version != kPaletteVersion) return nullptr;
  return new Palette(description.entries);
}

HPALETTE SelectPalette(DeviceContext& dc, HPALETTE palette, bool /*forceBackground*/) {
  if (!palette) return nullptr;
  HPALETTE previous = dc.palette_;
  DeviceContext::Swap(palette, previous);
  dc.palette_ = palette;
  dc.colour_ = dc.ColourOf(*dc.pen_);
  return previous;
}

unsigned RealizePalette(DeviceContext& dc) {
  return static_cast<unsigned>(dc.SelectedPalette()->entries.size());
}

HPEN CreatePen(PenStyle style, int width, ColorRef colour) {
  return new Pen(style, std::max(width, 0), colour);
}

HPEN SelectObject(DeviceContext& dc, HPEN pen) {
  if (!pen) return nullptr;
  HPEN previous = dc.pen_;
  DeviceContext::Swap(pen, previous);
  dc.pen_ = pen;
  dc.colour_ = dc.ColourOf(*pen);
  return previous;
}

bool DeleteObject(HGDIOBJ object) {
  if (!object || object->stock_ || object->selections_ > 0) return false;
  delete object;
  return true;
}

bool MoveToEx(DeviceContext& dc, std::int64_t x, std::int64_t y, Point* previous) {
  if (previous) *previous = dc.position_;
  dc.position_ = {Limited(x), Limited(y)};
  return true;
}

bool LineTo(DeviceContext& dc, std::int64_t x, std::int64_t y) {
  const Point to{Limited(x), Limited(y)};
  if (to != dc.position_) dc.PaintLine(dc.position_, to, dc.colour_, dc.pen_->width);
  dc.position_ = to;
  return true;
}

}  // namespace wt::gdi
