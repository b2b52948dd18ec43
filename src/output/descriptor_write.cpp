#include "output/descriptor_write.hpp"

#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <signal.h>

#include <cerrno>
#include <ctime>

#include <unistd.h>

#include "output/write_reason.hpp"

namespace korvelant {
namespace {

// How long a descriptor left non-blocking may refuse more bytes before the write gives up.
constexpr int kStalledReaderMilliseconds = 10000;

// Blocks SIGPIPE in this thread for the guard's life and swallows the one a write to a
// closed pipe raises, leaving any SIGPIPE that was pending before untouched. Per thread,
// so the window's other threads and the process's own handler are unaffected.
class SigpipeGuard {
 public:
  SigpipeGuard() {
    sigemptyset(&pipe_);
    sigaddset(&pipe_, SIGPIPE);
    ::pthread_sigmask(SIG_BLOCK, &pipe_, &previousMask_);
    sigset_t pending;
    ::sigpending(&pending);
    wasPending_ = sigismember(&pending, SIGPIPE) == 1;
  }
  ~SigpipeGuard() {
    if (raised_ && !wasPending_) {
      const timespec noWait{};
      ::sigtimedwait(&pipe_, nullptr, &noWait);
    }
    ::pthread_sigmask(SIG_SETMASK, &previousMask_, nullptr);
  }
  SigpipeGuard(const SigpipeGuard&) = delete;
  SigpipeGuard& operator=(const SigpipeGuard&) = delete;

  void NoteBrokenPipe() { raised_ = true; }

 private:
  sigset_t pipe_{};
  sigset_t previousMask_{};
  bool wasPending_ = false;
  bool raised_ = false;
};

}  // namespace

int WriteAllBytes(int fd, std::string_view bytes) {
  SigpipeGuard guard;
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written >= 0) {
      bytes.remove_prefix(static_cast<size_t>(written));
      continue;
    }
    if (errno == EINTR) continue;
    if (errno == EAGAIN || errno == EWOULDBLOCK) {
      pollfd ready{fd, POLLOUT, 0};
      const int result = ::poll(&ready, 1, kStalledReaderMilliseconds);
      if (result > 0 || (result < 0 && errno == EINTR)) continue;
      return EAGAIN;
    }
    if (errno == EPIPE) guard.NoteBrokenPipe();
    return errno;
  }
  return 0;
}

std::string WriteErrorReason(int error) {
  switch (error) {
    case ENXIO:
      return "no reader on the pipe";
    case EPIPE:
      return "the reader closed the pipe";
    case EAGAIN:
      return "the reader stopped reading";
    case EISDIR:
      return "it is a directory";
    default:
      return SystemReason(error);
  }
}

std::optional<std::string> DescriptorWriteProblem(int fd) {
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags < 0) return "descriptor " + std::to_string(fd) + " is not open";
  if ((flags & O_ACCMODE) == O_RDONLY) {
    return "descriptor " + std::to_string(fd) + " is open for reading only";
  }
  return std::nullopt;
}

}  // namespace korvelant
