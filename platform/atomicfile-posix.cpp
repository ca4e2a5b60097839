#include "platform/atomicfile.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "platform/paths.h"

namespace wt {
namespace {

// The process's file mask. Linux shows it in /proc/self/status; elsewhere it
// can only be learnt by setting it, which for an instant leaves a file that
// another thread makes meanwhile without one.
mode_t FileMask() {
  if (std::FILE* status = std::fopen("/proc/self/status", "re")) {
    char line[256];
    unsigned mask = 0;
    bool found = false;
    while (!found && std::fgets(line, sizeof line, status)) {
      found = std::sscanf(line, "Umask: %o", &mask) == 1;
    }
    std::fclose(status);
    if (found) return static_cast<mode_t>(mask & 0777);
  }
  const mode_t mask = umask(0);
  umask(mask);
  return mask;
}

mode_t NewFileMode() {
  static const mode_t mode = static_cast<mode_t>(0666 & ~FileMask());
  return mode;
}

bool Fail(std::string* reason, const std::string& why) {
  if (reason) *reason = why;
  return false;
}

}  // namespace

bool WriteFileAtomically(std::string_view path, std::string_view bytes, std::string* reason) {
  std::optional<std::string> host = HostPath(path);
  if (!host)
    return Fail(reason, "the drives folder is unknown (neither WINTARVO_DRIVES nor HOME is set)");
  if (host->empty()) return Fail(reason, std::strerror(ENOENT));

  std::string target = *host;
  std::size_t slash = target.rfind('/');
  std::string folder = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
  std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
  if (name.empty()) return Fail(reason, std::strerror(EISDIR));

  struct stat existing;
  mode_t mode = NewFileMode();
  if (stat(target.c_str(), &existing) == 0) {
    if (S_ISDIR(existing.st_mode)) return Fail(reason, std::strerror(EISDIR));
    mode = existing.st_mode & 07777;
  }

  std::string temp = folder + "." + name + ".XXXXXX";
  int fd = mkstemp(temp.data());
  if (fd < 0) return Fail(reason, std::strerror(errno));

  const char* data = bytes.data();
  std::size_t left = bytes.size();
  while (left > 0) {
    ssize_t n = write(fd, data, left);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      int err = n < 0 ? errno : EIO;
      close(fd);
      unlink(temp.c_str());
      return Fail(reason, std::strerror(err));
    }
    data += n;
    left -= static_cast<std::size_t>(n);
  }
  if (fchmod(fd, mode) != 0 || close(fd) != 0) {
    int err = errno;
    unlink(temp.c_str());
    return Fail(reason, std::strerror(err));
  }
  if (rename(temp.c_str(), target.c_str()) != 0) {
    int err = errno;
    unlink(temp.c_str());
    return Fail(reason, std::strerror(err));
  }
  return true;
}

}  // namespace wt
