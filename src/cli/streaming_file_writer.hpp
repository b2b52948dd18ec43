#pragma once

#include <optional>
#include <string>

namespace korvelant {

// An output file written piece by piece, by the rules of WriteFileSafely: a regular file
// (or a new one) is written as a temporary beside its final place and renamed over it only
// by Commit, keeping the old file's permissions; a symbolic link is followed and its target
// replaced; a directory is refused; something that is not a regular file (a FIFO, a
// terminal, /dev/stdout) is written in place. Until Commit succeeds, an old file stays
// whole; a writer destroyed without Commit, or a program ended by SIGINT, SIGTERM or SIGHUP
// meanwhile, leaves no temporary behind.
class StreamingFileWriter {
 public:
  // Opens the file; on failure `failure()` names the path and the reason.
  explicit StreamingFileWriter(const std::string& path);
  ~StreamingFileWriter();
  StreamingFileWriter(const StreamingFileWriter&) = delete;
  StreamingFileWriter& operator=(const StreamingFileWriter&) = delete;

  // The descriptor to write to; -1 when opening failed.
  int fd() const { return fd_; }
  const std::optional<std::string>& failure() const { return failure_; }
  // "Cannot write \"PATH\"": the start of every failure message about this file.
  std::string FailurePrefix() const;

  // Makes the written bytes the file: permissions, fsync, rename. Returns the failure.
  std::optional<std::string> Commit();

 private:
  void OpenTemporary(const std::string& target, bool existing, unsigned mode, unsigned owner,
                     unsigned group);
  void Abandon();

  std::string shownPath_;
  std::string target_;
  std::string temporary_;  // empty when writing in place
  int fd_ = -1;
  std::optional<std::string> failure_;
};

}  // namespace korvelant
