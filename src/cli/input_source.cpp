#include "cli/input_source.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "input/quoted_text.hpp"
#include "output/write_reason.hpp"

namespace korvelant {

long DescriptorSource::Read(char* buffer, std::size_t size, int& error) {
  while (true) {
    const ssize_t count = ::read(fd_, buffer, size);
    if (count >= 0) return static_cast<long>(count);
    if (errno != EINTR) {
      error = errno;
      return -1;
    }
  }
}

bool DescriptorSource::Trickles() const {
  struct stat info {};
  return ::fstat(fd_, &info) != 0 || !S_ISREG(info.st_mode);
}

std::unique_ptr<FileSource> FileSource::Open(const std::string& path, std::string& failure) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    failure = "cannot read " + QuotedText(path) + ": " + SystemReason(errno);
    return nullptr;
  }
  struct stat info {};
  if (::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
    ::close(fd);
    failure = "cannot read " + QuotedText(path) + ": it is a directory";
    return nullptr;
  }
  return std::unique_ptr<FileSource>(new FileSource(fd));
}

FileSource::~FileSource() {
  ::close(fd_);
}

long TextSource::Read(char* buffer, std::size_t size, int& /*error*/) {
  const std::size_t count = std::min(size, text_.size() - position_);
  std::memcpy(buffer, text_.data() + position_, count);
  position_ += count;
  return static_cast<long>(count);
}

}  // namespace korvelant
