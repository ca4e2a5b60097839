// Azioni: the viewer's start routine and its two ways of drawing the plot,
// into the window's picture and onto a printer page, and what the user is
// told of either.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/desktop.h"
#include "plotview/commandline.h"
#include "plotview/gdiprinter.h"
#include "plotview/hpgldisegna.h"
#include "plotview/wtplotr.h"

namespace wt::plot {

class Azioni {
 public:
  // Opens a print job; nothing, with a sentence for the user, when none can
  // be opened.
  using PrintJobOpener = std::function<std::unique_ptr<gdi::PrintJob>(std::string* reason)>;

  // Messages go to `desktop`; print jobs come from `openPrintJob`, by default
  // the system's default printer. Loads the window WTPLOTR without showing
  // it.
  explicit Azioni(Desktop& desktop, PrintJobOpener openPrintJob = {});

  // The start routine. Window mode: draws the chosen file into the picture,
  // shows the window and returns nothing; the program then runs on the
  // window's events. Print mode: prints the file and returns the exit status,
  // 0 when the page was printed, 1 after an error message.
  std::optional<int> Start(const StartChoice& choice);

  // Draws the plot file `path` into the picture; `path` becomes the plot file.
  void DrawInWindow(const std::string& path);

  // Prints the plot file, read again from disk, on one page. False after an
  // error message (no printer, no file, a page the printer refused).
  bool PrintPlot();

  WTPLOTR& Window() { return *window_; }
  HpglReader& Reader() { return reader_; }

 private:
  // Tells the user what a drawing came to, unless the plot was drawn: a file
  // not found is "001 File not found" (no title, no icon); a file that failed
  // while being read is named with the reason. True when it was drawn.
  bool Report(const DrawResult& result);

  Desktop& desktop_;
  PrintJobOpener openPrintJob_;
  HpglReader reader_;
  std::unique_ptr<WTPLOTR> window_;
};

}  // namespace wt::plot
