#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace korvelant {

// Puts `bytes` into the file at `path` so that a failure never leaves a damaged file:
// a regular file (or a new one) is written beside its final place and renamed over it only
// when complete, keeping the old file's permissions; something that is not a regular file
// (a terminal, a pipe, /dev/stdout) is written in place. A symbolic link is followed and
// its target replaced. Returns nothing on success, else a message naming the path and the
// reason, with the old file whole and no temporary file left.
std::optional<std::string> WriteFileSafely(const std::string& path, std::string_view bytes);

}  // namespace korvelant
