#include "platform/testenv.h"

#include <cstdlib>
#include <utility>

namespace wt {

std::optional<std::string> EnvironmentValue(const std::string& name) {
  const char* value = std::getenv(name.c_str());
  if (!value) return std::nullopt;
  return std::string(value);
}

ScopedEnvironment::ScopedEnvironment(std::string name, std::optional<std::string> value)
    : name_(std::move(name)), before_(EnvironmentValue(name_)) {
  Set(value);
}

ScopedEnvironment::ScopedEnvironment(std::string name)
    : name_(std::move(name)), before_(EnvironmentValue(name_)) {}

ScopedEnvironment::~ScopedEnvironment() { Set(before_); }

void ScopedEnvironment::Set(const std::optional<std::string>& value) const {
  if (value) {
    SetEnvironment(name_, *value);
  } else {
    ClearEnvironment(name_);
  }
}

ScopedCurrentFolder::ScopedCurrentFolder(const std::filesystem::path& folder)
    : before_(std::filesystem::current_path()) {
  std::filesystem::current_path(folder);
}

ScopedCurrentFolder::~ScopedCurrentFolder() {
  std::error_code ignored;  // a folder gone meanwhile leaves the current one as it is
  std::filesystem::current_path(before_, ignored);
}

}  // namespace wt
