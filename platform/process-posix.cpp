#include "platform/process.h"

#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/cmdtail.h"
#include "platform/paths.h"

namespace wt {
namespace {

bool IsExecutableFile(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(path.c_str(), X_OK) == 0;
}

// The full path of a bare program name found on PATH, or empty.
std::string FindOnPath(const std::string& name) {
  const char* path = std::getenv("PATH");
  std::string dirs = path ? path : "/usr/local/bin:/usr/bin:/bin";
  std::size_t start = 0;
  while (start <= dirs.size()) {
    std::size_t end = dirs.find(':', start);
    if (end == std::string::npos) end = dirs.size();
    // Appended piece by piece: GCC 12 at -O3 takes dir + "/" for an
    // overlapping copy (-Wrestrict).
    std::string candidate = end > start ? dirs.substr(start, end - start) : std::string(".");
    candidate += '/';
    candidate += name;
    if (IsExecutableFile(candidate)) return candidate;
    start = end + 1;
  }
  return {};
}

bool IsNotepad(const std::string& word) {
  std::string lower;
  for (char c : word) lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower == "notepad" || lower == "notepad.exe";
}

// The desktop's plain text editor: the first of the usual ones installed,
// else whatever the desktop opens text files with.
std::string DesktopTextEditor() {
  static const char* const kEditors[] = {"gnome-text-editor", "gedit", "kwrite",  "kate",
                                         "mousepad",          "pluma", "xed",     "featherpad",
                                         "leafpad",           "geany", "xdg-open"};
  for (const char* editor : kEditors) {
    std::string found = FindOnPath(editor);
    if (!found.empty()) return found;
  }
  return {};
}

std::string Describe(int err) { return std::strerror(err); }

}  // namespace

bool StartCommandLine(const std::string& commandLine, WindowRequest /*window*/,
                      std::string* reason) {
  std::vector<std::string> words = SplitCommandLine(commandLine, static_cast<std::size_t>(-1));
  if (words.empty()) {
    if (reason) *reason = "the command line is empty";
    return false;
  }
  std::string program;
  const std::string& first = words.front();
  if (first.find('/') == std::string::npos && first.find('\\') == std::string::npos &&
      !(first.size() >= 2 && first[1] == ':')) {
    program = FindOnPath(first);
    if (program.empty() && IsNotepad(first)) {
      program = DesktopTextEditor();
      if (program.empty()) {
        if (reason) *reason = "no plain text editor is installed";
        return false;
      }
      // A Linux editor does not know drive names: hand it host paths.
      for (std::size_t i = 1; i < words.size(); ++i) {
        if (auto host = HostPath(words[i])) words[i] = *host;
      }
    }
    if (program.empty()) {
      if (reason) *reason = Describe(ENOENT);
      return false;
    }
  } else {
    std::optional<std::string> host = HostPath(first);
    if (!host) {
      if (reason) *reason = "the drives folder is unknown (neither WINTARVO_DRIVES nor HOME is set)";
      return false;
    }
    program = *host;
  }

  // Everything the child needs is prepared here: between fork and exec only
  // async-signal-safe calls are allowed.
  std::vector<char*> argv;
  argv.push_back(program.data());
  for (std::size_t i = 1; i < words.size(); ++i) argv.push_back(words[i].data());
  argv.push_back(nullptr);

  int report[2];
  if (pipe2(report, O_CLOEXEC) != 0) {
    if (reason) *reason = Describe(errno);
    return false;
  }
  pid_t child = fork();
  if (child < 0) {
    int err = errno;
    close(report[0]);
    close(report[1]);
    if (reason) *reason = Describe(err);
    return false;
  }
  if (child == 0) {
    // The middle process: start the program in a session of its own, so that
    // it is nobody's child here and outlives its starter, then leave.
    pid_t grandchild = fork();
    if (grandchild == 0) {
      setsid();
      sigset_t none;
      sigemptyset(&none);
      sigprocmask(SIG_SETMASK, &none, nullptr);
      execv(program.c_str(), argv.data());
      int err = errno;
      ssize_t n = write(report[1], &err, sizeof err);
      (void)n;
      _exit(127);
    }
    if (grandchild < 0) {
      int err = errno;
      ssize_t n = write(report[1], &err, sizeof err);
      (void)n;
    }
    _exit(0);
  }
  close(report[1]);
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  int err = 0;
  ssize_t got;
  do {
    got = read(report[0], &err, sizeof err);
  } while (got < 0 && errno == EINTR);
  close(report[0]);
  if (got == static_cast<ssize_t>(sizeof err)) {
    if (reason) *reason = Describe(err);
    return false;
  }
  return true;
}

bool ChangeCurrentFolder(const std::string& folder, std::string* reason) {
  std::optional<std::string> host = HostPath(folder);
  if (!host) {
    if (reason) *reason = "the drives folder is unknown (neither WINTARVO_DRIVES nor HOME is set)";
    return false;
  }
  if (host->empty() || chdir(host->c_str()) != 0) {
    if (reason) *reason = Describe(host->empty() ? ENOENT : errno);
    return false;
  }
  return true;
}

}  // namespace wt
