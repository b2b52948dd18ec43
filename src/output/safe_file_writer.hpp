#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace korvelant {

// Puts `bytes` into the file at `path` whole, by the rules of StreamingFileWriter: a failure
// never leaves a damaged file. Returns nothing on success, else `Cannot write "PATH": REASON`
// in English.
std::optional<std::string> WriteFileSafely(const std::string& path, std::string_view bytes);

}  // namespace korvelant
