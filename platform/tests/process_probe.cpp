// Reports how it was started into the file named by its first argument
// (relative names land in its current folder): its folder, its command-line
// tail, then its arguments after the first, one a line. The report is
// written whole, so that whoever waits for it never reads it half-written.
#include <filesystem>
#include <string>

#include "platform/atomicfile.h"
#include "platform/cmdtail.h"

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  std::string report = std::filesystem::current_path().string() + "\n";
  report += wt::CommandTail(argc, argv) + "\n";
  for (int i = 2; i < argc; ++i) report += std::string(argv[i]) + "\n";
  return wt::WriteFileAtomically(argv[1], report) ? 0 : 4;
}
