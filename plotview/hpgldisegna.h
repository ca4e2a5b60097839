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
#include <optional>
#include <string>
#include <string_view>

#include "plotview/gdi/gdi.h"
#include "plotview/grafica.h"

namespace wt::plot {

// What became of a drawing of the plot file.
enum class DrawStatus {
  Drawn,      // the whole file was read and drawn
  NotFound,   // no file name, or no such file: nothing was drawn
  ReadError,  // the file failed while being read: the lines before it were drawn
};

struct DrawResult {
  DrawStatus status = DrawStatus::Drawn;
  std::string reason;  // ReadError: why, in LineReader's words
  friend bool operator==(const DrawResult&, const DrawResult&) = default;
};

// One command of a plot file, as read from its line.
struct PlotCommand {
  enum class Op : std::uint8_t { SelectPen, ScalingPoints, UserScale, PenUp, PenDown };
  Op op;
  std::int16_t v[4];  // the parameters in line order; SelectPen: the pen in v[0]
  friend bool operator==(const PlotCommand&, const PlotCommand&) = default;
};

// The command of one line into `command`. False, with `command` holding
// nothing of use, for a line that holds none, or one that lacks a parameter
// or has one beyond 16 bits.
bool ReadCommand(std::string_view line, PlotCommand& command);

// Carries out `command` on `grafica`, whose drawing is open.
void RunCommand(Grafica& grafica, const PlotCommand& command);

// The reader shows nothing itself: what a drawing came to is its caller's to
// tell the user.
class HpglReader {
 public:
  // The plot file: a system path, absolute or relative to the current folder.
  void SetPlotFile(std::string path) { plotFile_ = std::move(path); }
  const std::string& PlotFile() const { return plotFile_; }

  // Reads the plot file from its start and draws it on `dc`, a surface W
  // pixels wide, between BeginPlot and EndPlot; `dc` gets back the pen and
  // palette it had. The file is open only during the call. An empty file name
  // or no such file is NotFound, with nothing drawn; a file that fails while
  // being read is ReadError, after the lines before the failure are drawn.
  // The file is read on a thread of its own while this one draws; `dc` is
  // used on this thread alone.
  DrawResult DrawPlotFile(gdi::DeviceContext& dc, std::int16_t W);

  Grafica& Renderer() { return grafica_; }

 private:
  std::string plotFile_;
  Grafica grafica_;
};

}  // namespace wt::plot
