#include "output/safe_file_writer.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace korvelant {
namespace {

std::string Failure(const std::string& path, const std::string& reason) {
  return "Cannot write \"" + path + "\": " + reason;
}

// The reason in English, like every other text of the program, whatever the user's locale.
std::string SystemReason(int error) {
  const char* description = ::strerrordesc_np(error);
  return description != nullptr ? description : "error " + std::to_string(error);
}

// Writes everything, retrying short writes and interruptions. Returns 0 or an errno value.
int WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    bytes.remove_prefix(static_cast<size_t>(written));
  }
  return 0;
}

std::optional<std::string> WriteInPlace(const std::string& path, std::string_view bytes) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
  if (fd < 0) return Failure(path, SystemReason(errno));
  const int error = WriteAll(fd, bytes);
  const int closeError = ::close(fd) == 0 ? 0 : errno;
  if (error != 0 || closeError != 0) return Failure(path, SystemReason(error ? error : closeError));
  return std::nullopt;
}

mode_t NewFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

std::string DirectoryOf(const std::string& path) {
  const auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string BaseNameOf(const std::string& path) {
  const auto slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file a link points to, so that the link stays and its target is replaced.
std::string FollowLinks(const std::string& path) {
  struct stat linkInfo {};
  if (::lstat(path.c_str(), &linkInfo) != 0 || !S_ISLNK(linkInfo.st_mode)) return path;
  char resolved[PATH_MAX];
  return ::realpath(path.c_str(), resolved) != nullptr ? std::string(resolved) : path;
}

std::optional<std::string> ReplaceByRename(const std::string& shownPath, const std::string& target,
                                           std::string_view bytes, const struct stat* existing) {
  std::string pattern = DirectoryOf(target) + "/." + BaseNameOf(target) + ".XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  const int fd = ::mkstemp(name.data());
  if (fd < 0) return Failure(shownPath, SystemReason(errno));
  const std::string temporary(name.data());

  int error = WriteAll(fd, bytes);
  if (error == 0 && ::fchmod(fd, existing ? existing->st_mode & 07777 : NewFileMode()) != 0) {
    error = errno;
  }
  if (error == 0 && existing) {
    // Keeps the owner where we may (as root); an ordinary user's file is already ours.
    [[maybe_unused]] const int ignored = ::fchown(fd, existing->st_uid, existing->st_gid);
  }
  if (error == 0 && ::fsync(fd) != 0) error = errno;
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error == 0 && ::rename(temporary.c_str(), target.c_str()) != 0) error = errno;
  if (error != 0) {
    ::unlink(temporary.c_str());
    return Failure(shownPath, SystemReason(error));
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> WriteFileSafely(const std::string& path, std::string_view bytes) {
  if (path.empty()) return Failure(path, "no file name was given");
  const std::string target = FollowLinks(path);

  struct stat info {};
  if (::stat(target.c_str(), &info) != 0) {
    if (errno != ENOENT) return Failure(path, SystemReason(errno));
    return ReplaceByRename(path, target, bytes, nullptr);
  }
  if (S_ISDIR(info.st_mode)) return Failure(path, "it is a directory");
  if (!S_ISREG(info.st_mode)) return WriteInPlace(target, bytes);
  // Asking first keeps a read-only file read-only even for a user who may rename over it.
  if (::access(target.c_str(), W_OK) != 0) return Failure(path, SystemReason(errno));
  return ReplaceByRename(path, target, bytes, &info);
}

}  // namespace korvelant
