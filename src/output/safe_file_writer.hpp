#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace korvelant {

// Puts `bytes` into the file at `path`, the one way every file of the program is written.
// A failure never leaves a damaged file:
// - A regular file (or a new one) is written to a temporary beside it, synced, and renamed
//   over it; owner, group, mode, ACLs and other extended attributes are carried over and
//   the folder is synced, so after a crash at any moment the old or the new file is there
//   whole. A temporary left by a killed writer is removed by the next write of the file.
// - A file that cannot be replaced without losing something is written in place, under a
//   lock: one with other hard links, one whose owner, group or attributes we may not give
//   a new file, one in a folder where no new file may be created.
// - A pipe, terminal or device is written in place without ever waiting for a reader;
//   /dev/stdout, /dev/fd/N and /proc/self/fd/N go through the descriptor already open.
// - A symbolic link is followed and its target replaced or, if missing, created; a link
//   planted by another user in a shared sticky folder such as /tmp is refused.
// Returns nothing on success, else `Cannot write "PATH": REASON` in English.
std::optional<std::string> WriteFileSafely(const std::string& path, std::string_view bytes);

}  // namespace korvelant
