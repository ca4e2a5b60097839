#include "plotview/hpgldisegna.h"

#include <optional>

#include "common/fileexists.h"
#include "common/linereader.h"
#include "common/numeric.h"
#include "plotview/xparse.h"

namespace wt::plot {

DrawResult HpglReader::DrawPlotFile(gdi::DeviceContext& dc, std::int16_t W) {
  grafica_.BeginPlot(W, dc);
  if (plotFile_.empty() || !FileExists(plotFile_)) {
    grafica_.EndPlot();
    return {DrawStatus::NotFound};
  }

  std::string reason;
  {
    std::optional<LineReader> reader = LineReader::Open(plotFile_, &reason);
    std::string_view line;
    while (reader && reader->Next(&line)) DoLine(line);
    if (reader) reason = reader->Failed() ? reader->FailureReason() : "";
  }  // the file is closed here
  grafica_.EndPlot();
  if (!reason.empty()) return {DrawStatus::ReadError, reason};
  return {DrawStatus::Drawn};
}

void HpglReader::DoLine(std::string_view line) {
  if (line.size() < 2) return;
  const char a = line[0], b = line[1];

  if (a == 'S' && b == 'P') {
    // The pen number is the third character alone: SP12 selects pen 1.
    std::optional<std::int16_t> n = WholeNumber16(line.substr(2, 1));
    if (n) grafica_.SelectPlotPen(*n);
    return;
  }

  int wanted;
  if ((a == 'P' && (b == 'U' || b == 'D'))) {
    wanted = 2;
  } else if ((a == 'I' && b == 'P') || (a == 'S' && b == 'C')) {
    wanted = 4;
  } else {
    return;
  }
  // A line that lacks a parameter, or has one beyond 16 bits, is skipped.
  std::int16_t v[4];
  if (!ParameterValues(line, wanted, v)) return;

  if (a == 'P') {
    if (b == 'U') {
      grafica_.PenUpTo(v[0], v[1]);
    } else {
      grafica_.PenDownTo(v[0], v[1]);
    }
  } else if (a == 'I') {
    grafica_.SetScalingPoints(v[0], v[1], v[2], v[3]);
  } else {
    grafica_.SetUserScale(v[0], v[1], v[2], v[3]);
  }
}

}  // namespace wt::plot
