#pragma once

#include <sys/types.h>

#include <string>
#include <string_view>

#include "output/unique_fd.hpp"

namespace korvelant {

// A file being written beside the one it will replace. Its writer holds an flock on it
// until the rename, so a temporary that nobody holds was left by a writer that died.
struct TemporaryFile {
  UniqueFd fd;
  std::string name;  // within its folder
};

// The start of the names of the temporaries of the file `baseName`, followed by six random
// letters or digits, recognisable to a person and to the next write:
//   ".NAME.korvelant-XXXXXX"        when that fits the folder's limit of name length,
//   ".korvelant-HHHHHHHH-XXXXXX"    for a long NAME (HHHHHHHH: a hash of NAME), so that every
//                                   name the file system allows can be written.
std::string TemporaryPrefix(std::string_view baseName, long maxNameLength);

// True when `entry` is a temporary name made from `prefix`.
bool IsTemporaryName(std::string_view entry, std::string_view prefix);

// Creates a new temporary with `prefix` in the folder `folderFd` and locks it. The kernel
// applies the umask and the folder's default ACL to `mode`, as for any new file. Returns 0
// or an errno value.
int CreateTemporary(int folderFd, const std::string& prefix, mode_t mode, TemporaryFile& out);

// Removes the temporaries with `prefix` that their writers abandoned: those nobody holds
// locked, and those we cannot open to ask once they are a minute old. A temporary a live
// writer holds is left alone.
void RemoveAbandonedTemporaries(int folderFd, const std::string& prefix);

}  // namespace korvelant
