#include "cli/streaming_file_writer.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "input/quoted_text.hpp"

namespace korvelant {
namespace {

std::string Reason(int error) {
  const char* description = ::strerrordesc_np(error);
  return description != nullptr ? description : "error " + std::to_string(error);
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

std::string FollowLinks(const std::string& path) {
  struct stat linkInfo {};
  if (::lstat(path.c_str(), &linkInfo) != 0 || !S_ISLNK(linkInfo.st_mode)) return path;
  char resolved[PATH_MAX];
  return ::realpath(path.c_str(), resolved) != nullptr ? std::string(resolved) : path;
}

mode_t NewFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

// The temporary being written, for the signal handler: a long batch interrupted by Ctrl-C
// must not leave it behind. One output file per process, so one slot.
char gTemporaryPath[PATH_MAX + 1];
volatile std::sig_atomic_t gTemporaryActive = 0;
constexpr int kCleanupSignals[] = {SIGINT, SIGTERM, SIGHUP};

extern "C" void RemoveTemporaryAndDie(int signal) {
  if (gTemporaryActive) ::unlink(gTemporaryPath);
  std::signal(signal, SIG_DFL);
  std::raise(signal);
}

void GuardTemporary(const std::string& path) {
  if (path.size() > PATH_MAX) return;
  std::memcpy(gTemporaryPath, path.c_str(), path.size() + 1);
  gTemporaryActive = 1;
  for (const int signal : kCleanupSignals)
    std::signal(signal, RemoveTemporaryAndDie);
}

void ReleaseTemporary() {
  gTemporaryActive = 0;
  for (const int signal : kCleanupSignals)
    std::signal(signal, SIG_DFL);
}

}  // namespace

StreamingFileWriter::StreamingFileWriter(const std::string& path) : shownPath_(path) {
  if (path.empty()) {
    failure_ = FailurePrefix() + ": no file name was given";
    return;
  }
  target_ = FollowLinks(path);
  struct stat info {};
  if (::stat(target_.c_str(), &info) != 0) {
    if (errno != ENOENT) {
      failure_ = FailurePrefix() + ": " + Reason(errno);
      return;
    }
    OpenTemporary(target_, false, NewFileMode(), 0, 0);
    return;
  }
  if (S_ISDIR(info.st_mode)) {
    failure_ = FailurePrefix() + ": it is a directory";
    return;
  }
  if (!S_ISREG(info.st_mode)) {
    fd_ = ::open(target_.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd_ < 0) failure_ = FailurePrefix() + ": " + Reason(errno);
    return;
  }
  // Asking first keeps a read-only file read-only even for a user who may rename over it.
  if (::access(target_.c_str(), W_OK) != 0) {
    failure_ = FailurePrefix() + ": " + Reason(errno);
    return;
  }
  OpenTemporary(target_, true, info.st_mode & 07777, info.st_uid, info.st_gid);
}

StreamingFileWriter::~StreamingFileWriter() {
  Abandon();
}

std::string StreamingFileWriter::FailurePrefix() const {
  return "Cannot write " + QuotedText(shownPath_);
}

void StreamingFileWriter::OpenTemporary(const std::string& target, bool existing, unsigned mode,
                                        unsigned owner, unsigned group) {
  std::string pattern = DirectoryOf(target) + "/." + BaseNameOf(target) + ".XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  fd_ = ::mkostemp(name.data(), O_CLOEXEC);
  if (fd_ < 0) {
    failure_ = FailurePrefix() + ": " + Reason(errno);
    return;
  }
  temporary_ = name.data();
  GuardTemporary(temporary_);
  int error = ::fchmod(fd_, mode) == 0 ? 0 : errno;
  if (error == 0 && existing) {
    // Keeps the owner where we may (as root); an ordinary user's file is already ours.
    [[maybe_unused]] const int ignored = ::fchown(fd_, owner, group);
  }
  if (error != 0) {
    failure_ = FailurePrefix() + ": " + Reason(error);
    Abandon();
  }
}

std::optional<std::string> StreamingFileWriter::Commit() {
  if (failure_) return failure_;
  int error = 0;
  if (!temporary_.empty() && ::fsync(fd_) != 0) error = errno;
  if (::close(fd_) != 0 && error == 0) error = errno;
  fd_ = -1;
  if (error == 0 && !temporary_.empty() && ::rename(temporary_.c_str(), target_.c_str()) != 0) {
    error = errno;
  }
  if (error != 0) {
    failure_ = FailurePrefix() + ": " + Reason(error);
    Abandon();
    return failure_;
  }
  temporary_.clear();
  ReleaseTemporary();
  return std::nullopt;
}

void StreamingFileWriter::Abandon() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  if (!temporary_.empty()) {
    ::unlink(temporary_.c_str());
    temporary_.clear();
    ReleaseTemporary();
  }
}

}  // namespace korvelant
