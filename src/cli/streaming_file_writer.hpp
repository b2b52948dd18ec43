#pragma once

#include <sys/stat.h>

#include <optional>
#include <string>

#include "output/temporary_file.hpp"
#include "output/unique_fd.hpp"

namespace korvelant {

// An output file written piece by piece, as a long batch writes its rows, by the rules of
// WriteFileSafely and with its parts: links are resolved as it resolves them (a link
// planted in a sticky folder is refused; /dev/stdout is the open descriptor); a regular
// file, new or old, is streamed into a locked temporary beside it that takes the old
// file's owner, mode and extended attributes, and Commit syncs and renames it over the
// file and syncs the folder; a pipe, terminal or device is written in place. A file that
// cannot be replaced without losing something (other hard links, attributes we may not
// give, a folder we may not create in) is streamed into an unnamed temporary file and
// copied in place by Commit, as WriteFileSafely writes it. Until Commit succeeds an old
// file stays whole; a writer destroyed without Commit, or a program stopped by SIGINT,
// SIGTERM or SIGHUP, leaves no temporary, and one killed outright leaves a temporary that
// the next write of the file removes.
class StreamingFileWriter {
 public:
  // Opens the file; on failure `failure()` says why, as `Cannot write "PATH": REASON`.
  explicit StreamingFileWriter(const std::string& path);
  ~StreamingFileWriter();
  StreamingFileWriter(const StreamingFileWriter&) = delete;
  StreamingFileWriter& operator=(const StreamingFileWriter&) = delete;

  // The descriptor the bytes go to; -1 when opening failed.
  int fd() const;
  const std::optional<std::string>& failure() const { return failure_; }
  // `Cannot write "PATH"`: how a message about a failed write to this file starts.
  std::string FailurePrefix() const;

  // Makes the written bytes the file. Returns the failure, if any.
  std::optional<std::string> Commit();

 private:
  enum class Mode { kReplace, kOpenDescriptor, kDevice, kCopyInPlace };

  void Open(const std::string& path);
  void OpenReplacement(const struct stat* old);
  void OpenCopyInPlace();
  std::string CommitReplacement();
  std::string CopyInPlace(int from);
  void Discard();
  void Fail(const std::string& reason);

  std::string shownPath_;
  std::string target_;
  Mode mode_ = Mode::kReplace;
  UniqueFd folder_;
  bool folderSyncable_ = false;
  TemporaryFile temporary_;  // kReplace
  UniqueFd out_;             // kDevice and kCopyInPlace
  int descriptor_ = -1;      // kOpenDescriptor: not ours to close
  std::optional<std::string> failure_;
};

}  // namespace korvelant
