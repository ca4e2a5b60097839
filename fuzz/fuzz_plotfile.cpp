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

// The tokens of a line by the plain rule: runs of characters that are
// neither a comma nor a blank.
std::vector<std::string_view> Tokens(std::string_view line) {
  std::vector<std::string_view> tokens;
  std::size_t i = 0;
  while (i < line.size()) {
    if (line[i] == ',' || line[i] == ' ') {
      ++i;
      continue;
    }
    const std::size_t start = i;
    while (i < line.size() && line[i] != ',' && line[i] != ' ') ++i;
    tokens.push_back(line.substr(start, i - start));
  }
  return tokens;
}

// The parameters 2 to n + 1 read as the general rule reads each token: all
// of them when the line has them and each fits, else false.
void CheckParameters(std::string_view line) {
  const std::vector<std::string_view> tokens = Tokens(line);
  constexpr int kMost = 30;
  std::int16_t values[kMost];
  bool fit = true;
  for (int n = 1; n <= kMost; ++n) {
    if (static_cast<std::size_t>(n) >= tokens.size()) {
      FUZZ_CHECK(!wt::plot::ParameterValues(line, n, values));
      break;
    }
    const std::optional<std::int16_t> plain =
        wt::WholeNumber16(tokens[static_cast<std::size_t>(n)]);
    fit = fit && plain.has_value();
    FUZZ_CHECK(wt::plot::ParameterValues(line, n, values) == fit);
    if (!fit) break;
    FUZZ_CHECK(values[n - 1] == *plain);
  }
}

// The lines of the file as the line reader cuts them: at CR LF, LF or CR.
void CheckEveryLine(std::string_view file) {
  std::size_t start = 0;
  while (start < file.size()) {
    std::size_t end = file.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = file.size();
    CheckParameters(file.substr(start, end - start));
    start = end + 1;
    if (end < file.size() && file[end] == '\r' && start < file.size() && file[start] == '\n') {
      ++start;
    }
  }
}

// The pixels of a surface, ending where a page that faults when touched
// begins, with a row of gap pixels before them. The block is made once for
// the largest surface and kept, so that a run costs no more than the pages
// it paints; the surface itself is left unset, as nothing reads it.
class GuardedPixels {
 public:
  explicit GuardedPixels(std::size_t largest) {
    const std::size_t page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
    bytes_ = (largest * sizeof(std::uint32_t) + page - 1) / page * page + page;
    void* block = mmap(nullptr, bytes_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    FUZZ_CHECK(block != MAP_FAILED);
    block_ = static_cast<char*>(block);
    FUZZ_CHECK(mprotect(block_ + bytes_ - page, page, PROT_NONE) == 0);
    end_ = reinterpret_cast<std::uint32_t*>(block_ + bytes_ - page);
  }
  GuardedPixels(const GuardedPixels&) = delete;
  GuardedPixels& operator=(const GuardedPixels&) = delete;
  ~GuardedPixels() { munmap(block_, bytes_); }

  // `count` pixels (at most `largest` less `before`) with `before` gap
  // pixels ahead of them.
  std::uint32_t* Place(std::size_t count, std::size_t before) {
    pixels_ = end_ - count;
    before_ = before;
    for (std::size_t i = 1; i <= before_; ++i) pixels_[-static_cast<std::ptrdiff_t>(i)] = kGapPixel;
    return pixels_;
  }
  bool GapBeforeUntouched() const {
    for (std::size_t i = 1; i <= before_; ++i) {
      if (pixels_[-static_cast<std::ptrdiff_t>(i)] != kGapPixel) return false;
    }
    return true;
  }

 private:
  char* block_ = nullptr;
  std::size_t bytes_ = 0;
  std::uint32_t* end_ = nullptr;
  std::uint32_t* pixels_ = nullptr;
  std::size_t before_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 4) return 0;
  const int width = 1 + (data[0] | data[1] << 8) % 5000;
  const int height = 1 + (data[2] | data[3] << 8) % 5000;
  const int gap = 1 + (data[3] >> 5);
  const std::string_view file(reinterpret_cast<const char*>(data + 4), size - 4);
  CheckEveryLine(file);

  const std::string path = wt::fuzz::Scratch::Get().Write("plot.hgl", file);
  // Rows `gap` pixels longer than the surface and one row of gap before
  // the first: a pixel painted off the surface lands in a gap or faults.
  constexpr std::size_t kLargestStride = 5000 + 8;
  static GuardedPixels block((kLargestStride + 1) * 5000);
  const std::size_t stride = static_cast<std::size_t>(width + gap);
  std::uint32_t* pixels = block.Place(stride * static_cast<std::size_t>(height), stride);
  for (std::size_t row = 0; row < static_cast<std::size_t>(height); ++row) {
    for (std::size_t x = static_cast<std::size_t>(width); x < stride; ++x) {
      pixels[row * stride + x] = kGapPixel;
    }
  }
  wt::gdi::RasterDC dc(pixels, width, height, static_cast<std::ptrdiff_t>(stride));
  const wt::gdi::HPEN pen = dc.SelectedPen();
  const wt::gdi::HPALETTE palette = dc.SelectedPalette();

  const wt::plot::DrawResult wholePlot{wt::plot::DrawStatus::Drawn};
  wt::plot::HpglReader reader;
  reader.SetPlotFile(path);
  FUZZ_CHECK(reader.DrawPlotFile(dc, static_cast<std::int16_t>(width)) == wholePlot);
  // The drawing gave back what it selected and kept nothing selected.
  FUZZ_CHECK(dc.SelectedPen() == pen);
  FUZZ_CHECK(dc.SelectedPalette() == palette);
  for (std::size_t row = 0; row < static_cast<std::size_t>(height); ++row) {
    for (std::size_t x = static_cast<std::size_t>(width); x < stride; ++x) {
      FUZZ_CHECK(pixels[row * stride + x] == kGapPixel);
    }
  }
  FUZZ_CHECK(block.GapBeforeUntouched());

  // On a surface small enough to compare: the reader's second drawing
  // paints what a fresh reader's first paints (each drawing starts from the
  // default scale and pen), and only in the pens' colours.
  if (static_cast<std::size_t>(width) * static_cast<std::size_t>(height) <= (1u << 18)) {
    std::uint32_t colours[wt::plot::kPenCount];
    for (int i = 0; i < wt::plot::kPenCount; ++i) {
      const wt::gdi::PaletteEntry& e = wt::plot::kPenPaletteColours[static_cast<std::size_t>(i)];
      colours[i] = i == wt::plot::kPenCount - 1 ? wt::gdi::Argb(0, 0, 0)
                                                : wt::gdi::Argb(e.red, e.green, e.blue);
    }
    wt::plot::HpglReader fresh;
    fresh.SetPlotFile(path);
    std::vector<std::uint32_t> drawn[2];
    for (int i = 0; i < 2; ++i) {
      wt::plot::HpglReader& by = i == 0 ? fresh : reader;
      wt::gdi::RasterImage surface(width, height, 0);
      wt::gdi::RasterImageDC imageDC(surface);
      FUZZ_CHECK(by.DrawPlotFile(imageDC, static_cast<std::int16_t>(width)) == wholePlot);
      drawn[i].assign(surface.Data(), surface.Data() + width * height);
    }
    FUZZ_CHECK(drawn[0] == drawn[1]);
    for (std::uint32_t pixel : drawn[0]) {
      FUZZ_CHECK(pixel == 0 ||
                 std::find(std::begin(colours), std::end(colours), pixel) != std::end(colours));
    }
  }
  return 0;
}
