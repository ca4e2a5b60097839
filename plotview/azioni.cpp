#include "plotview/azioni.h"

#include <QLayout>
#include <algorithm>

#include "plotview/gdi/gdiraster.h"

namespace wt::plot {
namespace {

constexpr char kJobTitle[] = "wtplot";

std::int16_t Width16(int pixels) {
  return static_cast<std::int16_t>(std::clamp(pixels, 0, 32767));
}

}  // namespace

Azioni::Azioni(Desktop& desktop, PrintJobOpener openPrintJob)
    : desktop_(desktop), openPrintJob_(std::move(openPrintJob)), reader_(desktop) {
  if (!openPrintJob_) {
    openPrintJob_ = [](std::string* reason) { return gdi::OpenDefaultPrintJob(kJobTitle, reason); };
  }
  window_ = std::make_unique<WTPLOTR>(desktop_, [this] { PrintPlot(); });
  // Lay the hidden window out so that its client area has its size now.
  window_->layout()->activate();
  window_->hpglout->resize(kClientWidth, window_->client->height());
  window_->hpglout->SwitchOnRetainedImage();
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
  Hpglout& picture = *window_->hpglout;
  picture.SwitchOnRetainedImage();
  QImage& image = picture.Image();
  // bits() makes the image's pixels its own before they are drawn on.
  gdi::RasterDC dc(reinterpret_cast<std::uint32_t*>(image.bits()), image.width(), image.height(),
                   image.bytesPerLine() / 4);
  reader_.SetPlotFile(path);
  reader_.SetTargetDC(&dc);
  reader_.DrawPlotFile(Width16(picture.width()));
  reader_.SetTargetDC(nullptr);
  picture.update();
}

bool Azioni::PrintPlot() {
  std::string reason;
  std::unique_ptr<gdi::PrintJob> job = openPrintJob_(&reason);
  if (!job) {
    desktop_.ShowMessage({reason, "Warning", MessageIcon::Critical});
    return false;
  }
  reader_.SetTargetDC(&job->DC());
  const bool drawn = reader_.DrawPlotFile(Width16(job->PageWidth()));
  reader_.SetTargetDC(nullptr);
  if (!job->End(&reason)) {
    desktop_.ShowMessage({reason, "Warning", MessageIcon::Critical});
    return false;
  }
  return drawn;
}

}  // namespace wt::plot
