// wtplot run as a program: without a display, and printing for real on the
// default printer of the print server (scripts/start-cups.sh sets one up).
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/tests/testfolder.h"

namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& path) {
  std::stringstream text;
  text << std::ifstream(path, std::ios::binary).rdbuf();
  return text.str();
}

class WtplotProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = wt::TestPath("wt_wtplot");
    fs::create_directories(folder_ / "runtime");
    fs::permissions(folder_ / "runtime", fs::perms::owner_all);
    std::ofstream(folder_ / "plot.hgl", std::ios::binary)
        << "IN;\r\nSP9;\r\nPU 0,4000;\r\nPD 10430,4000;\r\nPU 5215,0;\r\nPD 5215,8000;\r\n";
  }
  void TearDown() override { fs::remove_all(folder_); }

  // Runs a shell command line in the test's folder; its status, with its
  // standard output and error in out_ and err_.
  int Run(const std::string& command) {
    const std::string line = "cd '" + folder_.string() + "' && " + command + " >'" +
                             (folder_ / "out").string() + "' 2>'" + (folder_ / "err").string() +
                             "'";
    const int status = std::system(line.c_str());
    out_ = ReadAll(folder_ / "out");
    err_ = ReadAll(folder_ / "err");
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  // wtplot with `arguments`, on the console: no display.
  int RunWtplot(const std::string& arguments, const std::string& environment = "") {
    return Run("env -u DISPLAY -u WAYLAND_DISPLAY XDG_RUNTIME_DIR='" +
               (folder_ / "runtime").string() + "' WINTARVO_DRIVES='" +
               (folder_ / "drives").string() + "' " + environment + " '" WTPLOT_PROGRAM "' " +
               arguments);
  }

  fs::path folder_;
  std::string out_, err_;
};

TEST_F(WtplotProgramTest, TheWindowNeedsADisplay) {
  EXPECT_EQ(RunWtplot("plot.hgl"), 1);
  EXPECT_EQ(err_,
            "wtplot: the viewer's window needs a display, and there is none (DISPLAY and "
            "WAYLAND_DISPLAY are unset, or WINTARVO_UI=console); to print without one: "
            "wtplot FILE P\n");
}

TEST_F(WtplotProgramTest, PrintModeWithoutAPrinterSaysSo) {
  EXPECT_EQ(RunWtplot("plot.hgl p", "CUPS_SERVER=/nonexistent/wintarvo-cups.sock"), 1);
  EXPECT_EQ(err_, "Warning: No printer is installed\n");
  EXPECT_EQ(out_, "");
}

// The id of the job that `owner` sent, from a job listing of lpstat, whose
// lines read "PDF-23  owner  2048  Mon Dec  7 07:53:19 2026"; empty when
// there is none.
std::string JobOf(const std::string& listing, const std::string& owner) {
  std::istringstream lines(listing);
  for (std::string job, user, rest; lines >> job >> user && std::getline(lines, rest);) {
    const std::size_t dash = job.rfind('-');
    if (user == owner && dash != std::string::npos) return job.substr(dash + 1);
  }
  return {};
}

// The file the PDF printer made for job `id`: its queue labels every file
// with the job id ("wtplot-job_23.pdf"). It writes into the PDF folder of a
// known user, or into its folder for anonymous jobs.
fs::path PdfOfJob(const std::string& id) {
  std::vector<fs::path> folders = {"/var/spool/cups-pdf/ANONYMOUS"};
  if (const char* home = std::getenv("HOME")) folders.push_back(fs::path(home) / "PDF");
  if (const passwd* user = getpwuid(getuid())) folders.push_back(fs::path(user->pw_dir) / "PDF");
  const std::string suffix = "-job_" + id + ".pdf", prefix = "job_" + id + "-";
  for (const fs::path& folder : folders) {
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
      const std::string name = entry.path().filename().string();
      if ((name.size() > suffix.size() && name.ends_with(suffix)) ||
          (name.starts_with(prefix) && name.ends_with(".pdf"))) {
        return entry.path();
      }
    }
  }
  return {};
}

TEST_F(WtplotProgramTest, PrintModePrintsThePlotOnTheDefaultPrinter) {
  ASSERT_EQ(Run("lpstat -r -d -e"), 0) << "lpstat is missing: install cups-client";
  ASSERT_TRUE(out_.find("scheduler is running") != std::string::npos &&
              out_.find("no system default") == std::string::npos &&
              out_.find("PDF") != std::string::npos)
      << "No print server with a default PDF printer: run scripts/start-cups.sh\n"
      << out_;

  // Other runs may print on the same server at the same time: the job is
  // sent under an owner of this run's own, which tells its id.
  const std::string owner =
      "wt" + std::to_string(getpid()) + "t" +
      std::to_string(std::chrono::system_clock::to_time_t(std::chrono::system_clock::now()));
  ASSERT_EQ(RunWtplot("plot.hgl P", "CUPS_USER=" + owner), 0) << err_;
  EXPECT_EQ(err_.find("Warning"), std::string::npos) << err_;
  // The server shows a job's owner only to that owner (and to root).
  const std::string asOwner = "CUPS_USER=" + owner + " ";
  ASSERT_EQ(Run(asOwner + "lpstat -W all -o"), 0);
  const std::string job = JobOf(out_, owner);
  ASSERT_FALSE(job.empty()) << "No job of " << owner << " on the print server:\n" << out_;

  // The job completes once the PDF printer has written its file.
  fs::path pdf;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(90);
  while (pdf.empty() && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(250));
    if (Run(asOwner + "lpstat -W completed -o") != 0 || JobOf(out_, owner) != job) continue;
    pdf = PdfOfJob(job);
    if (!pdf.empty() && fs::file_size(pdf) == 0) pdf.clear();
  }
  ASSERT_FALSE(pdf.empty()) << "No PDF of job " << job << " came out within 90 s";
  fs::copy_file(pdf, folder_ / "page.pdf");
  std::error_code kept;  // the printer's own file, which only root may remove from its folder
  fs::remove(pdf, kept);
  ASSERT_EQ(Run("pdftoppm -r 50 -aa no -aaVector no -singlefile page.pdf page"), 0)
      << "pdftoppm failed (install poppler-utils): " << err_;

  // The page as a portable pixmap, P6 of 8-bit samples; its red pixels
  // counted in each row and each column.
  std::ifstream ppm(folder_ / "page.ppm", std::ios::binary);
  std::string magic;
  int width = 0, height = 0, maximum = 0;
  ppm >> magic >> width >> height >> maximum;
  ppm.get();
  ASSERT_TRUE(magic == "P6" && maximum == 255 && width > 0) << magic << " " << maximum;
  std::string rgb(3 * static_cast<std::size_t>(width) * height, '\0');
  ppm.read(rgb.data(), static_cast<std::streamsize>(rgb.size()));
  const auto red = [&](int x, int y) {
    const auto* p =
        reinterpret_cast<const unsigned char*>(&rgb[3 * (std::size_t{1} * y * width + x)]);
    return p[0] > 200 && p[1] < 80 && p[2] < 80;
  };
  std::vector<int> inRow(height), inColumn(width);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if (!red(x, y)) continue;
      ++inRow[y];
      ++inColumn[x];
    }
  }
  // The red horizontal line spans the printable width at half the frame's
  // height; the red vertical line spans the frame's height at half its
  // width, at the top of the page.
  const int row = static_cast<int>(std::max_element(inRow.begin(), inRow.end()) - inRow.begin());
  const int column =
      static_cast<int>(std::max_element(inColumn.begin(), inColumn.end()) - inColumn.begin());
  const int across = inRow[row], down = inColumn[column];
  ASSERT_GT(across, width * 8 / 10) << "no red line across the page";
  EXPECT_NEAR(static_cast<double>(down) / across, 0.7, 0.02);
  int left = 0, top = 0;
  while (!red(left, row)) ++left;
  while (!red(column, top)) ++top;
  EXPECT_NEAR(column, left + across / 2.0, 2.0);
  EXPECT_NEAR(row, top + down / 2.0, 2.0);
  EXPECT_LT(top + down, height * 6 / 10);
}

}  // namespace
