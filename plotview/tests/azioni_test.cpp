#include "platform/tests/testfolder.h"
#include "plotview/azioni.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMimeData>
#include <QTest>
#include <QWindow>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/recorder.h"

namespace wt::plot {
namespace {

namespace fs = std::filesystem;

const QRgb kRed = qRgb(255, 0, 0);
const QRgb kBlack = qRgb(0, 0, 0);

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
    folder_ = TestPath("wt_azioni");
    fs::create_directories(folder_);
    previousFolder_ = fs::current_path();
    fs::current_path(folder_);
    WritePlot({"SP9", "PU 0,0", "PD 10430,8000"});
  }
  void TearDown() override {
    azioni_.reset();
    fs::current_path(previousFolder_);
    fs::remove_all(folder_);
    unsetenv("WINTARVO_DRIVES");
  }

  void WritePlot(const std::vector<std::string>& lines, const fs::path& path = "plot.hgl") {
    std::ofstream out(path, std::ios::binary);
    for (const std::string& line : lines) out << line << "\r\n";
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

  WTPLOTR& Window() { return azioni_->Window(); }
  QImage& Picture() { return Window().hpglout->Image(); }
  QRgb Background() { return Window().hpglout->palette().color(QPalette::Base).rgb(); }

  bool AllBackground(const QImage& image, QRgb background) {
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) {
        if (image.pixel(x, y) != background) return false;
      }
    }
    return true;
  }

  fs::path folder_, previousFolder_;
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

TEST_F(AzioniTest, TheWindowHasItsCaptionMenusAndClientArea) {
  Make().Start({"plot.hgl", false});
  WTPLOTR& w = Window();
  EXPECT_EQ(w.windowTitle(), "WinTarvo hpgl Reader");
  EXPECT_EQ(Texts(w.file_menu), (QStringList{"&Open", "&Save", "-", "&Print", "&Exit"}));
  EXPECT_EQ(w.file_menu->title(), "&File");
  EXPECT_EQ(w.menu_edit->title(), "&Edit");
  EXPECT_EQ(Texts(w.menu_edit), (QStringList{"&Copy as BMP"}));
  EXPECT_FALSE(w.open_menu->isEnabled());
  EXPECT_EQ(w.client->size(), QSize(556, 476));
  EXPECT_EQ(w.hpglout->geometry(), QRect(0, 0, 556, 476));
  EXPECT_EQ(Picture().size(), QSize(556, 476));
}

TEST_F(AzioniTest, WindowModeDrawsThePlotAndShowsTheWindow) {
  EXPECT_EQ(Make().Start({"plot.hgl", false}), std::nullopt);
  EXPECT_TRUE(Window().isVisible());
  EXPECT_TRUE(desktop_.Messages().empty());
  EXPECT_EQ(azioni_->Reader().PlotFile(), "plot.hgl");
  EXPECT_EQ(Picture().pixel(0, 389), kRed);
  EXPECT_EQ(Picture().pixel(278, 194), kRed);
  EXPECT_EQ(Picture().pixel(555, 1), kRed);
  EXPECT_EQ(Picture().pixel(0, 0), Background());
  EXPECT_EQ(opened_, 0);
}

TEST_F(AzioniTest, AMissingFileOpensTheWindowWithAnEmptyPicture) {
  Make().Start({"missing.hgl", false});
  ASSERT_EQ(desktop_.Messages().size(), 1u);
  EXPECT_EQ(desktop_.Messages()[0].text, "001 File not found");
  EXPECT_TRUE(Window().isVisible());
  EXPECT_TRUE(AllBackground(Picture(), Background()));
}

TEST_F(AzioniTest, WithoutWordsTheDefaultPlotFileIsDrawn) {
  const fs::path zorb = folder_ / "drives" / "drive_c" / "zorb";
  fs::create_directories(zorb);
  fs::copy_file(WT_SAMPLE_DIR "/zorb1.hgl", zorb / "zorb1.hgl");
  setenv("WINTARVO_DRIVES", (folder_ / "drives").c_str(), 1);
  Make().Start(ChooseStart(""));
  EXPECT_TRUE(desktop_.Messages().empty());
  // The frame's bottom left corner, user (50, 50) in a 1000 × 800 scale.
  EXPECT_EQ(Picture().pixel(27, 364), kBlack);
  EXPECT_EQ(Picture().pixel(26, 364), Background());
}

TEST_F(AzioniTest, SaveWritesTheRetainedImageIntoTheCurrentFolder) {
  Make().Start({"plot.hgl", false});
  Window().save_menu->trigger();
  ASSERT_EQ(desktop_.Messages().size(), 1u);
  const Message m = desktop_.Messages()[0];
  EXPECT_EQ(m.text, "File wtplotr.bmp saved");
  EXPECT_EQ(m.title, "");
  EXPECT_EQ(m.icon, MessageIcon::None);
  QImage saved(QString::fromStdString((folder_ / "wtplotr.bmp").string()), "BMP");
  ASSERT_FALSE(saved.isNull());
  EXPECT_EQ(saved.size(), QSize(556, 476));
  EXPECT_EQ(saved.pixel(278, 194), kRed);
  EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32), Picture());

  // A second save replaces the file and says so again.
  Picture().setPixel(10, 10, kBlack);
  Window().save_menu->trigger();
  EXPECT_EQ(desktop_.Messages().size(), 2u);
  saved.load(QString::fromStdString((folder_ / "wtplotr.bmp").string()), "BMP");
  EXPECT_EQ(saved.pixel(10, 10), kBlack);
}

TEST_F(AzioniTest, ABitmapThatCannotBeWrittenIsReportedByName) {
  Make().Start({"plot.hgl", false});
  fs::create_directory(folder_ / "wtplotr.bmp");
  Window().save_menu->trigger();
  ASSERT_EQ(desktop_.Messages().size(), 1u);
  const Message m = desktop_.Messages()[0];
  EXPECT_EQ(m.text, "File wtplotr.bmp cannot be written: Is a directory");
  EXPECT_EQ(m.title, "Warning");
  EXPECT_EQ(m.icon, MessageIcon::Critical);
}

TEST_F(AzioniTest, CopyPutsTheRetainedImageOnTheClipboard) {
  Make().Start({"plot.hgl", false});
  QGuiApplication::clipboard()->setText("before");
  Window().Copy_as_BMP_menu->trigger();
  EXPECT_FALSE(QGuiApplication::clipboard()->mimeData()->hasText());
  const QImage copied = QGuiApplication::clipboard()->image();
  EXPECT_EQ(copied.convertToFormat(QImage::Format_RGB32), Picture());
  EXPECT_TRUE(desktop_.Messages().empty());
}

TEST_F(AzioniTest, PrintReadsThePlotFileAgain) {
  Make().Start({"plot.hgl", false});
  WritePlot({"SP9", "PU 0,4000", "PD 10430,4000"});
  Window().menu_print->trigger();
  EXPECT_EQ(opened_, 1);
  EXPECT_EQ(ended_, 1);
  // Page width 1000: the frame is 700 pixels high.
  for (int x = 0; x < 1000; ++x) ASSERT_EQ(page_.pixel(x, 350), kRed) << x;
  EXPECT_EQ(page_.pixel(500, 351), qRgb(255, 255, 255));
  // The window keeps the picture it had.
  EXPECT_EQ(Picture().pixel(278, 194), kRed);
  EXPECT_EQ(Picture().pixel(100, 194), Background());
}

TEST_F(AzioniTest, AClickOnTheClientAreaOutsideThePicturePrints) {
  Make().Start({"plot.hgl", false});
  Window().resize(Window().width() + 100, Window().height());
  QApplication::processEvents();
  QTest::mouseClick(Window().hpglout, Qt::LeftButton, {}, QPoint(100, 100));
  EXPECT_EQ(opened_, 0);
  QTest::mouseClick(Window().client, Qt::LeftButton, {}, QPoint(600, 100));
  EXPECT_EQ(opened_, 1);
  // Nothing follows the new size.
  EXPECT_EQ(Window().hpglout->size(), QSize(556, 476));
}

// Through the window system, as a user's double-click arrives: press, release,
// press, release, of which the second press becomes a double-click.
TEST_F(AzioniTest, ADoubleClickOnTheClientAreaPrintsOnce) {
  Make().Start({"plot.hgl", false});
  Window().resize(Window().width() + 100, Window().height());
  QApplication::processEvents();
  QWindow* window = Window().windowHandle();
  ASSERT_NE(window, nullptr);
  const QPoint uncovered = Window().client->mapTo(&Window(), QPoint(600, 100));
  QTest::mouseDClick(window, Qt::LeftButton, {}, uncovered);
  EXPECT_EQ(opened_, 1);
  QTest::mouseClick(window, Qt::LeftButton, {}, uncovered);
  EXPECT_EQ(opened_, 2);
  QTest::mouseDClick(window, Qt::LeftButton, {}, Window().hpglout->mapTo(&Window(), QPoint(9, 9)));
  EXPECT_EQ(opened_, 2);
  // A press that is released elsewhere is no click.
  QTest::mousePress(window, Qt::LeftButton, {}, uncovered);
  QTest::mouseRelease(window, Qt::LeftButton, {}, Window().hpglout->mapTo(&Window(), QPoint(9, 9)));
  EXPECT_EQ(opened_, 2);
}

TEST_F(AzioniTest, ExitClosesTheWindow) {
  Make().Start({"plot.hgl", false});
  Window().menu_exit->trigger();
  EXPECT_FALSE(Window().isVisible());
}

TEST_F(AzioniTest, PrintModePrintsWithoutShowingTheWindow) {
  WritePlot({"SP9", "PU 0,4000", "PD 10430,4000"});
  EXPECT_EQ(Make().Start({"plot.hgl", true}), 0);
  EXPECT_FALSE(Window().isVisible());
  EXPECT_EQ(ended_, 1);
  EXPECT_EQ(page_.pixel(999, 350), kRed);
  EXPECT_TRUE(AllBackground(Picture(), Background()));
}

TEST_F(AzioniTest, PrintModeWithAMissingFileEndsTheJobAndFails) {
  EXPECT_EQ(Make().Start({"missing.hgl", true}), 1);
  ASSERT_EQ(desktop_.Messages().size(), 1u);
  EXPECT_EQ(desktop_.Messages()[0].text, "001 File not found");
  EXPECT_EQ(ended_, 1);
  EXPECT_TRUE(AllBackground(page_, qRgb(255, 255, 255)));
}

TEST_F(AzioniTest, WithoutAPrinterPrintingSaysSo) {
  noPrinter_ = true;
  EXPECT_EQ(Make().Start({"plot.hgl", true}), 1);
  ASSERT_EQ(desktop_.Messages().size(), 1u);
  const Message m = desktop_.Messages()[0];
  EXPECT_EQ(m.text, "No printer is installed");
  EXPECT_EQ(m.title, "Warning");
  EXPECT_EQ(m.icon, MessageIcon::Critical);
}

TEST_F(AzioniTest, APageThePrinterRefusesIsReported) {
  refusePage_ = true;
  EXPECT_EQ(Make().Start({"plot.hgl", true}), 1);
  ASSERT_EQ(desktop_.Messages().size(), 1u);
  EXPECT_EQ(desktop_.Messages()[0].text, "The printer PDF refused the page");
}

}  // namespace
}  // namespace wt::plot
