// The printer page of the GDI-shaped drawing, and print jobs on the
// system's default printer.
#pragma once

#include <QPainter>
#include <QRect>
#include <memory>
#include <string>

#include "plotview/gdi/gdi.h"

namespace wt::gdi {

// A device context over a painter, in the pixels of its paint device (a
// printer page, or an image in tests). Lines are clipped to `page` and drawn
// with flat ends, so that a line one pixel wide leaves its end pixel out as
// on the raster surface. A pen of width 0 draws the thinnest line the device
// can.
class PainterDC : public DeviceContext {
 public:
  PainterDC(QPainter& painter, QRect page);

 protected:
  void PaintLine(Point from, Point to, std::uint32_t argb, int width) override;

 private:
  QPainter& painter_;
  QRect page_;
  std::uint32_t penArgb_ = 0;
  int penWidth_ = -1;  // none set yet
};

// One page being printed.
class PrintJob {
 public:
  virtual ~PrintJob() = default;
  virtual DeviceContext& DC() = 0;
  // The printable width of the page in device pixels.
  virtual int PageWidth() const = 0;
  // Ends the job, which sends the page to the printer. False, with the
  // reason, when the printer refused it.
  virtual bool End(std::string* reason) = 0;
};

// Opens a job of one page, named `title`, on the system's default printer;
// the job and its first page are open when this returns. Nothing when no
// printer is installed or the job cannot start; `reason` then holds a
// sentence for the user ("No printer is installed").
std::unique_ptr<PrintJob> OpenDefaultPrintJob(const std::string& title, std::string* reason);

}  // namespace wt::gdi
