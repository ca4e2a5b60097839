// Reports how it was started into the file named by its first argument
// (relative names land in its current folder): its folder, its command-line
// tail, then its arguments after the first, one a line. The report is
// written beside the file and renamed into place, so that whoever waits for
// it never reads it half-written.
#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/cmdtail.h"

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const std::string part = std::string(argv[1]) + ".part";
  std::FILE* out = std::fopen(part.c_str(), "w");
  if (!out) return 4;
  std::fprintf(out, "%s\n", std::filesystem::current_path().string().c_str());
  std::fprintf(out, "%s\n", wt::CommandTail(argc, argv).c_str());
  for (int i = 2; i < argc; ++i) std::fprintf(out, "%s\n", argv[i]);
  if (std::fclose(out) != 0) return 4;
  std::error_code error;
  std::filesystem::rename(part, argv[1], error);
  return error ? 4 : 0;
}
