#include "platform/atomicfile.h"

#include <windows.h>

namespace wt {
namespace {

bool Fail(std::string* reason) {
  if (reason) {
    DWORD code = GetLastError();
    char* text = nullptr;
    FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                       FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, code, 0, reinterpret_cast<LPSTR>(&text), 0, nullptr);
    *reason = text ? text : "error " + std::to_string(code);
    if (text) LocalFree(text);
    while (!reason->empty() && (reason->back() == '\n' || reason->back() == '\r')) {
      reason->pop_back();
    }
  }
  return false;
}

}  // namespace

bool WriteFileAtomically(std::string_view path, std::string_view bytes, std::string* reason) {
  std::string target(path);
  if (target.empty()) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return Fail(reason);
  }
  std::size_t cut = target.find_last_of("\\/");
  std::string folder = cut == std::string::npos ? std::string() : target.substr(0, cut + 1);
  std::string name = cut == std::string::npos ? target : target.substr(cut + 1);
  std::string temp = folder + "~" + name + "." + std::to_string(GetCurrentProcessId()) + ".tmp";

  HANDLE file = CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return Fail(reason);
  const char* data = bytes.data();
  std::size_t left = bytes.size();
  while (left > 0) {
    DWORD chunk = left > 0x40000000 ? 0x40000000 : static_cast<DWORD>(left);
    DWORD written = 0;
    if (!WriteFile(file, data, chunk, &written, nullptr) || written == 0) {
      bool result = Fail(reason);
      CloseHandle(file);
      DeleteFileA(temp.c_str());
      return result;
    }
    data += written;
    left -= written;
  }
  if (!CloseHandle(file)) {
    bool result = Fail(reason);
    DeleteFileA(temp.c_str());
    return result;
  }
  if (!MoveFileExA(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    bool result = Fail(reason);
    DeleteFileA(temp.c_str());
    return result;
  }
  return true;
}

}  // namespace wt
