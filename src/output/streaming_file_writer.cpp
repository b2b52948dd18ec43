#include "output/streaming_file_writer.hpp"

#include <fcntl.h>
#include <limits.h>
#include <pthread.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>

#include "output/carried_metadata.hpp"
#include "output/descriptor_write.hpp"
#include "output/extended_attributes.hpp"
#include "output/in_place_write.hpp"
#include "output/link_resolution.hpp"
#include "output/path_parts.hpp"
#include "output/write_reason.hpp"

namespace korvelant {
namespace {

constexpr long kUsualMaxNameLength = 255;

// The temporary being written, for the signal handler: a batch stopped by Ctrl-C removes
// it at once rather than leaving it to the next write. One output file per process.
volatile std::sig_atomic_t gTemporaryFolder = -1;
char gTemporaryName[NAME_MAX + 1];
constexpr int kCleanupSignals[] = {SIGINT, SIGTERM, SIGHUP};

extern "C" void RemoveTemporaryAndStop(int signal) {
  if (gTemporaryFolder >= 0) ::unlinkat(gTemporaryFolder, gTemporaryName, 0);
  std::signal(signal, SIG_DFL);
  std::raise(signal);
}

void GuardTemporary(int folder, const std::string& name) {
  if (name.size() > NAME_MAX) return;
  std::memcpy(gTemporaryName, name.c_str(), name.size() + 1);
  gTemporaryFolder = folder;
  for (const int signal : kCleanupSignals)
    std::signal(signal, RemoveTemporaryAndStop);
}

void ReleaseTemporary() {
  gTemporaryFolder = -1;
  for (const int signal : kCleanupSignals)
    std::signal(signal, SIG_DFL);
}

// An unnamed file to gather the bytes in, where the system keeps temporary files.
UniqueFd UnnamedTemporary() {
  const char* folder = std::getenv("TMPDIR");
  if (folder == nullptr || *folder == '\0') folder = "/tmp";
  UniqueFd fd(::open(folder, O_TMPFILE | O_RDWR | O_CLOEXEC, 0600));
  if (fd.Valid() || (errno != EOPNOTSUPP && errno != EISDIR)) return fd;
  std::string pattern = std::string(folder) + "/.korvelant-XXXXXX";
  fd = UniqueFd(::mkostemp(pattern.data(), O_CLOEXEC));
  if (fd.Valid()) ::unlink(pattern.c_str());
  return fd;
}

}  // namespace

StreamingFileWriter::StreamingFileWriter(const std::string& path, StopSignals signals)
    : shownPath_(path), signals_(signals) {
  Open(path);
}

StreamingFileWriter::~StreamingFileWriter() {
  Discard();
}

int StreamingFileWriter::fd() const {
  if (failure_) return -1;
  switch (mode_) {
    case Mode::kReplace:
      return temporary_.fd.Get();
    case Mode::kOpenDescriptor:
      return descriptor_;
    case Mode::kDevice:
    case Mode::kCopyInPlace:
      return out_.Get();
  }
  return -1;
}

std::string StreamingFileWriter::FailurePrefix() const {
  // The shape of CannotWriteMessage, with the reason appended by the writer of the bytes.
  const std::string message = CannotWriteMessage(shownPath_, "");
  return message.substr(0, message.rfind(": "));
}

void StreamingFileWriter::Fail(const std::string& reason) {
  failure_ = CannotWriteMessage(shownPath_, reason);
  Discard();
}

void StreamingFileWriter::Open(const std::string& path) {
  if (path.empty()) return Fail("no file name was given");
  const ResolvedTarget target = ResolveTarget(path);
  if (!target.refusal.empty()) return Fail(target.refusal);
  if (target.descriptor) {
    mode_ = Mode::kOpenDescriptor;
    descriptor_ = *target.descriptor;
    if (const auto problem = DescriptorWriteProblem(descriptor_)) return Fail(*problem);
    return;
  }
  target_ = target.path;
  struct stat info {};
  if (::lstat(target_.c_str(), &info) != 0) {
    if (errno != ENOENT || BaseNameOf(target_).empty()) return Fail(SystemReason(errno));
    return OpenReplacement(nullptr);
  }
  if (S_ISDIR(info.st_mode)) return Fail("it is a directory");
  if (S_ISSOCK(info.st_mode)) return Fail("it is a socket");
  if (!S_ISREG(info.st_mode)) {
    // A pipe without a reader fails at once instead of waiting for one.
    mode_ = Mode::kDevice;
    out_ = UniqueFd(
        ::open(target_.c_str(), O_WRONLY | O_NOCTTY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK));
    if (!out_.Valid()) return Fail(WriteErrorReason(errno));
    const int flags = ::fcntl(out_.Get(), F_GETFL);
    if (flags < 0 || ::fcntl(out_.Get(), F_SETFL, flags & ~O_NONBLOCK) != 0) {
      return Fail(SystemReason(errno));
    }
    return;
  }
  if (::faccessat(AT_FDCWD, target_.c_str(), W_OK, AT_EACCESS) != 0)
    return Fail(SystemReason(errno));
  // Replacing would split the file from its other names.
  if (info.st_nlink > 1) return OpenCopyInPlace();
  OpenReplacement(&info);
}

void StreamingFileWriter::OpenReplacement(const struct stat* old) {
  mode_ = Mode::kReplace;
  const std::string folder = DirectoryOf(target_);
  folder_ = UniqueFd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  folderSyncable_ = folder_.Valid();
  if (!folder_.Valid() && errno == EACCES) {
    folder_ = UniqueFd(::open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
  }
  if (!folder_.Valid()) return Fail(SystemReason(errno));
  const long limit = ::fpathconf(folder_.Get(), _PC_NAME_MAX);
  const std::string prefix =
      TemporaryPrefix(BaseNameOf(target_), limit > 0 ? limit : kUsualMaxNameLength);
  RemoveAbandonedTemporaries(folder_.Get(), prefix);
  // No interrupt between creating the temporary and arming its removal.
  sigset_t cleanupSignals, previous;
  sigemptyset(&cleanupSignals);
  for (const int signal : kCleanupSignals)
    sigaddset(&cleanupSignals, signal);
  ::pthread_sigmask(SIG_BLOCK, &cleanupSignals, &previous);
  const int error = CreateTemporary(folder_.Get(), prefix, old ? 0600 : 0666, temporary_);
  if (error == 0 && signals_ == StopSignals::kRemoveTemporary) {
    GuardTemporary(folder_.Get(), temporary_.name);
  }
  ::pthread_sigmask(SIG_SETMASK, &previous, nullptr);
  if (error != 0) {
    const bool folderForbids = error == EACCES || error == EPERM;
    if (old && folderForbids) return OpenCopyInPlace();
    return Fail(folderForbids ? "no permission to create a file in its folder"
                              : SystemReason(error));
  }
  if (old && !CarryOverMetadata(temporary_.fd.Get(), target_, *old)) {
    Discard();
    OpenCopyInPlace();
  }
}

void StreamingFileWriter::OpenCopyInPlace() {
  mode_ = Mode::kCopyInPlace;
  out_ = UnnamedTemporary();
  if (!out_.Valid()) Fail(SystemReason(errno));
}

bool StreamingFileWriter::Write(std::string_view bytes) {
  if (failure_) return false;
  if (const int error = WriteAllBytes(fd(), bytes)) Fail(WriteErrorReason(error));
  return !failure_;
}

std::optional<std::string> StreamingFileWriter::Commit() {
  if (failure_) return failure_;
  std::string reason;
  switch (mode_) {
    case Mode::kOpenDescriptor:
      break;
    case Mode::kDevice:
      if (const int error = out_.Close()) reason = WriteErrorReason(error);
      break;
    case Mode::kCopyInPlace:
      reason = CopyInPlace(out_.Get());
      break;
    case Mode::kReplace:
      reason = CommitReplacement();
      break;
  }
  Discard();
  if (!reason.empty()) failure_ = CannotWriteMessage(shownPath_, reason);
  return failure_;
}

std::string StreamingFileWriter::CommitReplacement() {
  const int fd = temporary_.fd.Get();
  if (::fsync(fd) != 0) return WriteErrorReason(errno);
  const std::string finalName = BaseNameOf(target_);
  if (::renameat(folder_.Get(), temporary_.name.c_str(), folder_.Get(), finalName.c_str()) != 0) {
    const int error = errno;
    // A sticky folder lets only the owner replace the file, but we may write into it.
    struct stat old {};
    const bool exists = ::lstat(target_.c_str(), &old) == 0;
    if (exists && (error == EPERM || error == EACCES)) return CopyInPlace(fd);
    return WriteErrorReason(error);
  }
  temporary_.name.clear();  // the name is the file's now
  if (signals_ == StopSignals::kRemoveTemporary) ReleaseTemporary();
  temporary_.fd.Close();
  // Some file systems cannot sync a folder (EINVAL); the rename is as durable as it gets.
  if (folderSyncable_ && ::fsync(folder_.Get()) != 0 && errno != EINVAL) return SystemReason(errno);
  return "";
}

// Hands what was gathered in `from` to WriteInPlace, mapped rather than read into memory.
std::string StreamingFileWriter::CopyInPlace(int from) {
  struct stat info {};
  if (::fstat(from, &info) != 0) return SystemReason(errno);
  const auto size = static_cast<std::size_t>(info.st_size);
  if (size == 0) return WriteInPlace(target_, {});
  void* bytes = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, from, 0);
  if (bytes == MAP_FAILED) return SystemReason(errno);
  const std::string reason = WriteInPlace(target_, {static_cast<const char*>(bytes), size});
  ::munmap(bytes, size);
  return reason;
}

void StreamingFileWriter::Discard() {
  if (!temporary_.name.empty()) {
    ::unlinkat(folder_.Get(), temporary_.name.c_str(), 0);
    temporary_.name.clear();
    if (signals_ == StopSignals::kRemoveTemporary) ReleaseTemporary();
  }
  temporary_.fd = UniqueFd();
  out_ = UniqueFd();
}

}  // namespace korvelant
