// wtplot run as a program: without a display, and printing for real on the
// default printer of the print server, a PDF printer (scripts/start-cups.sh).
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/tests/testfolder.h"

namespace {

namespace fs = std::filesystem;

class WtplotProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(folder_ / "runtime");
    fs::permissions(folder_ / "runtime", fs::perms::owner_all);
    std::ofstream(folder_ / "plot.hgl", std::ios::binary)
        << "SP9;\r\nPU 0,4000;\r\nPD 10430,4000;\r\nPU 5215,0;\r\nPD 5215,8000;\r\n";
  }
  void TearDown() override { fs::remove_all(folder_); }

  // Runs a shell command line in the test's folder; its status, with its
  // standard output and error in out_ and err_.
  int Run(const std::string& command) {
    const int status =
        std::system(("cd '" + folder_.string() + "' && (" + command + ") >out 2>err").c_str());
    for (auto [name, text] : {std::pair{"out", &out_}, std::pair{"err", &err_}}) {
      *text = (std::stringstream() << std::ifstream(folder_ / name).rdbuf()).str();
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  // wtplot with `arguments`, on the console: no display.
  int RunWtplot(const std::string& arguments, const std::string& environment = "") {
    return Run("env -u DISPLAY -u WAYLAND_DISPLAY XDG_RUNTIME_DIR='" +
               (folder_ / "runtime").string() + "' WINTARVO_DRIVES=drives " + environment +
               " '" WTPLOT_PROGRAM "' " + arguments);
  }

  const fs::path folder_ = wt::TestPath("wt_wtplot");
  std::string out_, err_;
};

TEST_F(WtplotProgramTest, WithoutADisplayOrAPrinterItSaysSoOnTheConsole) {
  EXPECT_EQ(RunWtplot("plot.hgl"), 1);
  EXPECT_EQ(err_,
            "wtplot: the viewer's window needs a display, and there is none (DISPLAY and "
            "WAYLAND_DISPLAY are unset, or WINTARVO_UI=console); to print without one: "
            "wtplot FILE P\n");
  EXPECT_EQ(RunWtplot("plot.hgl p", "CUPS_SERVER=/nonexistent/wintarvo-cups.sock"), 1);
  EXPECT_EQ(err_, "Warning: No printer is installed\n");
}

// Other runs may print on the same server at once: the job goes out under an
// owner of this run's own, whose jobs' owner the server shows to that owner
// alone. The PDF printer names its file after the job's id ("wtplot-job_23.pdf"),
// and the file is whole once the job is completed.
TEST_F(WtplotProgramTest, PrintModePrintsThePlotOnTheDefaultPrinter) {
  ASSERT_TRUE(Run("lpstat -d") == 0 && out_ == "system default destination: PDF\n")
      << "No print server with the default printer PDF: run scripts/start-cups.sh\n"
      << out_;
  const std::string owner =
      "wt" + std::to_string(getpid()) + "t" + std::to_string(std::time(nullptr));
  const std::string asOwner = "CUPS_USER=" + owner + " ";
  ASSERT_EQ(RunWtplot("plot.hgl P", asOwner), 0) << err_;
  Run(asOwner + "lpstat -W all -o | awk '$2 == \"" + owner +
      "\" {sub(/.*-/, \"\", $1); print $1}'");
  const std::string job = out_.substr(0, out_.find('\n'));
  ASSERT_FALSE(job.empty()) << "No job of " << owner << " on the print server";
  const std::string pdfs = "/var/spool/cups-pdf/ANONYMOUS/*job_" + job +
                           "[-.]*pdf \"$HOME\"/PDF/*job_" + job + "[-.]*pdf";
  ASSERT_EQ(Run("for i in $(seq 360); do " + asOwner + "lpstat -W completed -o | grep -q -- '-" +
                job + " ' && break; sleep 0.25; done; for f in " + pdfs +
                "; do [ -s \"$f\" ] && cp \"$f\" page.pdf && rm -f \"$f\"; done; "
                "pdftoppm -r 50 -aa no -aaVector no -singlefile page.pdf page"),
            0)
      << "No page of job " << job << " (pdftoppm is in poppler-utils): " << err_;

  // The page as a portable pixmap, P6 of 8-bit samples: a red line across the
  // printable width, and one down the frame, seven tenths as long.
  std::ifstream ppm(folder_ / "page.ppm", std::ios::binary);
  std::string magic;
  int width = 0, height = 0, maximum = 0;
  ppm >> magic >> width >> height >> maximum;
  ppm.get();
  std::vector<unsigned char> rgb(3 * static_cast<std::size_t>(width) * height);
  ppm.read(reinterpret_cast<char*>(rgb.data()), static_cast<std::streamsize>(rgb.size()));
  ASSERT_TRUE(ppm && magic == "P6" && maximum == 255);
  std::vector<int> inRow(height), inColumn(width);
  for (std::size_t i = 0; i < rgb.size(); i += 3) {
    const bool red = rgb[i] > 200 && rgb[i + 1] < 80 && rgb[i + 2] < 80;
    inRow[i / 3 / width] += red;
    inColumn[i / 3 % width] += red;
  }
  const int across = *std::max_element(inRow.begin(), inRow.end());
  EXPECT_GT(across, width * 8 / 10);
  EXPECT_NEAR(*std::max_element(inColumn.begin(), inColumn.end()) / static_cast<double>(across),
              0.7, 0.02);
}

}  // namespace
