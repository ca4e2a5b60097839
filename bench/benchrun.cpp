// Runs a command several times and prints the medians of what each run
// cost: the measuring side of scripts/bench.sh.
//
//   benchrun RUNS INPUT -- COMMAND [ARGUMENTS...]
//
// The command runs RUNS + 1 times; the first run warms the caches and is not
// counted. INPUT becomes its standard input (/dev/null for none); its output
// and errors are discarded. One line is printed:
//
//   WALL CPU USER SYSTEM PEAK
//
// the medians of the wall time, the CPU time (user + system), the user time
// and the system time in seconds, and of the peak resident memory in MiB.
// Times come from the kernel's accounting of the finished child (wait4), to
// the microsecond. A run that does not end with status 0 stops the
// measurement: the status is 1 and stderr says why.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <vector>

namespace {

struct Cost {
  double wall = 0, user = 0, system = 0, peakMiB = 0;
};

double Seconds(const timeval& t) {
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
}

double Now() {
  timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

// One run; false (with a message) when it could not start or did not end
// with status 0.
bool RunOnce(const char* input, char** command, Cost* cost) {
  const double start = Now();
  const pid_t child = fork();
  if (child < 0) {
    std::fprintf(stderr, "benchrun: fork: %s\n", std::strerror(errno));
    return false;
  }
  if (child == 0) {
    const int in = open(input, O_RDONLY);
    const int out = open("/dev/null", O_WRONLY);
    if (in < 0 || out < 0 || dup2(in, 0) < 0 || dup2(out, 1) < 0 || dup2(out, 2) < 0) _exit(126);
    execvp(command[0], command);
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  while (wait4(child, &status, 0, &usage) < 0) {
    if (errno != EINTR) {
      std::fprintf(stderr, "benchrun: wait4: %s\n", std::strerror(errno));
      return false;
    }
  }
  cost->wall = Now() - start;
  cost->user = Seconds(usage.ru_utime);
  cost->system = Seconds(usage.ru_stime);
  cost->peakMiB = static_cast<double>(usage.ru_maxrss) / 1024.0;  // KiB on Linux
  if (WIFEXITED(status) && WEXITSTATUS(status) == 0) return true;
  if (WIFEXITED(status) && WEXITSTATUS(status) == 127) {
    std::fprintf(stderr, "benchrun: %s cannot be started\n", command[0]);
  } else if (WIFEXITED(status)) {
    std::fprintf(stderr, "benchrun: %s ended with status %d\n", command[0], WEXITSTATUS(status));
  } else {
    std::fprintf(stderr, "benchrun: %s was ended by signal %d\n", command[0], WTERMSIG(status));
  }
  return false;
}

// The middle value; the lower of the two middle ones for an even count.
double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[(values.size() - 1) / 2];
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 5 || std::strcmp(argv[3], "--") != 0 || std::atoi(argv[1]) < 1) {
    std::fprintf(stderr, "usage: benchrun RUNS INPUT -- COMMAND [ARGUMENTS...]\n");
    return 2;
  }
  const int runs = std::atoi(argv[1]);
  std::vector<double> wall, cpu, user, system, peak;
  for (int i = 0; i <= runs; ++i) {
    Cost cost;
    if (!RunOnce(argv[2], argv + 4, &cost)) return 1;
    if (i == 0) continue;
    wall.push_back(cost.wall);
    cpu.push_back(cost.user + cost.system);
    user.push_back(cost.user);
    system.push_back(cost.system);
    peak.push_back(cost.peakMiB);
  }
  std::printf("%.6f %.6f %.6f %.6f %.1f\n", Median(wall), Median(cpu), Median(user), Median(system),
              Median(peak));
  return 0;
}
