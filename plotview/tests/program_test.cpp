// wtplot run as a program: without a display, and printing for real on the
// default printer of the print server (scripts/start-cups.sh sets one up).
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <thread>

namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

class WtplotProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              ("wt_wtplot_" + std::to_string(getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
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
  EXPECT_EQ(RunWtplot(""), 1);
  EXPECT_EQ(RunWtplot("plot.hgl PRINT"), 1);
}

TEST_F(WtplotProgramTest, PrintModeWithoutAPrinterSaysSo) {
  EXPECT_EQ(RunWtplot("plot.hgl p", "CUPS_SERVER=/nonexistent/wintarvo-cups.sock"), 1);
  EXPECT_EQ(err_, "Warning: No printer is installed\n");
  EXPECT_EQ(out_, "");
}

// A page rendered from PDF as a portable pixmap.
struct Pixmap {
  int width = 0, height = 0;
  std::string rgb;
  bool Red(int x, int y) const {
    const std::size_t at = 3 * (static_cast<std::size_t>(y) * width + x);
    return static_cast<unsigned char>(rgb[at]) > 200 &&
           static_cast<unsigned char>(rgb[at + 1]) < 80 &&
           static_cast<unsigned char>(rgb[at + 2]) < 80;
  }
};

Pixmap ReadPpm(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::string magic;
  int maximum = 0;
  Pixmap p;
  in >> magic >> p.width >> p.height >> maximum;
  in.get();
  if (magic != "P6" || maximum != 255) return {};
  p.rgb.resize(3 * static_cast<std::size_t>(p.width) * p.height);
  in.read(p.rgb.data(), static_cast<std::streamsize>(p.rgb.size()));
  return p;
}

// The row (or column) with the most red pixels: where, how many, the first
// and the last.
struct RedRun {
  int line = -1, count = 0, first = -1, last = -1;
};
RedRun LongestRedRun(const Pixmap& page, bool rows) {
  RedRun best;
  const int lines = rows ? page.height : page.width, length = rows ? page.width : page.height;
  for (int i = 0; i < lines; ++i) {
    RedRun run{i};
    for (int j = 0; j < length; ++j) {
      if (!(rows ? page.Red(j, i) : page.Red(i, j))) continue;
      if (run.first < 0) run.first = j;
      run.last = j;
      ++run.count;
    }
    if (run.count > best.count) best = run;
  }
  return best;
}

// The PDF printer writes into the PDF folder of the job's user, or into its
// folder for anonymous jobs.
std::set<fs::path> PdfFiles() {
  std::set<fs::path> files;
  std::vector<fs::path> folders = {"/var/spool/cups-pdf/ANONYMOUS"};
  if (const char* home = std::getenv("HOME")) folders.push_back(fs::path(home) / "PDF");
  if (const passwd* user = getpwuid(getuid())) folders.push_back(fs::path(user->pw_dir) / "PDF");
  for (const fs::path& folder : folders) {
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
      if (entry.path().extension() == ".pdf") files.insert(entry.path());
    }
  }
  return files;
}

TEST_F(WtplotProgramTest, PrintModePrintsThePlotOnTheDefaultPrinter) {
  ASSERT_EQ(Run("lpstat -r"), 0) << "lpstat is missing: install cups-client";
  ASSERT_NE(out_.find("scheduler is running"), std::string::npos)
      << "The print server is not running: run scripts/start-cups.sh";
  ASSERT_EQ(Run("lpstat -d"), 0);
  ASSERT_EQ(out_.find("no system default"), std::string::npos)
      << "No default printer: run scripts/start-cups.sh";
  ASSERT_EQ(Run("lpstat -e"), 0);
  ASSERT_NE(out_.find("PDF"), std::string::npos) << "No PDF printer: run scripts/start-cups.sh";

  const std::set<fs::path> before = PdfFiles();
  ASSERT_EQ(RunWtplot("plot.hgl P"), 0) << err_;
  EXPECT_EQ(err_.find("Warning"), std::string::npos) << err_;

  // The job leaves the queue, then the PDF printer writes its file.
  fs::path pdf;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(90);
  while (pdf.empty() && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(250));
    if (Run("lpstat -o") != 0 || !out_.empty()) continue;
    for (const fs::path& file : PdfFiles()) {
      if (!before.count(file) && fs::file_size(file) > 0) pdf = file;
    }
  }
  ASSERT_FALSE(pdf.empty()) << "No PDF came out of the print server within 90 s";
  fs::copy_file(pdf, folder_ / "page.pdf");
  fs::remove(pdf);

  ASSERT_EQ(Run("pdftoppm -r 50 -aa no -aaVector no page.pdf page"), 0)
      << "pdftoppm failed (install poppler-utils): " << err_;
  fs::path ppm;
  for (const auto& entry : fs::directory_iterator(folder_)) {
    if (entry.path().extension() == ".ppm") ppm = entry.path();
  }
  ASSERT_FALSE(ppm.empty()) << "pdftoppm made no page";
  const Pixmap page = ReadPpm(ppm);
  ASSERT_GT(page.width, 0);

  // The red horizontal line spans the printable width at half the frame's
  // height; the red vertical line spans the frame's height at half its width.
  const RedRun row = LongestRedRun(page, true), column = LongestRedRun(page, false);
  ASSERT_GT(row.count, page.width * 8 / 10) << "no red line across the page";
  ASSERT_GT(column.count, page.width / 2) << "no red line down the page";
  const double width = row.last - row.first + 1, height = column.last - column.first + 1;
  EXPECT_NEAR(height / width, 0.7, 0.02);
  EXPECT_NEAR(column.line, (row.first + row.last) / 2.0, 2.0);
  EXPECT_NEAR(row.line, (column.first + column.last) / 2.0, 2.0);
  EXPECT_LT(column.last, page.height * 6 / 10);  // at the top of the page
}

}  // namespace
