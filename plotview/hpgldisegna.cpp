#include "plotview/hpgldisegna.h"

#include <exception>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

#include "common/fileexists.h"
#include "common/handoff.h"
#include "common/linereader.h"
#include "common/numeric.h"
#include "plotview/xparse.h"

namespace wt::plot {
namespace {

// Commands go from the reading thread to the drawing one in batches, two
// batches ahead at most, so that memory stays flat however long the file.
// Where the drawing keeps up, it waits for each batch and is woken for it:
// large batches keep those wake-ups few (a thousand lines cost about as much
// as one of them).
constexpr std::size_t kBatchSize = 16384;
constexpr std::size_t kBatchesAhead = 2;
using Batch = std::vector<PlotCommand>;

// The commands of the next lines of `reader` into `batch`, up to kBatchSize
// of them; false when the file has no more lines (or failed).
bool NextBatch(LineReader& reader, Batch& batch) {
  batch.clear();
  batch.reserve(kBatchSize);
  std::string_view line;
  while (batch.size() < kBatchSize) {
    if (!reader.Next(&line)) return !batch.empty();
    // Read in place: a command built aside and copied in costs more than
    // reading it.
    if (!ReadCommand(line, batch.emplace_back())) batch.pop_back();
  }
  return true;
}

// Why reading failed, or nothing when it did not.
std::string FailureOf(const LineReader& reader) {
  return reader.Failed() ? reader.FailureReason() : std::string();
}

// The lines are read and turned into commands on a thread of their own while
// this one draws the commands read so far. Returns why reading failed, or
// nothing when the whole file was read.
std::string DrawCommands(LineReader& reader, Grafica& grafica) {
  const auto drawBatch = [&grafica](const Batch& batch) {
    for (const PlotCommand& command : batch) RunCommand(grafica, command);
  };
  Handoff<Batch> batches(kBatchesAhead);
  std::exception_ptr failure;
  const auto read = [&] {
    try {
      for (Batch batch; NextBatch(reader, batch);) {
        if (!batches.Put(std::move(batch))) break;
      }
    } catch (...) {
      failure = std::current_exception();
    }
    batches.Close();
  };
  {
    std::jthread reading;
    try {
      reading = std::jthread(read);
    } catch (const std::system_error&) {
      // No thread to be had: read and draw in turn.
      for (Batch batch; NextBatch(reader, batch);) drawBatch(batch);
      return FailureOf(reader);
    }
    // Should drawing end early, the reader stops before it is joined.
    struct StopReading {
      Handoff<Batch>& batches;
      ~StopReading() { batches.Stop(); }
    } stop{batches};
    while (std::optional<Batch> batch = batches.Take()) drawBatch(*batch);
  }
  if (failure) std::rethrow_exception(failure);
  return FailureOf(reader);
}

}  // namespace

bool ReadCommand(std::string_view line, PlotCommand& command) {
  if (line.size() < 2) return false;
  const char a = line[0], b = line[1];
  if (a == 'S' && b == 'P') {
    // The pen number is the third character alone: SP12 selects pen 1.
    const std::optional<std::int16_t> n = WholeNumber16(line.substr(2, 1));
    if (!n) return false;
    command.op = PlotCommand::Op::SelectPen;
    command.v[0] = *n;
    return true;
  }
  int wanted;
  if (a == 'P' && (b == 'U' || b == 'D')) {
    command.op = b == 'U' ? PlotCommand::Op::PenUp : PlotCommand::Op::PenDown;
    wanted = 2;
  } else if ((a == 'I' && b == 'P') || (a == 'S' && b == 'C')) {
    command.op = a == 'I' ? PlotCommand::Op::ScalingPoints : PlotCommand::Op::UserScale;
    wanted = 4;
  } else {
    return false;
  }
  // A line that lacks a parameter, or has one beyond 16 bits, is skipped.
  return ParameterValues(line, wanted, command.v);
}

void RunCommand(Grafica& grafica, const PlotCommand& command) {
  const std::int16_t* v = command.v;
  switch (command.op) {
    case PlotCommand::Op::SelectPen:
      grafica.SelectPlotPen(v[0]);
      break;
    case PlotCommand::Op::ScalingPoints:
      grafica.SetScalingPoints(v[0], v[1], v[2], v[3]);
      break;
    case PlotCommand::Op::UserScale:
      grafica.SetUserScale(v[0], v[1], v[2], v[3]);
      break;
    case PlotCommand::Op::PenUp:
      grafica.PenUpTo(v[0], v[1]);
      break;
    case PlotCommand::Op::PenDown:
      grafica.PenDownTo(v[0], v[1]);
      break;
  }
}

DrawResult HpglReader::DrawPlotFile(gdi::DeviceContext& dc, std::int16_t W) {
  grafica_.BeginPlot(W, dc);
  if (plotFile_.empty() || !FileExists(plotFile_)) {
    grafica_.EndPlot();
    return {DrawStatus::NotFound};
  }

  std::string reason;
  if (std::optional<LineReader> reader = LineReader::Open(plotFile_, &reason)) {
    reason = DrawCommands(*reader, grafica_);
  }  // the file is closed here
  grafica_.EndPlot();
  if (!reason.empty()) return {DrawStatus::ReadError, reason};
  return {DrawStatus::Drawn};
}

}  // namespace wt::plot
