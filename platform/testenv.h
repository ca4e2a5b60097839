// Environment variables and the current folder for tests, on either system.
// A test changes them through the scoped classes, so that what it changed is
// put back when it ends, however it ends.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace wt {

void SetEnvironment(const std::string& name, const std::string& value);
void ClearEnvironment(const std::string& name);
std::optional<std::string> EnvironmentValue(const std::string& name);

// For as long as it lives, the variable `name` holds `value`, or is unset
// where `value` is nullopt; then it holds what it held before, or is unset
// again.
class ScopedEnvironment {
 public:
  ScopedEnvironment(std::string name, std::optional<std::string> value);
  // Keeps the value the variable has now, to be changed by Set.
  explicit ScopedEnvironment(std::string name);
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;
  ~ScopedEnvironment();

  // Changes the value again within the same lifetime.
  void Set(const std::optional<std::string>& value) const;

 private:
  std::string name_;
  std::optional<std::string> before_;
};

// For as long as it lives, `folder` is the current folder.
class ScopedCurrentFolder {
 public:
  explicit ScopedCurrentFolder(const std::filesystem::path& folder);
  ScopedCurrentFolder(const ScopedCurrentFolder&) = delete;
  ScopedCurrentFolder& operator=(const ScopedCurrentFolder&) = delete;
  ~ScopedCurrentFolder();

 private:
  std::filesystem::path before_;
};

// True where drive paths are the system's real drives (Windows), so a test
// that writes c:\zorb\ writes the real folder.
bool DrivesAreReal();

}  // namespace wt
