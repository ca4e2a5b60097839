// Measures how fast a large plot file is drawn, against merely reading its
// lines. Usage: wtplot_bench [lines] [width] [walk]; defaults 1000000, 556
// and 0. With walk 0 every point lies anywhere on the frame (long lines, the
// cost is mostly painting); with walk 1 each point is a few units from the
// one before (short lines, the cost is mostly reading).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "common/linereader.h"
#include "plotview/gdi/gdiraster.h"
#include "plotview/hpgldisegna.h"

namespace {

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

}  // namespace

int main(int argc, char** argv) {
  const long lines = argc > 1 ? std::atol(argv[1]) : 1000000;
  const int width = argc > 2 ? std::atoi(argv[2]) : 556;
  const bool walk = argc > 3 && std::atoi(argv[3]) != 0;
  const std::filesystem::path path =
      std::filesystem::temp_directory_path() / ("wtplot_bench_" + std::to_string(lines) + ".hgl");

  {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> x(0, 10430), y(0, 8000), pen(0, 9), step(-40, 40);
    int px = 5000, py = 4000;
    std::ofstream out(path, std::ios::binary);
    out << "IN;\r\nSP1;\r\n";
    for (long i = 0; i < lines; ++i) {
      if (i % 1000 == 0) out << "SP" << pen(random) << ";\r\n";
      if (walk) {
        px = std::clamp(px + step(random), 0, 10430);
        py = std::clamp(py + step(random), 0, 8000);
      } else {
        px = x(random);
        py = y(random);
      }
      out << (i % 4 == 0 ? "PU " : "PD ") << px << ',' << py << ";\r\n";
    }
  }

  auto start = std::chrono::steady_clock::now();
  std::size_t bytes = 0;
  {
    std::optional<wt::LineReader> reader = wt::LineReader::Open(path.string());
    std::string_view line;
    while (reader && reader->Next(&line)) bytes += line.size();
  }
  const double readOnly = Seconds(start);

  wt::gdi::RasterImage image(width, static_cast<int>(width * 0.86), 0xFFFFFFFFu);
  wt::gdi::RasterImageDC dc(image);
  wt::plot::HpglReader reader;
  reader.SetPlotFile(path.string());
  start = std::chrono::steady_clock::now();
  reader.DrawPlotFile(dc, static_cast<std::int16_t>(width));
  const double drawn = Seconds(start);

  std::printf("%ld lines (%zu bytes) on %d pixels: reading %.3f s, drawing %.3f s (%.2fx)\n", lines,
              bytes, width, readOnly, drawn, drawn / readOnly);
  std::filesystem::remove(path);
  return 0;
}
