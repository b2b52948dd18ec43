#pragma once

#include <ostream>
#include <string>
#include <string_view>

namespace korvelant {

// Where a command's output goes. Bytes are gathered into large writes; the first failure
// is kept and every later write ignored, so a full disk or a closed pipe gives one message,
// not one per row.
class OutputSink {
 public:
  virtual ~OutputSink() = default;

  // Queues the bytes; false once writing has failed.
  bool Write(std::string_view bytes);
  // Hands everything queued on; false once writing has failed.
  bool Flush();

  bool failed() const { return failed_; }
  // The reader went away (a closed pipe, as `| head -1` does): no message is due.
  bool readerGone() const { return readerGone_; }
  // One line saying what could not be written and why, when failed() and not readerGone().
  const std::string& failure() const { return failure_; }
  // Whether a person may be watching: rows are then handed on chunk by chunk.
  virtual bool IsTerminal() const { return false; }

 protected:
  // Writes all of `bytes` or reports why not by calling Fail.
  virtual void Deliver(std::string_view bytes) = 0;
  void Fail(std::string message, bool readerGone);

 private:
  static constexpr std::size_t kBufferBytes = std::size_t{1} << 18;
  std::string buffer_;
  bool failed_ = false;
  bool readerGone_ = false;
  std::string failure_;
};

// A file descriptor: standard output or an opened file. `failurePrefix` opens the message,
// as in "cannot write to standard output".
class DescriptorSink : public OutputSink {
 public:
  DescriptorSink(int fd, std::string failurePrefix)
      : fd_(fd), failurePrefix_(std::move(failurePrefix)) {}
  bool IsTerminal() const override;

 protected:
  void Deliver(std::string_view bytes) override;

 private:
  int fd_;
  std::string failurePrefix_;
};

// A C++ stream, for running the commands inside a test.
class StreamSink : public OutputSink {
 public:
  explicit StreamSink(std::ostream& out) : out_(out) {}

 protected:
  void Deliver(std::string_view bytes) override;

 private:
  std::ostream& out_;
};

}  // namespace korvelant
