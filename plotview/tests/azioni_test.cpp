#include "plotview/azioni.h"
#include "platform/tests/testfolder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
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
#include <optional>
#include <sstream>

#include "platform/recorder.h"
#include "platform/testenv.h"
#include "platform/tests/noaccess.h"

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
    folder_ = FreshTestFolder("wt_azioni");
    inFolder_.emplace(folder_);
    WritePlot({"SP9", "PU 0,0", "PD 10430,8000"});
  }
  void TearDown() override {
    azioni_.reset();
    inFolder_.reset();
    fs::remove_all(folder_);
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

  static void Write(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }
  static std::string Read(const fs::path& path) {
    std::ostringstream bytes;
    bytes << std::ifstream(path, std::ios::binary).rdbuf();
    return bytes.str();
  }
  // Starts the viewer in window mode on `path`, the messages of earlier runs
  // forgotten; the picture it shows.
  QImage Show(const std::string& path) {
    desktop_.Clear();
    Make().Start({path, false});
    return Picture();
  }
  QImage ShowBytes(const std::string& bytes) {
    Write("plot.hgl", bytes);
    return Show("plot.hgl");
  }
  QImage Empty() {
    QImage empty = Show("");
    desktop_.Clear();
    return empty;
  }
  // The message boxes shown, one a line: "TITLE/ICON: TEXT".
  std::string Messages() const {
    std::string log;
    for (const Message& m : desktop_.Messages()) {
      if (!log.empty()) log += '\n';
      log += m.title + (m.icon == MessageIcon::Critical ? "/stop: " : "/-: ") + m.text;
    }
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
  QWidget* Client() { return Get<QWidget>("client"); }
  void Trigger(const char* action) { Get<QAction>(action)->trigger(); }
  QImage& Picture() { return PictureBox()->Image(); }
  QRgb Background() { return PictureBox()->palette().color(QPalette::Base).rgb(); }

  bool AllBackground(const QImage& image, QRgb background) {
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) {
        if (image.pixel(x, y) != background) return false;
      }
    }
    return true;
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

TEST_F(AzioniTest, TheWindowHasItsCaptionMenusAndClientArea) {
  Make().Start({"plot.hgl", false});
  WTPLOTR& w = Window();
  EXPECT_EQ(w.windowTitle(), "WinTarvo hpgl Reader");
  QMenu* file = Get<QMenu>("file_menu");
  QMenu* edit = Get<QMenu>("menu_edit");
  EXPECT_EQ(Texts(file), (QStringList{"&Open", "&Save", "-", "&Print", "&Exit"}));
  EXPECT_EQ(file->title(), "&File");
  EXPECT_EQ(edit->title(), "&Edit");
  EXPECT_EQ(Texts(edit), (QStringList{"&Copy as BMP"}));
  EXPECT_FALSE(Get<QAction>("open_menu")->isEnabled());
  EXPECT_EQ(Client()->size(), QSize(556, 476));
  EXPECT_EQ(PictureBox()->geometry(), QRect(0, 0, 556, 476));
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

TEST_F(AzioniTest, WithoutWordsTheDefaultPlotFileIsDrawn) {
  const fs::path zorb = folder_ / "drives" / "drive_c" / "zorb";
  fs::create_directories(zorb);
  fs::copy_file(WT_SAMPLE_DIR "/zorb1.hgl", zorb / "zorb1.hgl");
  const ScopedEnvironment drives("WINTARVO_DRIVES", (folder_ / "drives").string());
  Make().Start(ChooseStart(""));
  EXPECT_TRUE(desktop_.Messages().empty());
  // The frame's bottom left corner, user (50, 50) in a 1000 × 800 scale.
  EXPECT_EQ(Picture().pixel(27, 364), kBlack);
  EXPECT_EQ(Picture().pixel(26, 364), Background());
}

TEST_F(AzioniTest, SaveWritesTheRetainedImageIntoTheCurrentFolder) {
  Make().Start({"plot.hgl", false});
  Trigger("save_menu");
  EXPECT_EQ(Messages(), "/-: File wtplotr.bmp saved");
  QImage saved(QString::fromStdString((folder_ / "wtplotr.bmp").string()), "BMP");
  ASSERT_FALSE(saved.isNull());
  EXPECT_EQ(saved.size(), QSize(556, 476));
  EXPECT_EQ(saved.pixel(278, 194), kRed);
  EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32), Picture());

  // A second save replaces the file and says so again.
  Picture().setPixel(10, 10, kBlack);
  Trigger("save_menu");
  EXPECT_EQ(desktop_.Messages().size(), 2u);
  saved.load(QString::fromStdString((folder_ / "wtplotr.bmp").string()), "BMP");
  EXPECT_EQ(saved.pixel(10, 10), kBlack);
}

TEST_F(AzioniTest, CopyPutsTheRetainedImageOnTheClipboard) {
  Make().Start({"plot.hgl", false});
  QGuiApplication::clipboard()->setText("before");
  Trigger("Copy_as_BMP_menu");
  EXPECT_FALSE(QGuiApplication::clipboard()->mimeData()->hasText());
  const QImage copied = QGuiApplication::clipboard()->image();
  EXPECT_EQ(copied.convertToFormat(QImage::Format_RGB32), Picture());
  EXPECT_TRUE(desktop_.Messages().empty());
}

TEST_F(AzioniTest, PrintReadsThePlotFileAgain) {
  Make().Start({"plot.hgl", false});
  WritePlot({"SP9", "PU 0,4000", "PD 10430,4000"});
  Trigger("menu_print");
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
  QTest::mouseClick(PictureBox(), Qt::LeftButton, {}, QPoint(100, 100));
  EXPECT_EQ(opened_, 0);
  QTest::mouseClick(Client(), Qt::LeftButton, {}, QPoint(600, 100));
  EXPECT_EQ(opened_, 1);
  // Nothing follows the new size.
  EXPECT_EQ(PictureBox()->size(), QSize(556, 476));
}

// Through the window system, as a user's double-click arrives: press, release,
// press, release, of which the second press becomes a double-click.
TEST_F(AzioniTest, ADoubleClickOnTheClientAreaPrintsOnce) {
  Make().Start({"plot.hgl", false});
  Window().resize(Window().width() + 100, Window().height());
  QApplication::processEvents();
  QWindow* window = Window().windowHandle();
  ASSERT_NE(window, nullptr);
  const QPoint uncovered = Client()->mapTo(&Window(), QPoint(600, 100));
  QTest::mouseDClick(window, Qt::LeftButton, {}, uncovered);
  EXPECT_EQ(opened_, 1);
  QTest::mouseClick(window, Qt::LeftButton, {}, uncovered);
  EXPECT_EQ(opened_, 2);
  QTest::mouseDClick(window, Qt::LeftButton, {}, PictureBox()->mapTo(&Window(), QPoint(9, 9)));
  EXPECT_EQ(opened_, 2);
  // A press that is released elsewhere is no click.
  QTest::mousePress(window, Qt::LeftButton, {}, uncovered);
  QTest::mouseRelease(window, Qt::LeftButton, {}, PictureBox()->mapTo(&Window(), QPoint(9, 9)));
  EXPECT_EQ(opened_, 2);
}

TEST_F(AzioniTest, ExitClosesTheWindow) {
  Make().Start({"plot.hgl", false});
  Trigger("menu_exit");
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
  EXPECT_EQ(Messages(), "/-: 001 File not found");
  EXPECT_EQ(ended_, 1);
  EXPECT_TRUE(AllBackground(page_, qRgb(255, 255, 255)));
}

TEST_F(AzioniTest, WithoutAPrinterPrintingSaysSo) {
  noPrinter_ = true;
  EXPECT_EQ(Make().Start({"plot.hgl", true}), 1);
  EXPECT_EQ(Messages(), "Warning/stop: No printer is installed");
}

TEST_F(AzioniTest, APageThePrinterRefusesIsReported) {
  refusePage_ = true;
  EXPECT_EQ(Make().Start({"plot.hgl", true}), 1);
  EXPECT_EQ(Messages(), "Warning/stop: The printer PDF refused the page");
}

// A plot that draws something in every pen and scale it sets.
const std::string kPlot =
    "IN;\r\nIP 0,0,10430,8000;\r\nSC 0,1000,0,800;\r\nSP1;\r\nPU 50,50;\r\nPD 950,50;\r\n"
    "PD 950,750;\r\nSP9;\r\nPU 100,100;\r\nPD 900,700;\r\n";

// What cannot be drawn leaves the picture empty and the window up; which
// files the reader cannot open is the reader's own test.
TEST_F(AzioniTest, AFileThatCannotBeOpenedIsNotFoundAndThePictureStaysEmpty) {
  const QImage empty = Empty();
  EXPECT_TRUE(AllBackground(empty, Background()));
  for (const std::string path : {"missing.hgl", ""}) {
    EXPECT_EQ(Show(path), empty) << path;
    EXPECT_EQ(Messages(), "/-: 001 File not found") << path;
    EXPECT_TRUE(Window().isVisible());
  }
}

TEST_F(AzioniTest, ALineLongerThan64MiBIsReportedAfterTheLinesBefore) {
  const QImage expected = ShowBytes(kPlot);
  Write("plot.hgl", kPlot);
  fs::resize_file("plot.hgl", kPlot.size() + (std::uintmax_t{64} << 20) + 1);
  EXPECT_EQ(Show("plot.hgl"), expected);
  EXPECT_EQ(Messages(), "Warning/stop: File plot.hgl cannot be read: a line is longer than 64 MiB");
}

// The reader only says what it met; the boxes are the viewer's, the same in
// window and print mode.
TEST_F(AzioniTest, WhatTheReaderMetIsToldInABoxOfItsOwn) {
  Write("long.hgl", kPlot);
  fs::resize_file("long.hgl", kPlot.size() + (std::uintmax_t{64} << 20) + 1);
  for (bool print : {false, true}) {
    Make().Start({"missing.hgl", print});
    Make().Start({"long.hgl", print});
  }
  auto box = [](const Message& m) {
    return m.title + "|" + std::to_string(static_cast<int>(m.icon)) + "|" +
           std::to_string(static_cast<int>(m.buttons)) + "|" + m.text;
  };
  const std::vector<Message> messages = desktop_.Messages();
  ASSERT_EQ(messages.size(), 4u);
  for (std::size_t i : {0, 2}) {
    EXPECT_EQ(box(messages[i]), box({"001 File not found"})) << i;
    EXPECT_EQ(box(messages[i + 1]),
              box({"File long.hgl cannot be read: a line is longer than 64 MiB", "Warning",
                   MessageIcon::Critical, MessageButtons::Ok}))
        << i;
  }
}

TEST_F(AzioniTest, PathsWithQuotesAndOtherCharacters) {
  Write("plot.hgl", kPlot);
  const QImage expected = Show("plot.hgl");
  for (const std::string name : {"\"plot\".hgl", "it's$HOME;&|*.hgl", "pl\xc3\xb6t.hgl"}) {
    Write(name, kPlot);
    EXPECT_EQ(Show(name), expected) << name;
  }
  // A blank ends the first word of the command line: the file is "my".
  Write("my plot.hgl", kPlot);
  EXPECT_EQ(ChooseStart("my plot.hgl"), (StartChoice{"my", false}));
  const QImage empty = Empty();
  EXPECT_EQ(Show(ChooseStart("my plot.hgl").plotFile), empty);
  EXPECT_EQ(Messages(), "/-: 001 File not found");
}

TEST_F(AzioniTest, ABitmapThatCannotBeSavedKeepsTheOldOne) {
  ShowBytes(kPlot);
  Write("wtplotr.bmp", "old");
  const std::string failed = "Warning/stop: File wtplotr.bmp cannot be written: ";
  {
    testing::NoAccess closed({}, {folder_});
    Trigger("save_menu");
  }
  EXPECT_EQ(Messages(), failed + "Permission denied");
  EXPECT_EQ(Read("wtplotr.bmp"), "old");

  // Full: a file size limit fails the write as a full disk would.
  desktop_.Clear();
  {
    const testing::FullDisk full(1000);
    Trigger("save_menu");
  }
  EXPECT_EQ(Messages(), failed + "File too large");
  EXPECT_EQ(Read("wtplotr.bmp"), "old");

  desktop_.Clear();
  fs::remove("wtplotr.bmp");
  fs::create_directory("wtplotr.bmp");
  Trigger("save_menu");
  EXPECT_EQ(Messages(), failed + "Is a directory");

  // The current folder is gone.
  desktop_.Clear();
  fs::remove_all(folder_);
  Trigger("save_menu");
  EXPECT_EQ(Messages(), failed + "No such file or directory");
}

}  // namespace
}  // namespace wt::plot
