#include "output/link_resolution.hpp"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "output/descriptor_path.hpp"
#include "output/path_parts.hpp"
#include "output/write_reason.hpp"

namespace korvelant {
namespace {

// The kernel's limit on links followed while resolving one name.
constexpr int kMaxLinksFollowed = 40;

// True for a link the kernel's protected-symlinks rule would not follow: it sits in a
// sticky, world-writable folder and is owned by neither the folder's owner nor us.
bool IsForeignLinkInSharedFolder(const std::string& link, const struct stat& linkInfo) {
  struct stat folder {};
  if (::stat(DirectoryOf(link).c_str(), &folder) != 0) return false;
  const bool shared = (folder.st_mode & S_ISVTX) != 0 && (folder.st_mode & S_IWOTH) != 0;
  return shared && linkInfo.st_uid != folder.st_uid && linkInfo.st_uid != ::geteuid();
}

// The text of a link; st_size is only a hint (it is 0 on some file systems), so the
// buffer grows until the text fits.
std::optional<std::string> LinkText(const std::string& link, const struct stat& linkInfo) {
  std::vector<char> buffer(static_cast<size_t>(linkInfo.st_size) + 64);
  for (;;) {
    const ssize_t length = ::readlink(link.c_str(), buffer.data(), buffer.size());
    if (length < 0) return std::nullopt;
    if (static_cast<size_t>(length) < buffer.size()) return std::string(buffer.data(), length);
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace

ResolvedTarget ResolveTarget(const std::string& path) {
  std::string current = path;
  for (int followed = 0; followed <= kMaxLinksFollowed; ++followed) {
    if (const auto descriptor = DescriptorNamedBy(current)) return {current, descriptor, {}};
    struct stat info {};
    if (::lstat(current.c_str(), &info) != 0) {
      if (errno == ENOENT) return {current, std::nullopt, {}};
      return {current, std::nullopt, SystemReason(errno)};
    }
    if (!S_ISLNK(info.st_mode)) return {current, std::nullopt, {}};
    if (IsForeignLinkInSharedFolder(current, info)) {
      return {current, std::nullopt,
              "it is a symbolic link owned by another user in a shared sticky folder, "
              "which is not followed for safety"};
    }
    const auto text = LinkText(current, info);
    if (!text) return {current, std::nullopt, SystemReason(errno)};
    if (text->empty()) return {current, std::nullopt, SystemReason(ENOENT)};
    current = text->front() == '/' ? *text : DirectoryOf(current) + "/" + *text;
  }
  return {current, std::nullopt, SystemReason(ELOOP)};
}

}  // namespace korvelant
