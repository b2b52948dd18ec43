#pragma once

#include <optional>
#include <string>

namespace korvelant {

// Where a write to a path really goes once the symbolic links of its last component are
// followed (the kernel follows those of the folders on its own).
struct ResolvedTarget {
  std::string path;               // not a symbolic link; may not exist yet (a dangling link)
  std::optional<int> descriptor;  // set when the name, or a link, leads to /dev/fd/N and the like
  std::string refusal;            // why the path must not be written; empty when it may
};

// Follows the chain of links by hand, rather than asking realpath, so that a dangling
// link still yields the file to create, a link to /dev/stdout still yields the descriptor,
// and a link planted in a shared sticky folder such as /tmp by another user is refused as
// the kernel refuses to open through it: following it would let that user choose which of
// our files gets overwritten.
ResolvedTarget ResolveTarget(const std::string& path);

}  // namespace korvelant
