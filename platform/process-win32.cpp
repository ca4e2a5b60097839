#include "platform/process.h"

#include <windows.h>

namespace wt {
namespace {

std::string LastErrorText() {
  DWORD code = GetLastError();
  char* text = nullptr;
  FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                     FORMAT_MESSAGE_IGNORE_INSERTS,
                 nullptr, code, 0, reinterpret_cast<LPSTR>(&text), 0, nullptr);
  std::string result = text ? text : "error " + std::to_string(code);
  if (text) LocalFree(text);
  while (!result.empty() && (result.back() == '\n' || result.back() == '\r')) result.pop_back();
  return result;
}

}  // namespace

bool StartCommandLine(const std::string& commandLine, WindowRequest window,
                      std::string* reason) {
  if (commandLine.find_first_not_of(" \t") == std::string::npos) {
    if (reason) *reason = "the command line is empty";
    return false;
  }
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = window == WindowRequest::MaximizedActivated ? SW_SHOWMAXIMIZED
                                                                      : SW_SHOWNORMAL;
  PROCESS_INFORMATION info{};
  std::string line = commandLine;  // CreateProcessA may write into it
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &info)) {
    if (reason) *reason = LastErrorText();
    return false;
  }
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  return true;
}

bool ChangeCurrentFolder(const std::string& folder, std::string* reason) {
  if (folder.empty() || !SetCurrentDirectoryA(folder.c_str())) {
    if (reason) *reason = folder.empty() ? "the folder name is empty" : LastErrorText();
    return false;
  }
  return true;
}

}  // namespace wt
