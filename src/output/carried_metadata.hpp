#pragma once

#include <sys/stat.h>

#include <string>

namespace korvelant {

// Gives a replacement file (open as `fd`) everything of the old file `original` but its
// bytes: owner, group, mode, ACLs and other extended attributes. False when something
// cannot be given to a new file by us, so that replacing the old one would lose it. The
// order matters: changing the owner clears set-id bits, and an ACL sets the group bits of
// the mode.
bool CarryOverMetadata(int fd, const std::string& original, const struct stat& old);

}  // namespace korvelant
