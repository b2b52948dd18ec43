#pragma once

#include <string>
#include <string_view>

namespace korvelant {

// Writes `bytes` into the existing file at `target` itself, keeping its identity: for a
// pipe, a terminal or another device, and for a regular file that cannot be replaced
// without losing something (its other hard links, its owner or group, attributes that
// cannot be copied, or a folder where no new file may be created).
//
// Nothing blocks: a pipe is opened non-blocking, so that one without a reader is reported
// at once, and the lock other writers hold is waited on for a bounded time only. A regular
// file is locked (flock) so that two writers never interleave, and its space is reserved
// before its first byte changes, so a full disk leaves it as it was. Unlike replacing, an
// interruption in the middle cannot be undone; that is why this is only the fallback.
// Returns a reason on failure, empty on success.
std::string WriteInPlace(const std::string& target, std::string_view bytes);

}  // namespace korvelant
