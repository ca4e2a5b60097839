// Writes its folder and its arguments, one a line, into the file named by its
// first argument (relative names land in its current folder).
#include <unistd.h>

#include <cstdio>

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  char cwd[4096];
  if (!getcwd(cwd, sizeof cwd)) return 3;
  std::FILE* out = std::fopen(argv[1], "w");
  if (!out) return 4;
  std::fprintf(out, "%s\n", cwd);
  for (int i = 2; i < argc; ++i) std::fprintf(out, "%s\n", argv[i]);
  std::fclose(out);
  return 0;
}
