// The plot reader on what cannot be opened as a plot file (POSIX: folders,
// pipes, devices, files closed to the reader), on names no Windows file may
// have, and without threads.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <utility>
#include <vector>

#include "platform/testenv.h"
#include "platform/tests/noaccess.h"
#include "platform/tests/testfolder.h"
#include "platform/tests/withoutthreads.h"
#include "plotview/gdi/gdiraster.h"
#include "plotview/hpgldisegna.h"

namespace wt::plot {
namespace {

namespace fs = std::filesystem;

using Drawing = std::pair<DrawResult, std::vector<std::uint32_t>>;

class HpglReaderOpening : public ::testing::Test {
 protected:
  void SetUp() override { std::ofstream(folder_ / "plot.hgl") << "PU 0,4000\r\nPD 1000,4000\r\n"; }
  void TearDown() override { fs::remove_all(folder_); }

  // The plot file `path` drawn on a fresh picture: what it came to, and the picture.
  static Drawing Draw(const fs::path& path) {
    gdi::RasterImage image(556, 476, 0xFFFFFFFFu);
    gdi::RasterImageDC dc(image);
    HpglReader reader;
    reader.SetPlotFile(path.string());
    const DrawResult result = reader.DrawPlotFile(dc, 556);
    return {result, {image.Data(), image.Data() + 556 * 476}};
  }

  const fs::path folder_ = FreshTestFolder("wt_hpgl_open");
};

TEST_F(HpglReaderOpening, WhatCannotBeOpenedAsAFileIsNotFound) {
  fs::create_directory(folder_ / "folder.hgl");
  ASSERT_EQ(mkfifo((folder_ / "pipe.hgl").c_str(), 0644), 0);  // opening it would wait
  const testing::NoAccess closed({folder_ / "plot.hgl"}, {});
  // A drive path while neither WINTARVO_DRIVES nor HOME says where drives are.
  const ScopedEnvironment home("HOME", std::nullopt), drives("WINTARVO_DRIVES", std::nullopt);
  for (const fs::path& path : {folder_ / "folder.hgl", folder_ / "pipe.hgl", fs::path("/dev/zero"),
                               folder_ / "plot.hgl", fs::path("c:\\zorb\\zorb1.hgl")}) {
    EXPECT_EQ(Draw(path).first, DrawResult{DrawStatus::NotFound}) << path;
  }
}

// Names are taken as they are, never through a shell.
TEST_F(HpglReaderOpening, AnyNameIsOpened) {
  const fs::path odd = folder_ / "it's \"$HOME\";&|* pl\xc3\xb6t.hgl";
  fs::copy_file(folder_ / "plot.hgl", odd);
  const Drawing drawn = Draw(odd);
  EXPECT_EQ(drawn.first, DrawResult{DrawStatus::Drawn});
  EXPECT_EQ(drawn, Draw(folder_ / "plot.hgl"));
}

using HpglReaderThreads = HpglReaderOpening;

// With no second thread to be had, the plot is read and drawn in turn, to
// the same picture.
TEST_F(HpglReaderThreads, WithoutASecondThreadThePlotIsDrawnAllTheSame) {
  {
    std::ofstream plot(folder_ / "plot.hgl", std::ios::binary);
    for (int i = 0; i < 30000; ++i) {
      plot << (i % 3 ? "PD " : "PU ") << (i * 7919) % 10431 << ',' << (i * 4099) % 8001 << "\r\n";
    }
  }
  const Drawing expected = Draw(folder_ / "plot.hgl");
  ASSERT_EQ(expected.first, DrawResult{DrawStatus::Drawn});
  EXPECT_EQ(testing::RunWithoutThreads([&] { return Draw(folder_ / "plot.hgl") == expected; }),
            "passed");
}

}  // namespace
}  // namespace wt::plot
