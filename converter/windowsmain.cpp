// The windows of xkryst, loaded by its main when a display is wanted.
#include <QCoreApplication>
#include <memory>
#include <optional>

#include "converter/form1.h"
#include "converter/main1.h"
#include "converter/windowsentry.h"
#include "platform/qtapp.h"
#include "platform/qtdesktop.h"

extern "C" __attribute__((visibility("default"))) int wt_xkryst_windows(int* argc, char** argv,
                                                                        const char* tail) {
  std::unique_ptr<QApplication> app = wt::MakeApplication(*argc, argv);
  // A display that cannot be reached: the console serves as well.
  if (!wt::DisplayReached()) return wt::kNoDisplay;
  app->setQuitOnLastWindowClosed(false);  // every way out of Form1 ends the program itself
  wt::QtDesktop desktop("WTarvo");
  wt::Converter converter(desktop);
  if (std::optional<int> status = converter.StartRoutine(tail)) return *status;
  wt::Form1 form(converter, [](int status) { QCoreApplication::exit(status); });
  form.show();
  form.SetRangeLabel();
  return app->exec();
}
