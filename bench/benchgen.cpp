// Generates the benchmark workloads, deterministically.
//
//   benchgen cor FILE STEPS ATOMS     a coordinate file of STEPS steps
//   benchgen xyz FILE STEPS ATOMS     the same molecules as a multi-frame XYZ file
//   benchgen hgl-random FILE LINES    PU/PD lines to random points of the frame
//   benchgen hgl-steps FILE LINES     PD lines that each move a few units
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed) {}
  std::uint64_t Next() {  // xorshift64*
    state_ ^= state_ >> 12;
    state_ ^= state_ << 25;
    state_ ^= state_ >> 27;
    return state_ * 2685821657736338717ULL;
  }
  double Unit() { return static_cast<double>(Next() >> 11) / 9007199254740992.0; }
  int Below(int n) { return static_cast<int>(Next() % static_cast<std::uint64_t>(n)); }

 private:
  std::uint64_t state_;
};

const char* const kSymbols[] = {"C ", "H ", "O ", "N ", "Cl", "S "};

struct Atom {
  const char* symbol;
  double x, y, z;
};

// Step s of a molecule whose atoms drift a little from step to step.
void MakeStep(int step, int atoms, Atom* out) {
  Random random(12345);
  for (int i = 0; i < atoms; ++i) {
    out[i].symbol = kSymbols[random.Below(6)];
    double wobble = 0.001 * step;
    out[i].x = (random.Unit() - 0.5) * 40.0 + wobble;
    out[i].y = (random.Unit() - 0.5) * 40.0 - wobble;
    out[i].z = (random.Unit() - 0.5) * 40.0 + 0.5 * wobble;
  }
}

int WriteCoordinates(std::FILE* f, int steps, int atoms, bool xyz) {
  Atom* molecule = new Atom[atoms];
  if (!xyz) std::fputs(" benchmark coordinate file\r\n", f);
  for (int s = 1; s <= steps; ++s) {
    MakeStep(s, atoms, molecule);
    if (xyz) {
      std::fprintf(f, "%d\nstep %d\n", atoms, s);
    } else {
      std::fprintf(f, "$ step %d\r\n%6d\r\n energy = %.6f\r\n", s, atoms, -100.0 - 0.001 * s);
    }
    for (int i = 0; i < atoms; ++i) {
      const Atom& a = molecule[i];
      if (xyz) {
        char element[3] = {a.symbol[0], a.symbol[1] == ' ' ? '\0' : a.symbol[1], '\0'};
        std::fprintf(f, "%-2s %12.8f %12.8f %12.8f\n", element, a.x, a.y, a.z);
      } else {
        std::fprintf(f, "%15.8f%15.8f%15.8f  %s %6d%16s%3d\r\n", a.x, a.y, a.z, a.symbol, i + 1,
                     "", 1);
      }
    }
  }
  delete[] molecule;
  return 0;
}

int WritePlot(std::FILE* f, long lines, bool steps) {
  Random random(987654321);
  std::fputs("IN;\r\nSP1;\r\n", f);
  int x = 5215, y = 4000;
  for (long i = 0; i < lines; ++i) {
    if (steps) {
      x += random.Below(21) - 10;
      y += random.Below(21) - 10;
      if (x < 0 || x > 10430) x = 5215;
      if (y < 0 || y > 8000) y = 4000;
      if (i % 1000 == 0) std::fprintf(f, "SP%d;\r\n", 1 + static_cast<int>(i / 1000 % 8));
      std::fprintf(f, "PD %d,%d;\r\n", x, y);
    } else {
      std::fprintf(f, "%s %d,%d;\r\n", random.Below(2) ? "PD" : "PU", random.Below(10431),
                   random.Below(8001));
    }
  }
  std::fputs("PU 0,0;\r\nSP0;\r\n", f);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: benchgen cor|xyz FILE STEPS ATOMS | hgl-random|hgl-steps FILE LINES\n");
    return 2;
  }
  std::string kind = argv[1];
  std::FILE* f = std::fopen(argv[2], "wb");
  if (!f) {
    std::perror(argv[2]);
    return 1;
  }
  int status = 2;
  if ((kind == "cor" || kind == "xyz") && argc == 5) {
    status = WriteCoordinates(f, std::atoi(argv[3]), std::atoi(argv[4]), kind == "xyz");
  } else if (kind == "hgl-random" || kind == "hgl-steps") {
    status = WritePlot(f, std::atol(argv[3]), kind == "hgl-steps");
  }
  if (std::fclose(f) != 0) status = 1;
  return status;
}
