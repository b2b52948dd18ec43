#include "output/in_place_write.hpp"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <thread>

#include "output/descriptor_write.hpp"
#include "output/unique_fd.hpp"
#include "output/write_reason.hpp"

namespace korvelant {
namespace {

// Another writer of this program holds the lock only while it writes one file.
constexpr auto kLockPatience = std::chrono::seconds(2);
constexpr auto kLockRetryPause = std::chrono::milliseconds(5);

// 0, or EWOULDBLOCK when another writer kept the file longer than we wait.
int LockWithinPatience(int fd) {
  const auto deadline = std::chrono::steady_clock::now() + kLockPatience;
  for (;;) {
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return 0;
    if (errno != EWOULDBLOCK && errno != EINTR) return errno;
    if (std::chrono::steady_clock::now() >= deadline) return EWOULDBLOCK;
    std::this_thread::sleep_for(kLockRetryPause);
  }
}

// Fails before anything changes when the bytes cannot fit: past the process's file-size
// limit (EFBIG) or on a full disk (ENOSPC), by reserving the blocks beyond the current end.
int ReserveSpace(int fd, size_t size) {
  rlimit limit{};
  if (::getrlimit(RLIMIT_FSIZE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY &&
      size > limit.rlim_cur) {
    return EFBIG;
  }
  if (size == 0) return 0;
  if (::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(size)) == 0) return 0;
  // File systems without reservation simply find out while writing.
  return errno == EOPNOTSUPP || errno == ENOSYS || errno == EINVAL ? 0 : errno;
}

// Overwrites from the start and cuts the old tail afterwards, so that the file is never
// seen empty in between.
int OverwriteRegularFile(int fd, std::string_view bytes) {
  if (const int error = LockWithinPatience(fd)) return error;
  if (const int error = ReserveSpace(fd, bytes.size())) return error;
  if (::lseek(fd, 0, SEEK_SET) < 0) return errno;
  if (const int error = WriteAllBytes(fd, bytes)) return error;
  if (::ftruncate(fd, static_cast<off_t>(bytes.size())) != 0) return errno;
  if (::fsync(fd) != 0) return errno;
  return 0;
}

}  // namespace

std::string WriteInPlace(const std::string& target, std::string_view bytes) {
  // O_NONBLOCK: a pipe without a reader fails at once (ENXIO) instead of waiting for one,
  // and a serial line does not wait for its carrier.
  UniqueFd fd(::open(target.c_str(), O_WRONLY | O_NOCTTY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK));
  if (!fd.Valid()) return WriteErrorReason(errno);
  // The bytes themselves go out blocking, as a reader of a pipe expects.
  const int flags = ::fcntl(fd.Get(), F_GETFL);
  if (flags < 0 || ::fcntl(fd.Get(), F_SETFL, flags & ~O_NONBLOCK) != 0) {
    return SystemReason(errno);
  }
  struct stat info {};
  if (::fstat(fd.Get(), &info) != 0) return SystemReason(errno);

  int error = S_ISREG(info.st_mode) ? OverwriteRegularFile(fd.Get(), bytes)
                                    : WriteAllBytes(fd.Get(), bytes);
  const int closeError = fd.Close();
  if (error == 0) error = closeError;
  if (error == EWOULDBLOCK && S_ISREG(info.st_mode)) return "another program is writing it";
  return error == 0 ? std::string() : WriteErrorReason(error);
}

}  // namespace korvelant
