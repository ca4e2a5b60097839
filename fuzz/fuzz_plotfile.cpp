// Any bytes as a plot file, drawn by the HP-GL reader and the renderer on a
// raster surface of any size, and every line through the parameter reader.
//
// Input: bytes 0-1 give the surface width (1 to 5000 pixels), bytes 2-3 its
// height (1 to 5000); byte 3 also gives a gap of 1 to 8 pixels after each
// row. The rest is the plot file.
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/numeric.h"
#include "fuzz/fuzzcheck.h"
#include "plotview/gdi/gdiraster.h"
#include "plotview/grafica.h"
#include "plotview/hpgldisegna.h"
#include "plotview/xparse.h"

namespace {

constexpr std::uint32_t kGapPixel = 0x12345678;  // no pen draws it: alpha is not 0xFF

// The parameters 2 to n + 1 of each line (cut at CR LF, LF or CR) read as
// WholeNumber16 reads each token the plain rule cuts (runs of characters
// that are neither a comma nor a blank): all of them when the line has them
// and each fits, else false.
void CheckParameters(std::string_view file) {
  std::string line;
  for (std::size_t i = 0; i <= file.size(); ++i) {
    if (i < file.size() && file[i] != '\r' && file[i] != '\n') {
      line += file[i];
      continue;
    }
    std::vector<std::string> tokens;
    for (std::size_t t = line.find_first_not_of(", "); t != std::string::npos;) {
      const std::size_t end = std::min(line.find_first_of(", ", t), line.size());
      tokens.push_back(line.substr(t, end - t));
      t = line.find_first_not_of(", ", end);
    }
    std::int16_t values[30];
    for (std::size_t n = 1; n <= 30; ++n) {
      const std::optional<std::int16_t> plain =
          n < tokens.size() ? wt::WholeNumber16(tokens[n]) : std::nullopt;
      FUZZ_CHECK(wt::plot::ParameterValues(line, static_cast<int>(n), values) == plain.has_value());
      if (!plain) break;
      FUZZ_CHECK(values[n - 1] == *plain);
    }
    line.clear();
    if (i + 1 < file.size() && file[i] == '\r' && file[i + 1] == '\n') ++i;
  }
}

// A block of pixels that ends where a page that faults when touched begins,
// made once for the largest surface and kept, so that a run costs no more
// than the pages it paints.
std::uint32_t* GuardedEnd(std::size_t largest) {
  const std::size_t page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
  const std::size_t bytes = (largest * sizeof(std::uint32_t) + page - 1) / page * page + page;
  void* block = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  FUZZ_CHECK(block != MAP_FAILED);
  char* guard = static_cast<char*>(block) + bytes - page;
  FUZZ_CHECK(mprotect(guard, page, PROT_NONE) == 0);
  return reinterpret_cast<std::uint32_t*>(guard);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 4) return 0;
  const int width = 1 + (data[0] | data[1] << 8) % 5000;
  const int height = 1 + (data[2] | data[3] << 8) % 5000;
  const std::size_t stride = static_cast<std::size_t>(width + 1 + (data[3] >> 5));
  const std::string_view file(reinterpret_cast<const char*>(data + 4), size - 4);
  CheckParameters(file);

  // Rows `stride - width` pixels longer than the surface, one row of gap
  // before the first and the guard page after the last: a pixel painted off
  // the surface lands in a gap or faults.
  static std::uint32_t* const end = GuardedEnd((5000 + 8 + 1) * 5001);
  std::uint32_t* const pixels = end - stride * static_cast<std::size_t>(height);
  const auto forEachGap = [&](auto visit) {
    for (std::uint32_t* row = pixels - stride; row < end; row += stride) {
      for (std::size_t x = row < pixels ? 0 : static_cast<std::size_t>(width); x < stride; ++x) {
        visit(row[x]);
      }
    }
  };
  forEachGap([](std::uint32_t& pixel) { pixel = kGapPixel; });
  wt::gdi::RasterDC dc(pixels, width, height, static_cast<std::ptrdiff_t>(stride));
  const wt::gdi::HPEN pen = dc.SelectedPen();
  const wt::gdi::HPALETTE palette = dc.SelectedPalette();
  const std::string path = wt::fuzz::Scratch::Get().Write("plot.hgl", file);
  const wt::plot::DrawResult wholePlot{wt::plot::DrawStatus::Drawn};
  wt::plot::HpglReader reader;
  reader.SetPlotFile(path);
  FUZZ_CHECK(reader.DrawPlotFile(dc, static_cast<std::int16_t>(width)) == wholePlot);
  forEachGap([](std::uint32_t pixel) { FUZZ_CHECK(pixel == kGapPixel); });
  // The drawing gave back what it selected.
  FUZZ_CHECK(dc.SelectedPen() == pen && dc.SelectedPalette() == palette);

  // On a surface small enough to compare: the reader's second drawing
  // paints what a fresh reader's first paints (each drawing starts from the
  // default scale and pen), and only in the pens' colours.
  if (static_cast<std::size_t>(width) * static_cast<std::size_t>(height) > (1u << 18)) return 0;
  std::vector<std::uint32_t> colours = {0};
  for (int i = 0; i < wt::plot::kPenCount; ++i) {
    const wt::gdi::PaletteEntry& e = wt::plot::kPenPaletteColours[static_cast<std::size_t>(i)];
    colours.push_back(i == wt::plot::kPenCount - 1 ? wt::gdi::Argb(0, 0, 0)
                                                   : wt::gdi::Argb(e.red, e.green, e.blue));
  }
  wt::plot::HpglReader fresh;
  fresh.SetPlotFile(path);
  std::vector<std::uint32_t> drawn[2];
  for (int i = 0; i < 2; ++i) {
    wt::gdi::RasterImage surface(width, height, 0);
    wt::gdi::RasterImageDC imageDC(surface);
    FUZZ_CHECK((i == 0 ? fresh : reader).DrawPlotFile(imageDC, static_cast<std::int16_t>(width)) ==
               wholePlot);
    drawn[i].assign(surface.Data(), surface.Data() + width * height);
  }
  FUZZ_CHECK(drawn[0] == drawn[1]);
  for (std::uint32_t pixel : drawn[0]) {
    FUZZ_CHECK(std::find(colours.begin(), colours.end(), pixel) != colours.end());
  }
  return 0;
}
