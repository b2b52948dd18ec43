#include "output/carried_metadata.hpp"

#include <unistd.h>

#include "output/extended_attributes.hpp"

namespace korvelant {

bool CarryOverMetadata(int fd, const std::string& original, const struct stat& old) {
  struct stat now {};
  if (::fstat(fd, &now) != 0) return false;
  if ((now.st_uid != old.st_uid || now.st_gid != old.st_gid) &&
      ::fchown(fd, old.st_uid, old.st_gid) != 0) {
    return false;
  }
  const auto attributes = ReadExtendedAttributes(original);
  if (!attributes || !RemoveOtherExtendedAttributes(fd, *attributes)) return false;
  if (::fchmod(fd, old.st_mode & 07777) != 0) return false;
  return ApplyExtendedAttributes(fd, *attributes);
}

}  // namespace korvelant
