// hpgldisegna: reading a plot file and drawing its commands.
//
// A plot file is a text file with at most one command a line. The mnemonic
// is the line's first two characters, compared case-sensitively:
//   IP p1x,p1y,p2x,p2y   scaling points        SC xmin,xmax,ymin,ymax  user scale
//   SP<n>                pen n, from the line's third character alone (0 to 9)
//   PU x,y               move                  PD x,y                  draw
// Parameters are tokens 2 onwards (see xparse.h); later tokens are ignored.
// Every other line is ignored. A PU or PD line with fewer than two parameters,
// an IP or SC line with fewer than four, and a line with a parameter that
// does not fit 16 bits are skipped as well.
#pragma once

#include <cstdint>
#include <string>

#include "platform/desktop.h"
#include "platform/gdi.h"
#include "plotview/grafica.h"
#include "plotview/xparse.h"

namespace wt::plot {

inline constexpr char kFileNotFound[] = "001 File not found";

class HpglReader {
 public:
  // Messages go to `desktop`, which must outlive the reader.
  explicit HpglReader(Desktop& desktop) : desktop_(desktop) {}

  // The plot file: a system path, absolute or relative to the current folder.
  void SetPlotFile(std::string path) { plotFile_ = std::move(path); }
  const std::string& PlotFile() const { return plotFile_; }

  // The device context the next drawing goes to; it must outlive it.
  void SetTargetDC(gdi::DeviceContext* dc) { targetDC_ = dc; }

  // Reads the plot file from its start and draws it on the target, a surface
  // W pixels wide, between BeginPlot and EndPlot. The file is open only
  // during the call. When the file name is empty or no such file exists the
  // message "001 File not found" (no title, no icon) is shown and nothing is
  // drawn; a file that fails while being read (an OS error, a line longer
  // than LineReader::kMaxLineLength) is reported with its name and the
  // reason, after the lines before the failure are drawn.
  // Returns false after such a message, or when no target is set.
  bool DrawPlotFile(std::int16_t W);

  Grafica& Renderer() { return grafica_; }

 private:
  void DoLine(std::string_view line);

  Desktop& desktop_;
  std::string plotFile_;
  gdi::DeviceContext* targetDC_ = nullptr;
  TokenTable tokens_;
  Grafica grafica_;
};

}  // namespace wt::plot
