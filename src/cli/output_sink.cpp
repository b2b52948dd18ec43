#include "cli/output_sink.hpp"

#include <unistd.h>

#include <cerrno>

#include "output/descriptor_write.hpp"

namespace korvelant {

bool OutputSink::Write(std::string_view bytes) {
  if (failed_) return false;
  if (buffer_.size() + bytes.size() < kBufferBytes) {
    buffer_.append(bytes);
    return true;
  }
  if (!Flush()) return false;
  if (bytes.size() >= kBufferBytes) {
    Deliver(bytes);
  } else {
    buffer_.append(bytes);
  }
  return !failed_;
}

bool OutputSink::Flush() {
  if (failed_) return false;
  if (!buffer_.empty()) Deliver(buffer_);
  buffer_.clear();
  return !failed_;
}

void OutputSink::Fail(std::string message, bool readerGone) {
  failed_ = true;
  readerGone_ = readerGone;
  failure_ = std::move(message);
  buffer_.clear();
  buffer_.shrink_to_fit();
}

bool DescriptorSink::IsTerminal() const {
  return ::isatty(fd_) == 1;
}

void DescriptorSink::Deliver(std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd_, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return Fail(failurePrefix_ + ": " + WriteErrorReason(errno), errno == EPIPE);
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
}

void StreamSink::Deliver(std::string_view bytes) {
  out_.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out_.flush();
  if (!out_) Fail("cannot write to standard output", false);
}

}  // namespace korvelant
