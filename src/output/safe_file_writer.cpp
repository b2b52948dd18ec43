#include "output/safe_file_writer.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "output/carried_metadata.hpp"
#include "output/descriptor_write.hpp"
#include "output/extended_attributes.hpp"
#include "output/in_place_write.hpp"
#include "output/link_resolution.hpp"
#include "output/path_parts.hpp"
#include "output/temporary_file.hpp"
#include "output/unique_fd.hpp"
#include "output/write_reason.hpp"

namespace korvelant {
namespace {

constexpr long kUsualMaxNameLength = 255;

// The folder the file lives in, opened once so that every later step acts on the same
// folder whatever happens to its path meanwhile, and so that it can be synced.
struct Folder {
  UniqueFd fd;
  bool syncable = false;
};

// A folder we may enter but not list is opened by path only: files can still be created
// in it, it just cannot be synced. Returns 0 or an errno value.
int OpenFolder(const std::string& path, Folder& folder) {
  folder.fd = UniqueFd(::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  folder.syncable = folder.fd.Valid();
  if (!folder.fd.Valid() && errno == EACCES) {
    folder.fd = UniqueFd(::open(path.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
  }
  return folder.fd.Valid() ? 0 : errno;
}

long MaxNameLength(int folderFd) {
  const long limit = ::fpathconf(folderFd, _PC_NAME_MAX);
  return limit > 0 ? limit : kUsualMaxNameLength;
}

enum class Outcome { Done, Failed, NeedsInPlace };
struct Replacement {
  Outcome outcome;
  std::string reason;
};

// Writes a temporary beside `target` and renames it over `target` (whose details are
// `old`, or null for a new file). Synced file, rename, synced folder: whatever moment the
// process or the machine stops, the name holds the old file or the new one whole.
Replacement ReplaceThroughTemporary(const std::string& target, std::string_view bytes,
                                    const struct stat* old) {
  Folder folder;
  if (const int error = OpenFolder(DirectoryOf(target), folder)) {
    return {Outcome::Failed, SystemReason(error)};
  }
  const int folderFd = folder.fd.Get();
  const std::string prefix = TemporaryPrefix(BaseNameOf(target), MaxNameLength(folderFd));
  RemoveAbandonedTemporaries(folderFd, prefix);

  // A new file gets 0666 less the umask (and the folder's default ACL) from the kernel,
  // like any program's new file; a replacement starts private and gets the old mode.
  TemporaryFile temporary;
  if (const int error = CreateTemporary(folderFd, prefix, old ? 0600 : 0666, temporary)) {
    const bool folderForbids = error == EACCES || error == EPERM;
    if (old && folderForbids) return {Outcome::NeedsInPlace, {}};
    return {Outcome::Failed,
            folderForbids ? "no permission to create a file in its folder" : SystemReason(error)};
  }
  const auto discard = [&] { ::unlinkat(folderFd, temporary.name.c_str(), 0); };

  if (old && !CarryOverMetadata(temporary.fd.Get(), target, *old)) {
    discard();
    return {Outcome::NeedsInPlace, {}};
  }
  int error = WriteAllBytes(temporary.fd.Get(), bytes);
  if (error == 0 && ::fsync(temporary.fd.Get()) != 0) error = errno;
  if (error != 0) {
    discard();
    return {Outcome::Failed, WriteErrorReason(error)};
  }
  // The temporary stays open, and so locked against cleaners, until it has its final name.
  const std::string finalName = BaseNameOf(target);
  if (::renameat(folderFd, temporary.name.c_str(), folderFd, finalName.c_str()) != 0) {
    error = errno;
    discard();
    // A sticky folder lets only the owner replace the file, but we may write into it.
    if (old && (error == EPERM || error == EACCES)) return {Outcome::NeedsInPlace, {}};
    return {Outcome::Failed, WriteErrorReason(error)};
  }
  temporary.fd.Close();
  // Some file systems cannot sync a folder (EINVAL); the rename is then as durable as it gets.
  if (folder.syncable && ::fsync(folderFd) != 0 && errno != EINVAL) {
    return {Outcome::Failed, SystemReason(errno)};
  }
  return {Outcome::Done, {}};
}

std::string WriteExistingRegularFile(const std::string& target, std::string_view bytes,
                                     const struct stat& info) {
  // Asking first keeps a read-only file read-only even for a user who may rename over it.
  if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) return SystemReason(errno);
  // Replacing would split the file from its other names; writing in place updates them all.
  if (info.st_nlink > 1) return WriteInPlace(target, bytes);
  const Replacement replacement = ReplaceThroughTemporary(target, bytes, &info);
  if (replacement.outcome == Outcome::NeedsInPlace) return WriteInPlace(target, bytes);
  return replacement.reason;
}

// The reason the write failed, empty when it succeeded.
std::string WriteAndExplain(const std::string& path, std::string_view bytes) {
  if (path.empty()) return "no file name was given";
  const ResolvedTarget target = ResolveTarget(path);
  if (!target.refusal.empty()) return target.refusal;
  if (target.descriptor) return WriteToOpenDescriptor(*target.descriptor, bytes);

  struct stat info {};
  if (::lstat(target.path.c_str(), &info) != 0) {
    if (errno != ENOENT || BaseNameOf(target.path).empty()) return SystemReason(errno);
    return ReplaceThroughTemporary(target.path, bytes, nullptr).reason;
  }
  if (S_ISDIR(info.st_mode)) return "it is a directory";
  if (S_ISSOCK(info.st_mode)) return "it is a socket";
  if (!S_ISREG(info.st_mode)) return WriteInPlace(target.path, bytes);
  return WriteExistingRegularFile(target.path, bytes, info);
}

}  // namespace

std::optional<std::string> WriteFileSafely(const std::string& path, std::string_view bytes) {
  const std::string reason = WriteAndExplain(path, bytes);
  if (reason.empty()) return std::nullopt;
  return CannotWriteMessage(path, reason);
}

}  // namespace korvelant
