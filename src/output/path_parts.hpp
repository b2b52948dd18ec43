#pragma once

#include <string>

namespace korvelant {

// The folder part of a path as the kernel reads it: "." for a bare name, "/" at the root.
inline std::string DirectoryOf(const std::string& path) {
  const auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  const auto end = path.find_last_not_of('/', slash);
  return end == std::string::npos ? "/" : path.substr(0, end + 1);
}

// The last component of a path; empty when the path ends with "/".
inline std::string BaseNameOf(const std::string& path) {
  const auto slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace korvelant
