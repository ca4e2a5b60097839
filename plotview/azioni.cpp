#include "plotview/azioni.h"

#include <algorithm>

namespace wt::plot {
namespace {

constexpr char kJobTitle[] = "wtplot";
constexpr char kFileNotFound[] = "001 File not found";

std::int16_t Width16(int pixels) {
  return static_cast<std::int16_t>(std::clamp(pixels, 0, 32767));
}

}  // namespace

Azioni::Azioni(Desktop& desktop, PrintJobOpener openPrintJob)
    : desktop_(desktop), openPrintJob_(std::move(openPrintJob)) {
  if (!openPrintJob_) {
    openPrintJob_ = [](std::string* reason) { return gdi::OpenDefaultPrintJob(kJobTitle, reason); };
  }
  window_ = std::make_unique<WTPLOTR>(desktop_, [this] { PrintPlot(); });
}

std::optional<int> Azioni::Start(const StartChoice& choice) {
  if (choice.print) {
    reader_.SetPlotFile(choice.plotFile);
    return PrintPlot() ? 0 : 1;
  }
  DrawInWindow(choice.plotFile);
  window_->show();
  return std::nullopt;
}

void Azioni::DrawInWindow(const std::string& path) {
  reader_.SetPlotFile(path);
  DrawResult result;
  window_->DrawPicture([&](gdi::DeviceContext& dc, int width) {
    result = reader_.DrawPlotFile(dc, Width16(width));
  });
  Report(result);
}

bool Azioni::PrintPlot() {
  std::string reason;
  std::unique_ptr<gdi::PrintJob> job = openPrintJob_(&reason);
  if (!job) {
    desktop_.ShowMessage({reason, "Warning", MessageIcon::Critical});
    return false;
  }
  // A message about the file comes before the page goes to the printer.
  const bool drawn = Report(reader_.DrawPlotFile(job->DC(), Width16(job->PageWidth())));
  if (!job->End(&reason)) {
    desktop_.ShowMessage({reason, "Warning", MessageIcon::Critical});
    return false;
  }
  return drawn;
}

bool Azioni::Report(const DrawResult& result) {
  switch (result.status) {
    case DrawStatus::Drawn:
      return true;
    case DrawStatus::NotFound:
      desktop_.ShowMessage({kFileNotFound});
      return false;
    case DrawStatus::ReadError:
      desktop_.ShowMessage({"File " + reader_.PlotFile() + " cannot be read: " + result.reason,
                            "Warning", MessageIcon::Critical});
      return false;
  }
  return false;
}

}  // namespace wt::plot
