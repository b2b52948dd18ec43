#pragma once

#include <sys/stat.h>

#include <optional>
#include <string>
#include <string_view>

#include "output/temporary_file.hpp"
#include "output/unique_fd.hpp"

namespace korvelant {

// Whether a program stopped by SIGINT, SIGTERM or SIGHUP while writing removes its
// temporary at once. Only a program that owns its signals may ask: a library inside
// another program (the Python package, the window) leaves that program's handlers alone.
enum class StopSignals { kLeaveAlone, kRemoveTemporary };

// The one way every file of the program is written, piece by piece as a long batch writes
// its rows or whole as WriteFileSafely writes it. A failure never leaves a damaged file:
// - Links are followed and their target replaced or, if missing, created; a link planted by
//   another user in a shared sticky folder such as /tmp is refused; /dev/stdout, /dev/fd/N
//   and /proc/self/fd/N are the descriptor already open.
// - A regular file, new or old, is streamed into a locked temporary beside it that takes the
//   old file's owner, mode, ACLs and other extended attributes; Commit syncs and renames it
//   over the file and syncs the folder, so after a crash at any moment the old or the new
//   file is there whole. A temporary left by a killed writer is removed by the next write.
// - A file that cannot be replaced without losing something (other hard links, attributes
//   we may not give, a folder we may not create in) is streamed into an unnamed temporary
//   file and written in place, under a lock, by Commit.
// - A pipe, terminal or device is written in place without ever waiting for a reader.
// Until Commit succeeds an old file stays whole; a writer destroyed without Commit leaves
// no temporary.
class StreamingFileWriter {
 public:
  // Opens the file; on failure `failure()` says why, as `Cannot write "PATH": REASON`.
  explicit StreamingFileWriter(const std::string& path,
                               StopSignals signals = StopSignals::kLeaveAlone);
  ~StreamingFileWriter();
  StreamingFileWriter(const StreamingFileWriter&) = delete;
  StreamingFileWriter& operator=(const StreamingFileWriter&) = delete;

  // The descriptor the bytes go to; -1 when opening failed.
  int fd() const;
  const std::optional<std::string>& failure() const { return failure_; }
  // `Cannot write "PATH"`: how a message about a failed write to this file starts.
  std::string FailurePrefix() const;

  // Writes all of `bytes` to fd(); false, with `failure()` saying why, when that fails.
  bool Write(std::string_view bytes);

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
  StopSignals signals_;
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
