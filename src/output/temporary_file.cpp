#include "output/temporary_file.hpp"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <ctime>

namespace korvelant {
namespace {

constexpr std::string_view kMarker = "korvelant-";
constexpr size_t kRandomLength = 6;
constexpr int kCreationAttempts = 100;
// Past this age a temporary we cannot open to test its lock counts as abandoned: files
// of this program are written in well under a second.
constexpr time_t kAbandonedAfterSeconds = 60;

constexpr std::string_view kAlphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

// FNV-1a: stable across runs and machines, so every writer finds the same prefix.
uint32_t NameHash(std::string_view name) {
  uint32_t hash = 2166136261u;
  for (const char c : name) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 16777619u;
  }
  return hash;
}

std::string Hex8(uint32_t value) {
  std::string text(8, '0');
  for (int i = 7; i >= 0; --i, value >>= 4)
    text[i] = "0123456789abcdef"[value & 15];
  return text;
}

std::string RandomPart() {
  std::array<unsigned char, kRandomLength> noise{};
  if (::getrandom(noise.data(), noise.size(), GRND_NONBLOCK) !=
      static_cast<ssize_t>(noise.size())) {
    // Early in boot the pool may be empty; uniqueness is all that matters here.
    static std::atomic<uint64_t> counter{0};
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    uint64_t mix = static_cast<uint64_t>(now.tv_nsec) ^ (static_cast<uint64_t>(::getpid()) << 32) ^
                   (counter.fetch_add(1) * 0x9E3779B97F4A7C15ull);
    for (auto& byte : noise)
      byte = static_cast<unsigned char>(mix >>= 7);
  }
  std::string text;
  for (const unsigned char byte : noise)
    text.push_back(kAlphabet[byte % kAlphabet.size()]);
  return text;
}

bool IsAlphanumeric(char c) {
  return kAlphabet.find(c) != std::string_view::npos;
}

bool IsOlderThanAMinute(int folderFd, const char* name) {
  struct stat info {};
  if (::fstatat(folderFd, name, &info, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(info.st_mode)) {
    return false;
  }
  return ::time(nullptr) - info.st_mtime > kAbandonedAfterSeconds;
}

// Removes the temporary `name` when its writer is gone: the lock it held died with it. The
// lock is kept until the name is gone, so a writer that just created the file and has not
// locked it yet sees the clash and picks another name. Where the lock cannot be asked (we
// may not open the file, or the file system has no locks), only age tells.
void RemoveIfAbandoned(int folderFd, const char* name) {
  const int common = O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
  UniqueFd fd(::openat(folderFd, name, O_RDONLY | common));
  if (!fd.Valid()) fd = UniqueFd(::openat(folderFd, name, O_WRONLY | common));
  struct stat info {};
  if (fd.Valid() && (::fstat(fd.Get(), &info) != 0 || !S_ISREG(info.st_mode))) return;
  if (fd.Valid() && ::flock(fd.Get(), LOCK_EX | LOCK_NB) == 0) {
    ::unlinkat(folderFd, name, 0);
    return;
  }
  if (fd.Valid() && errno == EWOULDBLOCK) return;  // a live writer
  if (IsOlderThanAMinute(folderFd, name)) ::unlinkat(folderFd, name, 0);
}

}  // namespace

std::string TemporaryPrefix(std::string_view baseName, long maxNameLength) {
  // Built by appending: GCC 12 warns falsely about `"." + std::string` at -O3.
  std::string prefix(".");
  prefix.append(baseName).append(".").append(kMarker);
  if (static_cast<long>(prefix.size() + kRandomLength) <= maxNameLength) return prefix;
  std::string shortPrefix(".");
  shortPrefix.append(kMarker).append(Hex8(NameHash(baseName))).append("-");
  return shortPrefix;
}

bool IsTemporaryName(std::string_view entry, std::string_view prefix) {
  if (entry.size() != prefix.size() + kRandomLength || !entry.starts_with(prefix)) return false;
  for (const char c : entry.substr(prefix.size())) {
    if (!IsAlphanumeric(c)) return false;
  }
  return true;
}

int CreateTemporary(int folderFd, const std::string& prefix, mode_t mode, TemporaryFile& out) {
  for (int attempt = 0; attempt < kCreationAttempts; ++attempt) {
    const std::string name = prefix + RandomPart();
    UniqueFd fd(::openat(folderFd, name.c_str(),
                         O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode));
    if (!fd.Valid()) {
      if (errno == EEXIST) continue;
      return errno;
    }
    // A cleaner may have taken the still unlocked file for abandoned between its creation
    // and our lock; it is ours only if, once we hold the lock, the name still leads to it.
    // (Where the file system has no locks, cleaners go by age alone.)
    if (::flock(fd.Get(), LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) continue;
    struct stat mine {};
    struct stat named {};
    if (::fstat(fd.Get(), &mine) != 0 ||
        ::fstatat(folderFd, name.c_str(), &named, AT_SYMLINK_NOFOLLOW) != 0 ||
        mine.st_ino != named.st_ino || mine.st_dev != named.st_dev) {
      continue;
    }
    out.fd = std::move(fd);
    out.name = name;
    return 0;
  }
  return EEXIST;
}

void RemoveAbandonedTemporaries(int folderFd, const std::string& prefix) {
  const int listingFd = ::openat(folderFd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (listingFd < 0) return;
  DIR* listing = ::fdopendir(listingFd);
  if (listing == nullptr) {
    ::close(listingFd);
    return;
  }
  while (const dirent* entry = ::readdir(listing)) {
    if (!IsTemporaryName(entry->d_name, prefix)) continue;
    RemoveIfAbandoned(folderFd, entry->d_name);
  }
  ::closedir(listing);
}

}  // namespace korvelant
