#include "plotview/gdiprinter.h"

#include <QPrinter>
#include <QPrinterInfo>
#include <algorithm>

#include "platform/qttext.h"

namespace wt::gdi {
namespace {

// Clips the segment p0-p1 to `box` (Liang-Barsky). False when nothing of it
// lies inside. Painters misdraw coordinates far beyond their device, so the
// line handed over never leaves the page by more than the margin of `box`.
bool ClipToBox(QPointF& p0, QPointF& p1, const QRectF& box) {
  const double dx = p1.x() - p0.x(), dy = p1.y() - p0.y();
  double t0 = 0.0, t1 = 1.0;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {p0.x() - box.left(), box.right() - p0.x(), p0.y() - box.top(),
                       box.bottom() - p0.y()};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0.0) {
      if (q[i] < 0.0) return false;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0.0) {
      if (t > t1) return false;
      t0 = std::max(t0, t);
    } else {
      if (t < t0) return false;
      t1 = std::min(t1, t);
    }
  }
  const QPointF start = p0;
  p0 = start + QPointF(dx, dy) * t0;
  p1 = start + QPointF(dx, dy) * t1;
  return true;
}

class PrinterJob : public PrintJob {
 public:
  explicit PrinterJob(const QPrinterInfo& printer) : printer_(printer, QPrinter::HighResolution) {}

  bool Begin(const std::string& title) {
    printer_.setDocName(ToQt(title));
    if (!painter_.begin(&printer_)) return false;
    dc_ = std::make_unique<PainterDC>(painter_, QRect(0, 0, printer_.width(), printer_.height()));
    return true;
  }
  DeviceContext& DC() override { return *dc_; }
  int PageWidth() const override { return printer_.width(); }
  bool End(std::string* reason) override {
    dc_.reset();
    if (painter_.end() && printer_.printerState() != QPrinter::Error) return true;
    if (reason) *reason = "The printer " + FromQt(printer_.printerName()) + " refused the page";
    return false;
  }

 private:
  QPrinter printer_;
  QPainter painter_;
  std::unique_ptr<PainterDC> dc_;
};

}  // namespace

PainterDC::PainterDC(QPainter& painter, QRect page) : painter_(painter), page_(page) {}

void PainterDC::PaintLine(Point from, Point to, std::uint32_t argb, int width) {
  QPointF p0(static_cast<double>(from.x), static_cast<double>(from.y));
  QPointF p1(static_cast<double>(to.x), static_cast<double>(to.y));
  const double margin = 2.0 + width;
  if (!ClipToBox(p0, p1, QRectF(page_).adjusted(-margin, -margin, margin, margin))) return;
  if (argb != penArgb_ || width != penWidth_) {
    QPen pen(QColor::fromRgb(argb), width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    painter_.setPen(pen);
    penArgb_ = argb;
    penWidth_ = width;
  }
  painter_.drawLine(QLineF(p0, p1));
}

std::unique_ptr<PrintJob> OpenDefaultPrintJob(const std::string& title, std::string* reason) {
  const QPrinterInfo printer = QPrinterInfo::defaultPrinter();
  if (printer.isNull()) {
    if (reason) *reason = "No printer is installed";
    return nullptr;
  }
  auto job = std::make_unique<PrinterJob>(printer);
  if (!job->Begin(title)) {
    if (reason) *reason = "The printer " + FromQt(printer.printerName()) + " cannot print";
    return nullptr;
  }
  return job;
}

}  // namespace wt::gdi
