// The plot reader on what cannot be opened as a plot file (POSIX: folders,
// pipes, devices, files closed to the reader), and without threads.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <utility>

#include "platform/testenv.h"
#include "platform/tests/noaccess.h"
#include "platform/tests/testfolder.h"
#include "platform/tests/withoutthreads.h"
#include "plotview/gdi/gdiraster.h"
#include "plotview/hpgldisegna.h"

namespace wt::plot {
namespace {

namespace fs = std::filesystem;

TEST(HpglReaderOpening, WhatCannotBeOpenedAsAFileIsNotFound) {
  gdi::RasterImage image(556, 476, 0xFFFFFFFFu);
  gdi::RasterImageDC dc(image);
  HpglReader reader;
  const DrawResult notFound{DrawStatus::NotFound};
  const fs::path folder = FreshTestFolder("wt_hpgl_open");
  fs::create_directory(folder / "folder.hgl");
  ASSERT_EQ(mkfifo((folder / "pipe.hgl").c_str(), 0644), 0);  // opening it would wait
  std::ofstream(folder / "secret.hgl") << "PU 0,4000\r\nPD 1000,4000\r\n";
  for (const fs::path& path : {folder / "folder.hgl", folder / "pipe.hgl", fs::path("/dev/zero")}) {
    reader.SetPlotFile(path.string());
    EXPECT_EQ(reader.DrawPlotFile(dc, 556), notFound) << path;
  }
  {
    testing::NoAccess closed({folder / "secret.hgl"}, {});
    reader.SetPlotFile((folder / "secret.hgl").string());
    EXPECT_EQ(reader.DrawPlotFile(dc, 556), notFound);
  }
  // A drive path while neither WINTARVO_DRIVES nor HOME says where drives are.
  {
    const ScopedEnvironment home("HOME", std::nullopt);
    const ScopedEnvironment drives("WINTARVO_DRIVES", std::nullopt);
    reader.SetPlotFile("c:\\zorb\\zorb1.hgl");
    EXPECT_EQ(reader.DrawPlotFile(dc, 556), notFound);
  }
  for (int y = 0; y < image.Height(); ++y) {
    for (int x = 0; x < image.Width(); ++x) ASSERT_EQ(image.Pixel(x, y), 0xFFFFFFFFu);
  }
  fs::remove_all(folder);
}

// With no second thread to be had, the plot is read and drawn in turn, to
// the same picture.
TEST(HpglReaderThreads, WithoutASecondThreadThePlotIsDrawnAllTheSame) {
  const fs::path folder = FreshTestFolder("wt_hpgl_threads");
  {
    std::ofstream plot(folder / "plot.hgl", std::ios::binary);
    for (int i = 0; i < 30000; ++i) {
      plot << (i % 3 ? "PD " : "PU ") << (i * 7919) % 10431 << ',' << (i * 4099) % 8001 << "\r\n";
    }
  }
  const auto draw = [&] {
    auto image = std::make_unique<gdi::RasterImage>(556, 476, 0xFFFFFFFFu);
    gdi::RasterImageDC dc(*image);
    HpglReader reader;
    reader.SetPlotFile((folder / "plot.hgl").string());
    const bool drawn = reader.DrawPlotFile(dc, 556) == DrawResult{DrawStatus::Drawn};
    return std::pair(drawn, std::move(image));
  };
  const auto [drawn, expected] = draw();
  ASSERT_TRUE(drawn);

  EXPECT_EQ(testing::RunWithoutThreads([&] {
              const auto [drawnAlone, image] = draw();
              return drawnAlone &&
                     std::equal(image->Data(), image->Data() + 556 * 476, expected->Data());
            }),
            "passed");
  fs::remove_all(folder);
}

}  // namespace
}  // namespace wt::plot
