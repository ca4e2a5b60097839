// Draws a plot file as the viewer does, into a raster image as wide as the
// viewer's picture, and writes the image as a binary PPM file: the viewer's
// reading and rendering, measured as a whole process.
//
//   plotrender FILE OUT.ppm [WIDTH]     WIDTH defaults to 556 pixels
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "plotview/gdi/gdiraster.h"
#include "plotview/hpgldisegna.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: plotrender FILE OUT.ppm [WIDTH]\n");
    return 2;
  }
  const int width = argc > 3 ? std::atoi(argv[3]) : 556;
  if (width < 1 || width > 32767) return 2;
  const int height = 476 * width / 556;
  wt::gdi::RasterImage image(width, height, 0xFFFFFFFFu);
  wt::gdi::RasterImageDC dc(image);
  wt::plot::HpglReader reader;
  reader.SetPlotFile(argv[1]);
  const wt::plot::DrawResult result = reader.DrawPlotFile(dc, static_cast<std::int16_t>(width));
  if (result.status != wt::plot::DrawStatus::Drawn) {
    std::fprintf(
        stderr, "plotrender: %s: %s\n", argv[1],
        result.status == wt::plot::DrawStatus::NotFound ? "not found" : result.reason.c_str());
    return 1;
  }

  std::FILE* out = std::fopen(argv[2], "wb");
  if (!out) {
    std::perror(argv[2]);
    return 1;
  }
  std::fprintf(out, "P6\n%d %d\n255\n", width, height);
  std::vector<unsigned char> row(static_cast<std::size_t>(width) * 3);
  const std::uint32_t* pixels = image.Data();
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      std::uint32_t p = pixels[static_cast<std::size_t>(y) * width + x];
      row[3 * x] = static_cast<unsigned char>(p >> 16);
      row[3 * x + 1] = static_cast<unsigned char>(p >> 8);
      row[3 * x + 2] = static_cast<unsigned char>(p);
    }
    std::fwrite(row.data(), 1, row.size(), out);
  }
  return std::fclose(out) == 0 ? 0 : 1;
}
