// Writers killed at any moment, and writers racing each other, must leave one whole file.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <string_view>
#include <thread>

#include "output/safe_file_writer.hpp"
#include "output/writer_test_support.hpp"

namespace korvelant {
namespace {

namespace fs = std::filesystem;

using WriterCrashes = WriterTest;

// Starts a child that writes `contents` to `path` in turn, `rounds` times (forever for 0),
// and exits 0 when every write succeeded.
pid_t StartWriter(const std::string& path, const std::vector<std::string>& contents, int rounds) {
  const pid_t child = ::fork();
  if (child != 0) return child;
  ::alarm(20);
  bool allWritten = true;
  for (int round = 0; rounds == 0 || round < rounds; ++round) {
    allWritten = !WriteFileSafely(path, contents[round % contents.size()]) && allWritten;
  }
  ::_exit(allWritten ? 0 : 1);
}

int ExitCodeOf(pid_t child) {
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

struct stat Status(const std::string& path) {
  struct stat info {};
  ::stat(path.c_str(), &info);
  return info;
}

// Returns the moment the file at `path` starts to change (another file under its name,
// another size or modification time), or after a second: the worst moment for a writer
// that changes the file itself to be killed.
void WaitUntilChanged(const std::string& path, const struct stat& before) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(1);
  while (std::chrono::steady_clock::now() < deadline) {
    const struct stat now = Status(path);
    if (now.st_ino != before.st_ino || now.st_size != before.st_size ||
        now.st_mtim.tv_nsec != before.st_mtim.tv_nsec ||
        now.st_mtim.tv_sec != before.st_mtim.tv_sec) {
      return;
    }
  }
}

bool AllOf(std::string_view text, std::string_view alphabet) {
  return text.find_first_not_of(alphabet) == std::string_view::npos;
}

// The documented names: ".NAME.korvelant-XXXXXX", or ".korvelant-HHHHHHHH-XXXXXX" for a
// name too long to leave room.
bool LooksLikeATemporaryOf(std::string_view entry, const std::string& name) {
  constexpr std::string_view kLetters =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  if (entry.size() < 6 || !AllOf(entry.substr(entry.size() - 6), kLetters)) return false;
  entry.remove_suffix(6);
  if (name.size() < 200) return entry == "." + name + ".korvelant-";
  return entry.size() == 20 && entry.starts_with(".korvelant-") && entry.ends_with("-") &&
         AllOf(entry.substr(11, 8), "0123456789abcdef");
}

bool IsOneOf(const std::string& text, const std::vector<std::string>& wholes) {
  return std::find(wholes.begin(), wholes.end(), text) != wholes.end();
}

TEST_F(WriterCrashes, AKilledWriterLeavesTheOldOrTheNewFileAndTheNextWriteCleansUp) {
  const std::vector<std::string> contents = {std::string(2 << 20, 'a'), std::string(3 << 19, 'b')};
  std::mt19937 random(20240611);
  // A usual name and the longest legal one, whose temporaries are named differently.
  for (const std::string& name : {std::string("matrices.txt"), std::string(255, 'm')}) {
    const std::string path = PathOf(name);
    Put(path, "initial");
    for (int kill = 0; kill < 6; ++kill) {
      const struct stat before = Status(path);
      const pid_t writer = StartWriter(path, contents, 0);
      if (kill % 2 == 0) {
        std::this_thread::sleep_for(std::chrono::microseconds(2000 + random() % 25000));
      } else {
        WaitUntilChanged(path, before);
      }
      ::kill(writer, SIGKILL);
      EXPECT_EQ(ExitCodeOf(writer), 128 + SIGKILL);
      // At most the temporary of this writer: the previous one's was removed by this one.
      const auto entries = Entries();
      EXPECT_LE(entries.size(), 2u);
      for (const std::string& entry : entries) {
        EXPECT_TRUE(entry == name || LooksLikeATemporaryOf(entry, name)) << entry;
      }
      const std::string now = Read(path);
      EXPECT_TRUE(IsOneOf(now, {"initial", contents[0], contents[1]}))
          << "a mix of " << now.size() << " bytes after kill " << kill;
    }
    EXPECT_EQ(Outcome(path, "final"), "OK");
    EXPECT_EQ(Read(path), "final");
    EXPECT_EQ(Entries(), std::vector<std::string>{name});
    fs::remove(path);
  }
}

TEST_F(WriterCrashes, RemovesOnlyTemporariesWhoseWriterIsGone) {
  const std::string path = PathOf("data.txt");
  Put(path, "old");
  for (const char* name :
       {".data.txt.korvelant-dead01", ".data.txt.korvelant-live01", ".other.txt.korvelant-dead02",
        ".data.txt.korvelant-longer1", ".data.txt.korvelant-aged01", "data.txt.korvelant-plain1"}) {
    Put(PathOf(name), "left over");
  }
  // A writer at work holds its temporary locked; so does this test here.
  const int live = ::open(PathOf(".data.txt.korvelant-live01").c_str(), O_RDONLY);
  ASSERT_EQ(::flock(live, LOCK_EX), 0);
  // One we cannot open to ask about its lock counts only once it is a minute old.
  const std::string aged = PathOf(".data.txt.korvelant-aged01");
  const std::string fresh = PathOf(".data.txt.korvelant-fresh1");
  Put(fresh, "left over");
  const timespec twoMinutesAgo[2] = {{::time(nullptr) - 120, 0}, {::time(nullptr) - 120, 0}};
  ASSERT_EQ(::utimensat(AT_FDCWD, aged.c_str(), twoMinutesAgo, 0), 0);
  for (const std::string& unreadable : {aged, fresh}) {
    ::chmod(unreadable.c_str(), 0);
    if (RunningAsRoot()) {
      ASSERT_EQ(::chown(unreadable.c_str(), kNobody, kNobody), 0);
    }
  }
  fs::permissions(dir_, static_cast<fs::perms>(0777));
  if (RunningAsRoot()) {
    ASSERT_EQ(::chown(path.c_str(), kNobody, kNobody), 0);
  }

  EXPECT_EQ(RunInChild([&] { return Outcome(path, "new"); }, true), "OK");
  ::close(live);
  EXPECT_EQ(Read(path), "new");
  EXPECT_EQ(Entries(),
            (std::vector<std::string>{".data.txt.korvelant-fresh1", ".data.txt.korvelant-live01",
                                      ".data.txt.korvelant-longer1", ".other.txt.korvelant-dead02",
                                      "data.txt", "data.txt.korvelant-plain1"}));
}

TEST_F(WriterCrashes, TwoWritersAtOnceLeaveOneWholeFile) {
  const std::vector<std::string> first = {std::string(100000, 'a')};
  const std::vector<std::string> second = {std::string(150000, 'b')};
  const std::string path = PathOf("race.txt");
  Put(path, "initial");
  const pid_t one = StartWriter(path, first, 25);
  const pid_t two = StartWriter(path, second, 25);
  // Every reader at every moment sees one whole file.
  int mixes = 0;
  for (int look = 0; look < 200; ++look) {
    mixes += !IsOneOf(Read(path), {"initial", first[0], second[0]});
  }
  EXPECT_EQ(ExitCodeOf(one), 0);
  EXPECT_EQ(ExitCodeOf(two), 0);
  EXPECT_EQ(mixes, 0);
  EXPECT_TRUE(IsOneOf(Read(path), {first[0], second[0]}));
  EXPECT_EQ(Entries(), std::vector<std::string>{"race.txt"});

  // Written in place (it has two names), the lock keeps writers from interleaving, and a
  // reader that takes the lock too never sees half of one write.
  const std::string linked = PathOf("linked.txt");
  Put(linked, "initial");
  fs::create_hard_link(linked, PathOf("linked-too.txt"));
  const std::vector<std::string> third = {std::string(30000, 'c'), std::string(90000, 'e')};
  const std::vector<std::string> fourth = {std::string(60000, 'd')};
  StartWriter(linked, third, 40);
  StartWriter(PathOf("linked-too.txt"), fourth, 40);
  const std::vector<std::string> wholes = {"initial", third[0], third[1], fourth[0]};
  int lockedMixes = 0;
  int looks = 0;
  for (int running = 2; running > 0; ++looks) {
    int status = 0;
    if (::waitpid(-1, &status, WNOHANG) > 0) {
      --running;
      EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    const int fd = ::open(linked.c_str(), O_RDONLY);
    ::flock(fd, LOCK_SH);
    std::string text(200000, '\0');
    const ssize_t got = ::pread(fd, text.data(), text.size(), 0);
    ::close(fd);
    text.resize(static_cast<size_t>(std::max<ssize_t>(0, got)));
    lockedMixes += !IsOneOf(text, wholes);
  }
  EXPECT_EQ(lockedMixes, 0) << "in " << looks << " looks";
  EXPECT_TRUE(IsOneOf(Read(linked), {third[1], fourth[0]})) << Read(linked).size() << " bytes";
}

}  // namespace
}  // namespace korvelant
