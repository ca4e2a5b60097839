// Reports how it was started into the file named by its first argument
// (relative names land in its current folder): its folder, its command-line
// tail, then its arguments after the first, one a line.
#include <cstdio>
#include <filesystem>

#include "platform/cmdtail.h"

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  std::FILE* out = std::fopen(argv[1], "w");
  if (!out) return 4;
  std::fprintf(out, "%s\n", std::filesystem::current_path().string().c_str());
  std::fprintf(out, "%s\n", wt::CommandTail(argc, argv).c_str());
  for (int i = 2; i < argc; ++i) std::fprintf(out, "%s\n", argv[i]);
  std::fclose(out);
  return 0;
}
