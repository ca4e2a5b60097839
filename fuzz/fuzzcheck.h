// What the fuzz targets share: a check that stops the run with the failed
// condition (libFuzzer then saves the input that made it fail), and a
// scratch drives folder so that c:\zorb\ is a fresh temporary folder.
#pragma once

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>

#define FUZZ_CHECK(condition)                                                            \
  do {                                                                                   \
    if (!(condition)) {                                                                  \
      std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                      \
    }                                                                                    \
  } while (false)

namespace wt::fuzz {

// c:\zorb\ in a folder of its own for this process, named by WINTARVO_DRIVES
// from the first use on and removed when the process ends normally.
class Scratch {
 public:
  static const Scratch& Get() {
    static const Scratch scratch;
    return scratch;
  }
  ~Scratch() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
  }

  // Writes c:\zorb\<name> whole and returns its system path.
  std::string Write(std::string_view name, std::string_view bytes) const {
    std::ofstream(Host(name), std::ios::binary) << bytes;
    return "c:\\zorb\\" + std::string(name);
  }
  std::string Read(std::string_view name) const {
    std::ostringstream bytes;
    bytes << std::ifstream(Host(name), std::ios::binary).rdbuf();
    return bytes.str();
  }

 private:
  Scratch()
      : root_(std::filesystem::temp_directory_path() / ("wt_fuzz_" + std::to_string(getpid()))) {
    std::filesystem::remove_all(root_);
    std::filesystem::create_directories(Host(""));
    setenv("WINTARVO_DRIVES", root_.c_str(), 1);
  }
  std::filesystem::path Host(std::string_view name) const {
    return root_ / "drive_c" / "zorb" / name;
  }
  const std::filesystem::path root_;
};

}  // namespace wt::fuzz
