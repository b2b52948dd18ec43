#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace korvelant {

// A file's extended attributes, name and value. Access control lists travel among them
// (system.posix_acl_access), so copying these keeps who may read and write a file.
using ExtendedAttributes = std::vector<std::pair<std::string, std::string>>;

// The attributes of the file at `path` (not following a final link); none on a file system
// without them. Nothing when they cannot all be read, as user.* ones of a file we may not
// read: the caller must then not replace the file, or it would silently drop them.
std::optional<ExtendedAttributes> ReadExtendedAttributes(const std::string& path);

// Removes from the open file every attribute not among `keep`: a new file may have
// inherited an ACL from its folder's default ACL that the file it replaces did not have,
// and keeping it could widen who may read it. False when one cannot be removed.
bool RemoveOtherExtendedAttributes(int fd, const ExtendedAttributes& keep);

// Sets `attributes` on the open file. False when one cannot be set (a privileged
// namespace such as trusted.* or security.capability, or no support on the file system).
bool ApplyExtendedAttributes(int fd, const ExtendedAttributes& attributes);

}  // namespace korvelant
