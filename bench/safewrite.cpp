// The floor of writing files safely: the bytes of every file, ready made,
// each written to a fresh temporary file beside its target and renamed over
// it, with nothing else done — what the converter's All Steps would cost if
// reading and formatting were free. The benchmark side of scripts/bench.sh.
//
//   safewrite FOLDER SIZES BYTES
//
// SIZES holds a line "NAME LENGTH" per file, in order; BYTES holds the files'
// bytes one after another. Each FOLDER/NAME is written in turn. Status 0 when
// every file is written, 1 (with the reason on stderr) otherwise.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

namespace {

int Fail(const std::string& what) {
  std::fprintf(stderr, "safewrite: %s: %s\n", what.c_str(), std::strerror(errno));
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: safewrite FOLDER SIZES BYTES\n");
    return 2;
  }
  const std::string folder = argv[1];
  std::ifstream sizes(argv[2]);
  std::ifstream in(argv[3], std::ios::binary);
  if (!sizes || !in) return Fail(!sizes ? argv[2] : argv[3]);
  // Read whole at once, as cat would: the floor pays for its input no more
  // than it must.
  in.seekg(0, std::ios::end);
  std::string bytes(static_cast<std::size_t>(in.tellg()), '\0');
  in.seekg(0);
  if (!in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()))) return Fail(argv[3]);

  std::string name;
  std::size_t length = 0, at = 0;
  while (sizes >> name >> length) {
    if (length > bytes.size() - at) {
      errno = EINVAL;
      return Fail(std::string(argv[2]) + ": more bytes than " + argv[3] + " holds");
    }
    const std::string target = folder + "/" + name;
    std::string temp = folder + "/." + name + ".XXXXXX";
    const int fd = mkstemp(temp.data());
    if (fd < 0) return Fail(temp);
    for (std::size_t done = 0; done < length;) {
      const ssize_t n = write(fd, bytes.data() + at + done, length - done);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return Fail(temp);
      done += static_cast<std::size_t>(n);
    }
    if (close(fd) != 0) return Fail(temp);
    if (rename(temp.c_str(), target.c_str()) != 0) return Fail(target);
    at += length;
  }
  return 0;
}
