#include "plotview/azioni.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QTest>
#include <QWindow>
#include <filesystem>
#include <optional>

#include "platform/recorder.h"
#include "platform/testenv.h"
#include "platform/tests/noaccess.h"
#include "platform/tests/tempdrives.h"
#include "platform/tests/testfolder.h"

namespace wt::plot {
namespace {

namespace fs = std::filesystem;

const QRgb kRed = qRgb(255, 0, 0);
const QRgb kWhite = qRgb(255, 255, 255);

class AzioniTest : public ::testing::Test {
 protected:
  // A print job whose page is page_, an image 1000 pixels wide.
  class Job : public gdi::PrintJob {
   public:
    explicit Job(AzioniTest& test)
        : test_(test), painter_(&test.page_), dc_(painter_, test.page_.rect()) {}
    gdi::DeviceContext& DC() override { return dc_; }
    int PageWidth() const override { return 1000; }
    bool End(std::string* reason) override {
      painter_.end();
      ++test_.ended_;
      if (test_.refusePage_) *reason = "The printer PDF refused the page";
      return !test_.refusePage_;
    }

   private:
    AzioniTest& test_;
    QPainter painter_;
    gdi::PainterDC dc_;
  };

  void SetUp() override { testing::WriteBytes("plot.hgl", "SP9\r\nPU 0,0\r\nPD 10430,8000\r\n"); }
  void TearDown() override {
    azioni_.reset();
    inFolder_.reset();
    fs::remove_all(folder_);
  }

  Azioni& Make() {
    azioni_ = std::make_unique<Azioni>(
        desktop_, [this](std::string* reason) -> std::unique_ptr<gdi::PrintJob> {
          ++opened_;
          if (noPrinter_) {
            *reason = "No printer is installed";
            return nullptr;
          }
          page_ = QImage(1000, 1400, QImage::Format_RGB32);
          page_.fill(Qt::white);
          return std::make_unique<Job>(*this);
        });
    return *azioni_;
  }
  // The viewer started on plot.hgl in window mode.
  void Show() { ASSERT_EQ(Make().Start({"plot.hgl", false}), std::nullopt); }

  // The message boxes shown, one a line: "TITLE/ICON: TEXT", "+Cancel" after
  // the title of a box with a Cancel button; then forgotten.
  std::string Messages() {
    static const char* const kIcons[] = {"-", "i", "stop"};
    std::string log;
    for (const Message& m : desktop_.Messages()) {
      if (!log.empty()) log += '\n';
      log += m.title + (m.buttons == MessageButtons::OkCancel ? "+Cancel/" : "/") +
             kIcons[static_cast<int>(m.icon)] + ": " + m.text;
    }
    desktop_.Clear();
    return log;
  }

  WTPLOTR& Window() { return azioni_->Window(); }
  // A control of the window by its name.
  template <typename Control>
  Control* Get(const char* name) {
    auto* control = Window().findChild<Control*>(QString::fromLatin1(name));
    EXPECT_NE(control, nullptr) << name;
    return control;
  }
  Hpglout* PictureBox() { return Get<Hpglout>("hpglout"); }
  void Trigger(const char* action) { Get<QAction>(action)->trigger(); }
  QImage& Picture() { return PictureBox()->Image(); }
  QRgb Background() { return PictureBox()->palette().color(QPalette::Base).rgb(); }
  static bool All(const QImage& image, QRgb colour) {
    QImage plain(image.size(), image.format());
    plain.fill(colour);
    return image == plain;
  }

  const fs::path folder_ = FreshTestFolder("wt_azioni");
  std::optional<ScopedCurrentFolder> inFolder_{std::in_place, folder_};
  Recorder desktop_;
  std::unique_ptr<Azioni> azioni_;
  QImage page_;
  int opened_ = 0, ended_ = 0;
  bool noPrinter_ = false, refusePage_ = false;
};

TEST_F(AzioniTest, WindowModeShowsThePlotInTheWindow) {
  Show();
  EXPECT_TRUE(Window().isVisible());
  EXPECT_EQ(Window().windowTitle(), "WinTarvo hpgl Reader");
  EXPECT_EQ(PictureBox()->geometry(), QRect(0, 0, 556, 476));
  EXPECT_EQ(Picture().size(), QSize(556, 476));
  // The frame's diagonal, in pen 9.
  EXPECT_EQ(Picture().pixel(0, 389), kRed);
  EXPECT_EQ(Picture().pixel(555, 1), kRed);
  EXPECT_EQ(Picture().pixel(0, 0), Background());
  EXPECT_EQ(Messages(), "");
  EXPECT_EQ(opened_, 0);
  Trigger("menu_exit");
  EXPECT_FALSE(Window().isVisible());
}

TEST_F(AzioniTest, SaveAndCopyTakeTheRetainedImage) {
  Show();
  Trigger("save_menu");
  EXPECT_EQ(Messages(), "/-: File wtplotr.bmp saved");
  EXPECT_EQ(QImage("wtplotr.bmp", "BMP").convertToFormat(QImage::Format_RGB32), Picture());
  QGuiApplication::clipboard()->setText("before");
  Trigger("Copy_as_BMP_menu");
  EXPECT_FALSE(QGuiApplication::clipboard()->mimeData()->hasText());
  EXPECT_EQ(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32), Picture());
  EXPECT_EQ(Messages(), "");
}

// Printing reads the plot file again, onto a frame 700 pixels high on a page
// 1000 wide; print mode prints without the window.
TEST_F(AzioniTest, PrintingReadsThePlotFileAgain) {
  Show();
  testing::WriteBytes("plot.hgl", "SP9\r\nPU 0,4000\r\nPD 10430,4000\r\n");
  Trigger("menu_print");
  EXPECT_EQ(ended_, 1);
  for (int x = 0; x < 1000; ++x) ASSERT_EQ(page_.pixel(x, 350), kRed) << x;
  EXPECT_EQ(page_.pixel(500, 351), kWhite);

  EXPECT_EQ(Make().Start({"plot.hgl", true}), 0);
  EXPECT_FALSE(Window().isVisible());
  EXPECT_EQ(ended_, 2);
  EXPECT_EQ(page_.pixel(999, 350), kRed);
  EXPECT_TRUE(All(Picture(), Background()));
  EXPECT_EQ(Messages(), "");
}

// Through the window system, as a user's clicks arrive: a click on the client
// area outside the picture prints, and a double-click, a click and a
// double-click event, prints once; a click on the picture prints nothing.
TEST_F(AzioniTest, AClickOnTheClientAreaOutsideThePicturePrintsOnce) {
  Show();
  Window().resize(Window().width() + 100, Window().height());
  QApplication::processEvents();
  const QPoint outside = Get<QWidget>("client")->mapTo(&Window(), QPoint(600, 100));
  QTest::mouseDClick(Window().windowHandle(), Qt::LeftButton, {}, outside);
  EXPECT_EQ(opened_, 1);
  QTest::mouseClick(Window().windowHandle(), Qt::LeftButton, {},
                    PictureBox()->mapTo(&Window(), QPoint(9, 9)));
  EXPECT_EQ(opened_, 1);
  EXPECT_EQ(PictureBox()->size(), QSize(556, 476));  // nothing follows the new size
}

TEST_F(AzioniTest, NoPrinterAndARefusedPageAreWarnings) {
  noPrinter_ = true;
  EXPECT_EQ(Make().Start({"plot.hgl", true}), 1);
  EXPECT_EQ(Messages(), "Warning/stop: No printer is installed");
  noPrinter_ = false;
  refusePage_ = true;
  EXPECT_EQ(Make().Start({"plot.hgl", true}), 1);
  EXPECT_EQ(Messages(), "Warning/stop: The printer PDF refused the page");
}

// The reader only says what it met; the boxes are the viewer's, the same in
// window and print mode. What cannot be drawn leaves the picture empty and
// the window up; in print mode the page is ended, blank, and the status is 1.
TEST_F(AzioniTest, WhatTheReaderMetIsToldInABoxOfItsOwn) {
  testing::WriteBytes("long.hgl", "PU 0,0\r\n");
  fs::resize_file("long.hgl", fs::file_size("long.hgl") + (std::uintmax_t{64} << 20) + 1);
  for (bool print : {false, true}) {
    EXPECT_EQ(Make().Start({"missing.hgl", print}), print ? std::optional(1) : std::nullopt);
    EXPECT_EQ(Messages(), "/-: 001 File not found");
    EXPECT_EQ(Window().isVisible(), !print);
    EXPECT_TRUE(All(Picture(), Background()));
    EXPECT_TRUE(!print || (ended_ == 1 && All(page_, kWhite)));
    Make().Start({"long.hgl", print});
    EXPECT_EQ(Messages(),
              "Warning/stop: File long.hgl cannot be read: a line is longer than 64 MiB");
  }
}

// How a reason reaches the user; WriteFileAtomically's own tests meet the
// others (a full disk, a folder of that name).
TEST_F(AzioniTest, ABitmapThatCannotBeSavedKeepsTheOldOne) {
  Show();
  testing::WriteBytes("wtplotr.bmp", "old");
  {
    testing::NoAccess closed({}, {folder_});
    Trigger("save_menu");
  }
  EXPECT_EQ(Messages(), "Warning/stop: File wtplotr.bmp cannot be written: Permission denied");
  EXPECT_EQ(testing::ReadBytes("wtplotr.bmp"), "old");
  fs::remove_all(folder_);  // the current folder is gone
  Trigger("save_menu");
  EXPECT_EQ(Messages(),
            "Warning/stop: File wtplotr.bmp cannot be written: No such file or directory");
}

}  // namespace
}  // namespace wt::plot
