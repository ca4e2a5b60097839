#include "plotview/azioni.h"
#include "platform/tests/testfolder.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMimeData>
#include <QTest>
#include <QWindow>
#include <filesystem>
#include <optional>

#include "platform/recorder.h"
#include "platform/testenv.h"
#include "platform/tests/noaccess.h"
#include "platform/tests/tempdrives.h"

namespace wt::plot {
namespace {

namespace fs = std::filesystem;

const QRgb kRed = qRgb(255, 0, 0);
const QRgb kWhite = qRgb(255, 255, 255);

// A print job whose page is an image 1000 pixels wide.
class ImagePrintJob : public gdi::PrintJob {
 public:
  ImagePrintJob(QImage& page, int* ended, bool refuse)
      : page_(page),
        painter_(&page_),
        dc_(painter_, page_.rect()),
        ended_(ended),
        refuse_(refuse) {}
  gdi::DeviceContext& DC() override { return dc_; }
  int PageWidth() const override { return page_.width(); }
  bool End(std::string* reason) override {
    painter_.end();
    ++*ended_;
    if (refuse_) *reason = "The printer PDF refused the page";
    return !refuse_;
  }

 private:
  QImage& page_;
  QPainter painter_;
  gdi::PainterDC dc_;
  int* ended_;
  bool refuse_;
};

class AzioniTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = FreshTestFolder("wt_azioni");
    inFolder_.emplace(folder_);
    testing::WriteBytes("plot.hgl", "SP9\r\nPU 0,0\r\nPD 10430,8000\r\n");
  }
  void TearDown() override {
    azioni_.reset();
    inFolder_.reset();
    fs::remove_all(folder_);
  }

  Azioni& Make() {
    azioni_ = std::make_unique<Azioni>(desktop_, [this](std::string* reason) {
      std::unique_ptr<gdi::PrintJob> job;
      ++opened_;
      if (noPrinter_) {
        *reason = "No printer is installed";
        return job;
      }
      page_ = QImage(1000, 1400, QImage::Format_RGB32);
      page_.fill(Qt::white);
      job = std::make_unique<ImagePrintJob>(page_, &ended_, refusePage_);
      return job;
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

  fs::path folder_;
  std::optional<ScopedCurrentFolder> inFolder_;
  Recorder desktop_;
  std::unique_ptr<Azioni> azioni_;
  QImage page_;
  int opened_ = 0, ended_ = 0;
  bool noPrinter_ = false, refusePage_ = false;
};

QStringList Texts(QMenu* menu) {
  QStringList texts;
  for (QAction* action : menu->actions()) texts << (action->isSeparator() ? "-" : action->text());
  return texts;
}

TEST_F(AzioniTest, WindowModeShowsThePlotInTheWindow) {
  Show();
  EXPECT_TRUE(Window().isVisible());
  EXPECT_EQ(Window().windowTitle(), "WinTarvo hpgl Reader");
  QMenu* file = Get<QMenu>("file_menu");
  QMenu* edit = Get<QMenu>("menu_edit");
  EXPECT_EQ(file->title(), "&File");
  EXPECT_EQ(Texts(file), (QStringList{"&Open", "&Save", "-", "&Print", "&Exit"}));
  EXPECT_EQ(edit->title(), "&Edit");
  EXPECT_EQ(Texts(edit), (QStringList{"&Copy as BMP"}));
  EXPECT_FALSE(Get<QAction>("open_menu")->isEnabled());
  EXPECT_EQ(Get<QWidget>("client")->size(), QSize(556, 476));
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
  QImage saved("wtplotr.bmp", "BMP");
  EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32), Picture());

  QGuiApplication::clipboard()->setText("before");
  Trigger("Copy_as_BMP_menu");
  EXPECT_FALSE(QGuiApplication::clipboard()->mimeData()->hasText());
  EXPECT_EQ(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32), Picture());
  EXPECT_EQ(Messages(), "");
}

// Printing reads the plot file again; print mode prints without the window.
TEST_F(AzioniTest, PrintingReadsThePlotFileAgain) {
  Show();
  testing::WriteBytes("plot.hgl", "SP9\r\nPU 0,4000\r\nPD 10430,4000\r\n");
  Trigger("menu_print");
  EXPECT_EQ(ended_, 1);
  // Page width 1000: the frame is 700 pixels high.
  for (int x = 0; x < 1000; ++x) ASSERT_EQ(page_.pixel(x, 350), kRed) << x;
  EXPECT_EQ(page_.pixel(500, 351), kWhite);
  // The window keeps the picture it had.
  EXPECT_EQ(Picture().pixel(278, 194), kRed);
  EXPECT_EQ(Picture().pixel(100, 194), Background());

  EXPECT_EQ(Make().Start({"plot.hgl", true}), 0);
  EXPECT_FALSE(Window().isVisible());
  EXPECT_EQ(ended_, 2);
  EXPECT_EQ(page_.pixel(999, 350), kRed);
  EXPECT_TRUE(All(Picture(), Background()));
  EXPECT_EQ(Messages(), "");
}

// Through the window system, as a user's clicks arrive: a press and a
// release both on the client area outside the picture print; a double-click
// is a click and a double-click event, which prints nothing more.
TEST_F(AzioniTest, AClickOnTheClientAreaOutsideThePicturePrintsOnce) {
  Show();
  Window().resize(Window().width() + 100, Window().height());
  QApplication::processEvents();
  QWindow* window = Window().windowHandle();
  ASSERT_NE(window, nullptr);
  const QPoint uncovered = Get<QWidget>("client")->mapTo(&Window(), QPoint(600, 100));
  const QPoint covered = PictureBox()->mapTo(&Window(), QPoint(9, 9));
  QTest::mouseDClick(window, Qt::LeftButton, {}, uncovered);
  EXPECT_EQ(opened_, 1);
  QTest::mouseClick(window, Qt::LeftButton, {}, uncovered);
  EXPECT_EQ(opened_, 2);
  QTest::mouseDClick(window, Qt::LeftButton, {}, covered);
  QTest::mousePress(window, Qt::LeftButton, {}, uncovered);
  QTest::mouseRelease(window, Qt::LeftButton, {}, covered);
  EXPECT_EQ(opened_, 2);
  // Nothing follows the new size.
  EXPECT_EQ(PictureBox()->size(), QSize(556, 476));
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

TEST_F(AzioniTest, ABitmapThatCannotBeSavedKeepsTheOldOne) {
  Show();
  testing::WriteBytes("wtplotr.bmp", "old");
  const std::string failed = "Warning/stop: File wtplotr.bmp cannot be written: ";
  {
    testing::NoAccess closed({}, {folder_});
    Trigger("save_menu");
  }
  EXPECT_EQ(Messages(), failed + "Permission denied");
  EXPECT_EQ(testing::ReadBytes("wtplotr.bmp"), "old");
  {
    // A file size limit fails the write as a full disk would.
    const testing::FullDisk full(1000);
    Trigger("save_menu");
  }
  EXPECT_EQ(Messages(), failed + "File too large");
  EXPECT_EQ(testing::ReadBytes("wtplotr.bmp"), "old");

  fs::remove("wtplotr.bmp");
  fs::create_directory("wtplotr.bmp");
  Trigger("save_menu");
  EXPECT_EQ(Messages(), failed + "Is a directory");
  // The current folder is gone.
  fs::remove_all(folder_);
  Trigger("save_menu");
  EXPECT_EQ(Messages(), failed + "No such file or directory");
}

}  // namespace
}  // namespace wt::plot
