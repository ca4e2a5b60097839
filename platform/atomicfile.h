// Writing a whole file so that a failure never leaves a torn one.
#pragma once

#include <string>
#include <string_view>

namespace wt {

// Writes `bytes` as the whole content of the file at the system path `path`:
// into a temporary file in the same folder, then renamed over the target. On
// failure the target is left as it was, the temporary file is removed and
// `reason` (when given) says why, in the OS's words.
bool WriteFileAtomically(std::string_view path, std::string_view bytes,
                         std::string* reason = nullptr);

}  // namespace wt
