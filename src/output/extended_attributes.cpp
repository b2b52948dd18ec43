#include "output/extended_attributes.hpp"

#include <sys/xattr.h>

#include <algorithm>
#include <cerrno>
#include <functional>

namespace korvelant {
namespace {

// Runs a size-then-fetch pair of xattr calls until the value stops changing underneath.
std::optional<std::string> FetchSized(const std::function<ssize_t(char*, size_t)>& fetch) {
  for (int attempt = 0; attempt < 8; ++attempt) {
    const ssize_t size = fetch(nullptr, 0);
    if (size < 0) return std::nullopt;
    std::string buffer(static_cast<size_t>(size), '\0');
    const ssize_t got = fetch(buffer.data(), buffer.size());
    if (got >= 0) {
      buffer.resize(static_cast<size_t>(got));
      return buffer;
    }
    if (errno != ERANGE) return std::nullopt;
  }
  return std::nullopt;
}

// The names of a NUL-separated list as listxattr returns it.
std::vector<std::string> SplitNames(const std::string& list) {
  std::vector<std::string> names;
  for (size_t start = 0; start < list.size();) {
    const size_t end = list.find('\0', start);
    names.push_back(list.substr(start, end - start));
    start = end == std::string::npos ? list.size() : end + 1;
  }
  return names;
}

bool Unsupported(int error) {
  return error == ENOTSUP || error == ENOSYS;
}

}  // namespace

std::optional<ExtendedAttributes> ReadExtendedAttributes(const std::string& path) {
  const auto list = FetchSized(
      [&](char* buffer, size_t size) { return ::llistxattr(path.c_str(), buffer, size); });
  if (!list) {
    if (Unsupported(errno)) return ExtendedAttributes{};
    return std::nullopt;
  }
  ExtendedAttributes attributes;
  for (const std::string& name : SplitNames(*list)) {
    const auto value = FetchSized([&](char* buffer, size_t size) {
      return ::lgetxattr(path.c_str(), name.c_str(), buffer, size);
    });
    if (!value) {
      if (errno == ENODATA) continue;  // removed since it was listed
      return std::nullopt;
    }
    attributes.emplace_back(name, *value);
  }
  return attributes;
}

bool RemoveOtherExtendedAttributes(int fd, const ExtendedAttributes& keep) {
  const auto list =
      FetchSized([&](char* buffer, size_t size) { return ::flistxattr(fd, buffer, size); });
  if (!list) return Unsupported(errno);
  for (const std::string& name : SplitNames(*list)) {
    const bool kept = std::any_of(keep.begin(), keep.end(),
                                  [&](const auto& attribute) { return attribute.first == name; });
    if (!kept && ::fremovexattr(fd, name.c_str()) != 0 && errno != ENODATA) return false;
  }
  return true;
}

bool ApplyExtendedAttributes(int fd, const ExtendedAttributes& attributes) {
  for (const auto& [name, value] : attributes) {
    if (::fsetxattr(fd, name.c_str(), value.data(), value.size(), 0) != 0) return false;
  }
  return true;
}

}  // namespace korvelant
