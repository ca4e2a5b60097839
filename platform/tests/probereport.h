// The report of wt_process_probe (process_probe.cpp), which the probe writes
// whole: once the file is there it can be read.
#pragma once

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace wt {

// The lines of the report `file`, waiting up to ten seconds for it; none
// when it never comes.
inline std::vector<std::string> WaitForProbeReport(const std::filesystem::path& file) {
  for (int i = 0; i < 1000 && !std::filesystem::exists(file); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  std::ifstream in(file);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

}  // namespace wt
