#include "plotview/hpgldisegna.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "platform/tests/tempdrives.h"
#include "platform/tests/testfolder.h"
#include "plotview/commandline.h"
#include "plotview/gdi/gdiraster.h"

namespace wt::plot {
namespace {

namespace fs = std::filesystem;

constexpr std::uint32_t kWhite = 0xFFFFFFFFu;
const DrawResult kDrawn{DrawStatus::Drawn}, kNotFound{DrawStatus::NotFound};
using Pixels = std::vector<std::uint32_t>;

// A plot that draws something in every pen and scale it sets.
const std::string kPlot =
    "IN;\r\nIP 0,0,10430,8000;\r\nSC 0,1000,0,800;\r\nSP1;\r\nPU 50,50;\r\nPD 950,50;\r\n"
    "PD 950,750;\r\nSP9;\r\nPU 100,100;\r\nPD 900,700;\r\n";

Pixels PixelsOf(gdi::RasterImage& image) {
  return {image.Data(), image.Data() + image.Width() * image.Height()};
}

class HpglReaderTest : public ::testing::Test {
 protected:
  void TearDown() override { fs::remove(path_); }

  // Writes `bytes` as the plot file and draws it on the fixture's picture.
  DrawResult Draw(const std::string& bytes) {
    std::ofstream(path_, std::ios::binary) << bytes;
    reader_.SetPlotFile(path_.string());
    return reader_.DrawPlotFile(dc_, 556);
  }
  // The plot file `path` drawn whole on a fresh picture.
  Pixels PictureOf(const std::string& path) {
    gdi::RasterImage image(556, 476, kWhite);
    gdi::RasterImageDC dc(image);
    reader_.SetPlotFile(path);
    EXPECT_EQ(reader_.DrawPlotFile(dc, 556), kDrawn) << path;
    return PixelsOf(image);
  }
  Pixels Picture(const std::string& bytes) {
    std::ofstream(path_, std::ios::binary) << bytes;
    return PictureOf(path_.string());
  }

  const fs::path path_ = TestPath("wt_hpgl") += ".hgl";
  gdi::RasterImage image_{556, 476, kWhite};
  gdi::RasterImageDC dc_{image_};
  HpglReader reader_;
};

std::optional<PlotCommand> ReadCommand(std::string_view line) {
  PlotCommand command{};
  if (!plot::ReadCommand(line, command)) return std::nullopt;
  return command;
}

// What PU, PD, IP and SC take is checked by what the plots below draw.
TEST(ReadCommandTest, ThePenIsTheThirdCharacterAndCommandsNeedTheirParameters) {
  const PlotCommand::Op pen = PlotCommand::Op::SelectPen;
  EXPECT_EQ(ReadCommand("SP12"), (PlotCommand{pen, {1}}));
  EXPECT_EQ(ReadCommand("SP 3"), (PlotCommand{pen, {0}}));
  EXPECT_EQ(ReadCommand("SP"), (PlotCommand{pen, {0}}));
  for (const char* none :
       {"", "P", "PD", "PU 7", "SC 1,2,3", "pu 1,2", " PU 1,2", "PA 1,2", "PD 1,40000", "IN;"}) {
    EXPECT_EQ(ReadCommand(none), std::nullopt) << none;
  }
}

TEST_F(HpglReaderTest, EachDrawingReadsTheFileAgainFromTheDefaultScale) {
  ASSERT_EQ(Draw("IP 0,0,10430,8000\r\nSC 0,100,0,100\r\nPU 100,100\r\n"), kDrawn);
  EXPECT_EQ(dc_.Position(), (gdi::Point{556, 0}));
  ASSERT_EQ(Draw("PU 100,100\r\n"), kDrawn);
  EXPECT_EQ(dc_.Position(), (gdi::Point{5, 384}));
}

TEST_F(HpglReaderTest, AMissingFileIsNotFound) {
  const gdi::HPEN pen = dc_.SelectedPen();
  for (const std::string& path :
       {(fs::temp_directory_path() / "wt_no_such_plot.hgl").string(), std::string()}) {
    reader_.SetPlotFile(path);
    EXPECT_EQ(reader_.DrawPlotFile(dc_, 556), kNotFound) << path;
    EXPECT_EQ(dc_.SelectedPen(), pen);  // the drawing's pens are released
  }
  EXPECT_EQ(PixelsOf(image_), Pixels(556 * 476, kWhite));
}

TEST_F(HpglReaderTest, TheDefaultPlotFileIsADrivePath) {
  const Pixels expected = Picture(kPlot);
  const testing::TempDrives drives;
  drives.Write("zorb1.hgl", kPlot);
  EXPECT_EQ(PictureOf(kDefaultPlotFile), expected);
}

// Variants of kPlot that draw its picture: lines ended by LF or CR alone; a
// megabyte of blanks after every line and a line of a megabyte that is no
// command between every two; a NUL byte, which ends a number and glues to a
// mnemonic, and lines that begin with one, which are no command; lines that
// cannot be taken: numbers beyond 16 bits (65636 is not 100), a line of a
// million tokens of which only the first pair counts, SC with a zero range,
// and commands without their parameters, which no earlier line's may fill.
// Empty, binary and NUL files draw nothing.
TEST_F(HpglReaderTest, OnlyTheCommandsThatCanBeTakenAreDrawn) {
  const Pixels expected = Picture(kPlot), empty(556 * 476, kWhite);
  ASSERT_NE(Picture(kPlot + "PD 100,700;\r\n"), expected);
  const std::string megabyte(std::size_t{1} << 20, ' ');
  std::string lf, cr, longLines, nul, tokens = "PD 900,700";
  for (std::size_t start = 0, end; (end = kPlot.find("\r\n", start)) != std::string::npos;
       start = end + 2) {
    std::string line = kPlot.substr(start, end - start);
    lf += line + "\n";
    cr += line + "\r";
    longLines += line + megabyte + "\r\nLB" + megabyte + "\r\n";
    if (line.starts_with("PD") || line.starts_with("PU")) line.insert(line.find(','), 1, '\0');
    nul += line + "\r\n" + std::string("\0PD 0,0\r\n", 9);
  }
  for (int i = 0; i < 1000000; ++i) tokens += ",7";
  std::string skipped =
      kPlot +
      "PD 65636,100;\r\nPU 40000,-40000\r\nIP 1000,0,70000,8000\r\nSC 0,0,0,800\r\n"
      "SC 5,1000,9,9\r\nPD\r\nPU 10\r\nIP 1000,2,3\r\nSP\xff\r\nSP9\r\n" +
      tokens + "\r\n";
  for (const std::string* variant : {&lf, &cr, &longLines, &nul, &skipped}) {
    EXPECT_EQ(Picture(*variant), expected) << variant->substr(0, 40);
  }
  std::string binary;
  for (int byte = 0; byte < 4 * 256; ++byte) binary += static_cast<char>(byte);
  for (const std::string& bytes : {std::string(), binary, std::string(4, '\0')}) {
    EXPECT_EQ(Picture(bytes), empty);
  }
}

// A plot far longer than what is read ahead of the drawing: its commands
// are drawn in file order, as if each line were drawn as soon as read, on
// the same thread. Failing after all of them (a last line of zero bytes just
// over the longest line read, sparse on disk), the drawing has drawn each.
TEST_F(HpglReaderTest, ALongPlotDrawsItsCommandsInFileOrder) {
  std::mt19937 random(23);
  std::string plot;
  gdi::RasterImage expected(556, 476, kWhite);
  gdi::RasterImageDC dc(expected);
  Grafica grafica;
  grafica.BeginPlot(556, dc);
  for (int i = 0; i < 60000; ++i) {
    const int kind = static_cast<int>(random() % 100);
    const std::string line =
        kind == 0  ? "SC 0," + std::to_string(1000 + random() % 9000) + ",0,8000"
        : kind < 5 ? "SP" + std::to_string(random() % 10)
                   : std::string(kind < 30 ? "PU " : "PD ") + std::to_string(random() % 10431) +
                         "," + std::to_string(random() % 8001);
    plot += line + "\r\n";
    RunCommand(grafica, ReadCommand(line).value());
  }
  grafica.EndPlot();
  ASSERT_EQ(Draw(plot), kDrawn);
  EXPECT_EQ(PixelsOf(image_), PixelsOf(expected));
  EXPECT_NE(PixelsOf(expected), Pixels(556 * 476, kWhite));

  fs::resize_file(path_, fs::file_size(path_) + (std::uintmax_t{64} << 20) + 1);
  gdi::RasterImage again(556, 476, kWhite);
  gdi::RasterImageDC againDC(again);
  const gdi::HPEN pen = againDC.SelectedPen();
  EXPECT_EQ(reader_.DrawPlotFile(againDC, 556),
            (DrawResult{DrawStatus::ReadError, "a line is longer than 64 MiB"}));
  EXPECT_EQ(againDC.SelectedPen(), pen);
  EXPECT_EQ(PixelsOf(again), PixelsOf(expected));
}

}  // namespace
}  // namespace wt::plot
