#include "plotview/hpgldisegna.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "platform/tests/testfolder.h"
#include "plotview/gdi/gdiraster.h"

namespace wt::plot {
namespace {

namespace fs = std::filesystem;

constexpr std::uint32_t kWhite = 0xFFFFFFFFu;
constexpr std::uint32_t kBlack = 0xFF000000u;

std::vector<std::uint32_t> PixelsOf(const gdi::RasterImage& image) {
  std::vector<std::uint32_t> pixels;
  for (int y = 0; y < image.Height(); ++y) {
    for (int x = 0; x < image.Width(); ++x) pixels.push_back(image.Pixel(x, y));
  }
  return pixels;
}

class HpglReaderTest : public ::testing::Test {
 protected:
  void SetUp() override { path_ = TestPath("wt_hpgl") += ".hgl"; }
  void TearDown() override { fs::remove(path_); }

  // Writes `lines` as the plot file, each ended by CR LF, and draws it.
  DrawResult Draw(const std::vector<std::string>& lines) {
    {
      std::ofstream out(path_, std::ios::binary);
      for (const std::string& line : lines) out << line << "\r\n";
    }
    reader_.SetPlotFile(path_.string());
    return DrawAgain();
  }
  DrawResult DrawAgain() { return reader_.DrawPlotFile(dc_, 556); }

  // Writes `bytes` as the plot file and draws it on a fresh picture: the
  // pixels painted, or the result where the drawing was not whole.
  std::vector<std::uint32_t> Picture(const std::string& bytes) {
    std::ofstream(path_, std::ios::binary) << bytes;
    gdi::RasterImage image(556, 476, kWhite);
    gdi::RasterImageDC dc(image);
    reader_.SetPlotFile(path_.string());
    EXPECT_EQ(reader_.DrawPlotFile(dc, 556), drawn_) << bytes.substr(0, 40);
    return PixelsOf(image);
  }

  // The device point of a user point under the mapping the drawing left.
  gdi::Point Device(std::int16_t x, std::int16_t y) {
    Grafica& g = reader_.Renderer();
    return {g.DeviceX(g.PlotterX(x)), g.DeviceY(g.PlotterY(y))};
  }

  int PaintedCount() const {
    int count = 0;
    for (int y = 0; y < image_.Height(); ++y) {
      for (int x = 0; x < image_.Width(); ++x) count += image_.Pixel(x, y) != kWhite;
    }
    return count;
  }

  const DrawResult drawn_{DrawStatus::Drawn};
  const DrawResult notFound_{DrawStatus::NotFound};
  fs::path path_;
  gdi::RasterImage image_{556, 476, kWhite};
  gdi::RasterImageDC dc_{image_};
  HpglReader reader_;
};

TEST_F(HpglReaderTest, ParametersFollowABlankOrAComma) {
  for (const char* line : {"PU 100,200", "PU,100,200;", "PU 100 200", "PU  100 ,, 200"}) {
    gdi::MoveToEx(dc_, 0, 0, nullptr);
    ASSERT_EQ(Draw({line}), drawn_);
    EXPECT_EQ(dc_.Position(), Device(100, 200)) << line;
  }
  EXPECT_EQ(PaintedCount(), 0);
}

TEST_F(HpglReaderTest, NumbersRoundHalvesToEvenAndKeepTheirSigns) {
  Draw({"PD 1.5,2.5"});
  EXPECT_EQ(dc_.Position(), Device(2, 2));
  Draw({"PD -300,+20;"});
  EXPECT_EQ(dc_.Position(), Device(-300, 20));
}

TEST_F(HpglReaderTest, OnlyTheFirstPairOfALineIsRead) {
  Draw({"PU 0,4000", "PD 100,4000,9000,4000"});
  EXPECT_EQ(dc_.Position(), Device(100, 4000));
  EXPECT_EQ(PaintedCount(), 5);  // device x 0 to 4
  // Token 3 is "200;PD", which reads 200; the PD is never seen.
  Draw({"PU 100,200;PD 300,400;"});
  EXPECT_EQ(dc_.Position(), Device(100, 200));
  EXPECT_EQ(PaintedCount(), 5);
}

TEST_F(HpglReaderTest, OtherLinesAreIgnored) {
  Draw({"PU 5215,4000", "pu 100,200", " PU 100,200", "PA 100,200", "LB text", "PD", "P", "", "IN;",
        "XX 1,2,3,4"});
  EXPECT_EQ(dc_.Position(), Device(5215, 4000));
  EXPECT_EQ(PaintedCount(), 0);
}

TEST_F(HpglReaderTest, LinesWithTooFewParametersAreSkippedNotFedWithLeftovers) {
  Draw({"IP 0,0,10430,8000", "PU 5215,4000", "PD 100", "PU 7", "PD,;", "SC 0,100,0", "IP 1,2,3"});
  EXPECT_EQ(dc_.Position(), Device(5215, 4000));
  EXPECT_EQ(reader_.Renderer().PlotterX(10430), 10430);  // scaling untouched
  EXPECT_EQ(PaintedCount(), 0);
}

TEST_F(HpglReaderTest, SPTakesThePenFromTheThirdCharacterOnly) {
  const struct {
    const char* line;
    std::uint32_t colour;
  } cases[] = {{"SP3;", gdi::Argb(150, 255, 128)},
               {"SP 3", kBlack},
               {"SP92", gdi::Argb(255, 0, 0)},
               {"SP", kBlack},
               {"SP2", gdi::Argb(255, 150, 150)}};
  for (const auto& c : cases) {
    Draw({"SP9", c.line, "PU 0,4000", "PD 1000,4000"});
    EXPECT_EQ(image_.Pixel(0, 194), c.colour) << c.line;
  }
}

TEST_F(HpglReaderTest, IPAndSCSetTheUserScale) {
  Draw({"IP 0,0,10430,8000", "SC 0,100,0,100", "PU 100,100"});
  EXPECT_EQ(reader_.Renderer().PlotterX(100), 10430);
  EXPECT_EQ(reader_.Renderer().PlotterY(100), 8000);
  EXPECT_EQ(dc_.Position(), (gdi::Point{556, 0}));
}

TEST_F(HpglReaderTest, IPReadsItsFourParametersFromALongLine) {
  std::string line = "IP";
  for (int i = 1; i <= 40; ++i) (line += ",") += std::to_string(i * 100);
  Draw({line});
  EXPECT_EQ(reader_.Renderer().PlotterX(0), 100);
  EXPECT_EQ(reader_.Renderer().PlotterY(0), 200);
}

TEST_F(HpglReaderTest, EachDrawingStartsFromTheDefaultScale) {
  Draw({"IP 0,0,10430,8000", "SC 0,100,0,100"});
  Draw({"PU 100,100"});
  EXPECT_EQ(dc_.Position(), Device(100, 100));
  EXPECT_EQ(reader_.Renderer().PlotterX(100), 100);
}

TEST_F(HpglReaderTest, AMissingFileIsNotFoundAndNothingIsDrawn) {
  gdi::HPEN pen = dc_.SelectedPen();
  reader_.SetPlotFile((fs::temp_directory_path() / "wt_no_such_plot.hgl").string());
  EXPECT_EQ(DrawAgain(), notFound_);
  EXPECT_EQ(dc_.SelectedPen(), pen);  // the drawing's pens are released
  EXPECT_EQ(PaintedCount(), 0);

  reader_.SetPlotFile("");
  EXPECT_EQ(DrawAgain(), notFound_);
}

TEST_F(HpglReaderTest, AFileThatFailsWhileBeingReadIsAReadErrorWithItsReason) {
  Draw({"PU 0,4000", "PD 1000,4000"});
  // A last line of zero bytes just over the longest line read; sparse on disk.
  fs::resize_file(path_, fs::file_size(path_) + (std::uintmax_t{64} << 20) + 1);
  gdi::HPEN pen = dc_.SelectedPen();
  EXPECT_EQ(DrawAgain(), (DrawResult{DrawStatus::ReadError, "a line is longer than 64 MiB"}));
  EXPECT_EQ(dc_.SelectedPen(), pen);
  EXPECT_EQ(PaintedCount(), 53);  // the lines before the failure

  // A device is no plot file.
  reader_.SetPlotFile("/dev/zero");
  EXPECT_EQ(DrawAgain(), notFound_);
}

TEST_F(HpglReaderTest, EmptyAndBinaryFilesDrawNothing) {
  std::string binary;
  for (int round = 0; round < 4; ++round) {
    for (int byte = 0; byte < 256; ++byte) binary += static_cast<char>(byte);
  }
  const std::vector<std::uint32_t> empty(556 * 476, kWhite);
  for (const std::string& bytes : {std::string(), binary, std::string("\0\0\0\0", 4)}) {
    EXPECT_EQ(Picture(bytes), empty);
  }
}

// A plot that draws something in every pen and scale it sets.
const std::string kPlot =
    "IN;\r\nIP 0,0,10430,8000;\r\nSC 0,1000,0,800;\r\nSP1;\r\nPU 50,50;\r\nPD 950,50;\r\n"
    "PD 950,750;\r\nSP9;\r\nPU 100,100;\r\nPD 900,700;\r\n";

TEST_F(HpglReaderTest, LineEndsLongLinesAndNulBytesDrawTheSamePicture) {
  const std::vector<std::uint32_t> expected = Picture(kPlot);
  ASSERT_NE(expected, Picture(""));
  std::string lf, cr, longLines, nul;
  const std::string megabyte(std::size_t{1} << 20, ' ');
  for (std::size_t start = 0, end; (end = kPlot.find("\r\n", start)) != std::string::npos;
       start = end + 2) {
    const std::string line = kPlot.substr(start, end - start);
    lf += line + "\n";
    cr += line + "\r";
    // A megabyte of blanks after every line, and a line of a megabyte that
    // is no command between every two.
    longLines += line + megabyte + "\r\nLB" + megabyte + "\r\n";
    // A NUL byte ends a number and glues to a mnemonic; a line that begins
    // with one is no command.
    std::string odd = line;
    if (odd.starts_with("PD") || odd.starts_with("PU")) odd.insert(odd.find(','), 1, '\0');
    nul += odd + "\r\n" + std::string("\0PD 0,0\r\n", 9);
  }
  for (const std::string* variant : {&lf, &cr, &longLines, &nul}) {
    EXPECT_EQ(Picture(*variant), expected) << variant->substr(0, 40);
  }
}

TEST_F(HpglReaderTest, LinesThatCannotBeTakenAreSkipped) {
  const std::vector<std::uint32_t> expected = Picture(kPlot);
  // Numbers beyond 16 bits (65636 is not 100), a plot line of a million
  // tokens of which only the first pair counts, SC with a zero range, and
  // commands without their parameters.
  std::string tokens = "PD 900,700";
  for (int i = 0; i < 1000000; ++i) tokens += ",7";
  const std::string odd = kPlot + "PD 65636,100;\r\nPU 40000,-40000\r\nIP 0,0,70000,8000\r\n" +
                          "SC 0,0,0,800\r\nSC 5,1000,9,9\r\nPD\r\nPU 10\r\nIP 1,2,3\r\n" +
                          "SP\xff\r\n" + tokens + "\r\n";
  EXPECT_EQ(Picture("SP9\r\nSC 0,0,0,800\r\n" + odd + "SP9\r\n"), expected);
  // The same lines with numbers that fit do draw.
  EXPECT_NE(Picture(kPlot + "PD 100,700;\r\n"), expected);
}

TEST_F(HpglReaderTest, TheFileIsReadAgainAndClosedByEachDrawing) {
#ifdef _WIN32
  GTEST_SKIP() << "open files are counted through Linux's /proc/self/fd";
#endif
  const fs::path fds = "/proc/self/fd";
  if (!fs::exists(fds)) GTEST_SKIP() << "no /proc/self/fd to count open files";
  auto openFiles = [&] { return std::distance(fs::directory_iterator(fds), {}); };
  const auto before = openFiles();
  Draw({"PU 0,4000", "PD 1000,4000"});
  EXPECT_EQ(openFiles(), before);
  Draw({"PU 0,4000", "PD 2000,4000"});
  EXPECT_EQ(PaintedCount(), 106);
}

std::optional<PlotCommand> ReadCommand(std::string_view line) {
  PlotCommand command{};
  if (!plot::ReadCommand(line, command)) return std::nullopt;
  return command;
}

TEST(ReadCommandTest, EachCommandTakesItsParameters) {
  using Op = PlotCommand::Op;
  EXPECT_EQ(ReadCommand("PU 100,200;"), (PlotCommand{Op::PenUp, {100, 200}}));
  EXPECT_EQ(ReadCommand("PD,-3 4"), (PlotCommand{Op::PenDown, {-3, 4}}));
  EXPECT_EQ(ReadCommand("IP 1,2,3,4,5"), (PlotCommand{Op::ScalingPoints, {1, 2, 3, 4}}));
  EXPECT_EQ(ReadCommand("SC 0,100,0,80;"), (PlotCommand{Op::UserScale, {0, 100, 0, 80}}));
  EXPECT_EQ(ReadCommand("SP12"), (PlotCommand{Op::SelectPen, {1}}));
  EXPECT_EQ(ReadCommand("SP 3"), (PlotCommand{Op::SelectPen, {0}}));
  EXPECT_EQ(ReadCommand("SP"), (PlotCommand{Op::SelectPen, {0}}));
  for (const char* none :
       {"", "P", "PD", "PU 7", "SC 1,2,3", "pu 1,2", " PU 1,2", "PA 1,2", "PD 1,40000", "IN;"}) {
    EXPECT_EQ(ReadCommand(none), std::nullopt) << none;
  }
}

// A plot far longer than what is read ahead of the drawing: its commands
// are drawn in file order, as if each line were drawn as soon as read, on
// the same thread.
TEST_F(HpglReaderTest, ALongPlotDrawsItsCommandsInFileOrder) {
  std::mt19937 random(23);
  std::vector<std::string> lines;
  for (int i = 0; i < 60000; ++i) {
    const int kind = static_cast<int>(random() % 100);
    if (kind == 0) {
      lines.push_back("SC 0," + std::to_string(1000 + random() % 9000) + ",0,8000");
    } else if (kind < 5) {
      lines.push_back("SP" + std::to_string(random() % 10));
    } else {
      lines.push_back(std::string(kind < 30 ? "PU " : "PD ") + std::to_string(random() % 10431) +
                      "," + std::to_string(random() % 8001));
    }
  }
  ASSERT_EQ(Draw(lines), drawn_);

  gdi::RasterImage expected(556, 476, kWhite);
  gdi::RasterImageDC dc(expected);
  Grafica grafica;
  grafica.BeginPlot(556, dc);
  for (const std::string& line : lines) {
    const std::optional<PlotCommand> command = ReadCommand(line);
    ASSERT_TRUE(command) << line;
    RunCommand(grafica, *command);
  }
  grafica.EndPlot();
  const std::vector<std::uint32_t> drawn = PixelsOf(image_);
  EXPECT_EQ(drawn, PixelsOf(expected));
  EXPECT_GT(PaintedCount(), 1000);

  // Failing after all those commands, the drawing has drawn every one.
  fs::resize_file(path_, fs::file_size(path_) + (std::uintmax_t{64} << 20) + 1);
  gdi::RasterImage again(556, 476, kWhite);
  gdi::RasterImageDC againDC(again);
  EXPECT_EQ(reader_.DrawPlotFile(againDC, 556).status, DrawStatus::ReadError);
  EXPECT_EQ(PixelsOf(again), drawn);
}

// Any mix of commands and numbers, however extreme, draws without harm.
TEST_F(HpglReaderTest, RandomPlotsDrawSafely) {
  std::mt19937 random(17);
  const char* mnemonics[] = {"IP ", "SC ", "PU ", "PD ", "SP", "PU,", "PD\t", "IN;"};
  const char* numbers[] = {"0",     "1",       "-1",   "32767", "-32768", "32768",
                           "1e300", "-1e-300", "0.5",  "-2.5",  "nan",    ";",
                           "",      "10430",   "8000", "12,",   " "};
  std::vector<std::string> lines;
  for (int i = 0; i < 3000; ++i) {
    std::string line = mnemonics[random() % 8];
    for (int k = random() % 6; k > 0; --k) {
      line += numbers[random() % 17];
      line += random() % 2 ? "," : " ";
    }
    lines.push_back(line);
  }
  EXPECT_EQ(Draw(lines), drawn_);
  for (std::int16_t width : {0, 1, 3, 32767}) {
    gdi::RasterImage small(3, 2, kWhite);
    gdi::RasterImageDC dc(small);
    EXPECT_EQ(reader_.DrawPlotFile(dc, width), drawn_);
  }
}

}  // namespace
}  // namespace wt::plot
