#include "output/safe_file_writer.hpp"

#include <fcntl.h>
#include <pty.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstring>
#include <filesystem>

#include "output/writer_test_support.hpp"

namespace korvelant {
namespace {

namespace fs = std::filesystem;

using SafeFileWriter = WriterTest;

TEST_F(SafeFileWriter, CreatesAndReplacesWholeFilesWithTheUsualPermissions) {
  const std::string path = PathOf("matrices.txt");
  const mode_t previous = ::umask(077);
  EXPECT_EQ(Outcome(path, "abc\r\n"), "OK");
  ::umask(022);
  EXPECT_EQ(Outcome(PathOf("second.txt"), "x"), "OK");
  ::umask(previous);
  EXPECT_EQ(Read(path), "abc\r\n");
  EXPECT_EQ(fs::status(path).permissions(), static_cast<fs::perms>(0600));
  EXPECT_EQ(fs::status(PathOf("second.txt")).permissions(), static_cast<fs::perms>(0644));

  // A replacement keeps the old mode, whatever the umask.
  Put(path, std::string(10000, 'x'));
  fs::permissions(path, static_cast<fs::perms>(0640));
  EXPECT_EQ(Outcome(path, "new"), "OK");
  EXPECT_EQ(Read(path), "new");
  EXPECT_EQ(fs::status(path).permissions(), static_cast<fs::perms>(0640));
  EXPECT_EQ(Outcome(path, ""), "OK");
  EXPECT_EQ(Read(path), "");
  EXPECT_EQ(Entries(), (std::vector<std::string>{"matrices.txt", "second.txt"}));
}

TEST_F(SafeFileWriter, NamesThePathAndTheReasonAndTouchesNothing) {
  const std::string missing = PathOf("no-such-folder/out.txt");
  EXPECT_EQ(Outcome(missing, "data"),
            "Cannot write \"" + missing + "\": No such file or directory");

  const std::string folder = PathOf("folder");
  fs::create_directory(folder);
  EXPECT_EQ(Outcome(folder, "data"), "Cannot write \"" + folder + "\": it is a directory");
  EXPECT_EQ(Outcome(folder + "/", "data"), "Cannot write \"" + folder + "/\": it is a directory");
  EXPECT_EQ(Outcome("", "data"), "Cannot write \"\": no file name was given");

  const std::string plain = PathOf("plain");
  Put(plain, "old");
  EXPECT_EQ(Outcome(plain + "/x", "data"), "Cannot write \"" + plain + "/x\": Not a directory");

  const std::string socketPath = PathOf("socket");
  const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, socketPath.c_str(), sizeof address.sun_path - 1);
  ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  EXPECT_EQ(Outcome(socketPath, "data"), "Cannot write \"" + socketPath + "\": it is a socket");
  ::close(listener);

  // Not even root may create files in /proc.
  const auto unwritable = Outcome("/proc/korvelant-test-output", "data");
  EXPECT_TRUE(unwritable.starts_with("Cannot write \"/proc/korvelant-test-output\": "))
      << unwritable;
  EXPECT_FALSE(fs::exists("/proc/korvelant-test-output"));

  EXPECT_EQ(Read(plain), "old");
  EXPECT_EQ(Entries(), (std::vector<std::string>{"folder", "plain", "socket"}));
}

TEST_F(SafeFileWriter, AFullDiskLeavesTheOldFileWholeAlsoWhenWritingInPlace) {
  const std::string path = PathOf("Text1");
  const std::string old(3000, 'o');
  Put(path, old);
  Put(PathOf("hard"), old);
  fs::create_hard_link(PathOf("hard"), PathOf("hard-too"));

  // A file-size limit stands in for a full disk: writing past it fails with EFBIG.
  const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit previous{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &previous), 0);
  rlimit small = previous;
  small.rlim_cur = 1024;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const auto replaced = Outcome(path, std::string(5000, 'n'));
  const auto inPlace = Outcome(PathOf("hard"), std::string(5000, 'n'));
  ::setrlimit(RLIMIT_FSIZE, &previous);
  std::signal(SIGXFSZ, previousHandler);

  EXPECT_EQ(replaced, "Cannot write \"" + path + "\": File too large");
  EXPECT_EQ(inPlace, "Cannot write \"" + PathOf("hard") + "\": File too large");
  EXPECT_EQ(Read(path), old);
  EXPECT_EQ(Read(PathOf("hard-too")), old);
  EXPECT_EQ(Entries(), (std::vector<std::string>{"Text1", "hard", "hard-too"}));
}

TEST_F(SafeFileWriter, WritesAFileWithSeveralNamesInPlaceSoEveryNameSeesIt) {
  const std::string first = PathOf("first");
  Put(first, std::string(500, 'o'));
  fs::create_hard_link(first, PathOf("second"));
  const ino_t inode = InodeOf(first);
  EXPECT_EQ(Outcome(PathOf("second"), "new and shorter"), "OK");
  EXPECT_EQ(Read(first), "new and shorter");
  EXPECT_EQ(InodeOf(PathOf("second")), inode);
  EXPECT_EQ(fs::hard_link_count(first), 2u);
  EXPECT_EQ(Entries(), (std::vector<std::string>{"first", "second"}));
}

TEST_F(SafeFileWriter, FollowsLinksKeepsThemAndCreatesTheTargetOfADanglingOne) {
  fs::create_directory(PathOf("elsewhere"));
  const std::string target = PathOf("elsewhere/target.txt");
  Put(target, "old");
  fs::create_symlink("elsewhere/target.txt", PathOf("relative"));
  fs::create_symlink(PathOf("relative"), PathOf("chain"));
  EXPECT_EQ(Outcome(PathOf("chain"), "new"), "OK");
  EXPECT_TRUE(fs::is_symlink(PathOf("chain")) && fs::is_symlink(PathOf("relative")));
  EXPECT_EQ(Read(target), "new");

  fs::create_symlink("elsewhere/created.txt", PathOf("dangling"));
  EXPECT_EQ(Outcome(PathOf("dangling"), "made"), "OK");
  EXPECT_TRUE(fs::is_symlink(PathOf("dangling")));
  EXPECT_EQ(Read(PathOf("elsewhere/created.txt")), "made");

  fs::create_symlink("loop-b", PathOf("loop-a"));
  fs::create_symlink("loop-a", PathOf("loop-b"));
  EXPECT_EQ(Outcome(PathOf("loop-a"), "x"),
            "Cannot write \"" + PathOf("loop-a") + "\": Too many levels of symbolic links");

  EXPECT_EQ(Entries(PathOf("elsewhere")), (std::vector<std::string>{"created.txt", "target.txt"}));
}

TEST_F(SafeFileWriter, WritesEveryLegalNameLength) {
  for (const size_t length : {1u, 200u, 237u, 238u, 247u, 248u, 254u, 255u}) {
    const std::string name(length, 'n');
    EXPECT_EQ(Outcome(PathOf(name), "first"), "OK") << length;
    EXPECT_EQ(Outcome(PathOf(name), "second"), "OK") << length;
    EXPECT_EQ(Read(PathOf(name)), "second") << length;
    EXPECT_EQ(Entries(), std::vector<std::string>{name}) << length;
    fs::remove(PathOf(name));
  }
  EXPECT_EQ(Outcome(PathOf(std::string(256, 'n')), "x"),
            "Cannot write \"" + PathOf(std::string(256, 'n')) + "\": File name too long");
}

// A file opened the way a shell opens a redirect, with text before and after ours.
TEST_F(SafeFileWriter, WritesThroughDescriptorsNamedAsPathsKeepingWhatIsAround) {
  const std::string path = PathOf("redirect.txt");
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::write(fd, "before\n", 7), 7);
  const std::string n = std::to_string(fd);
  EXPECT_EQ(Outcome("/proc/self/fd/" + n, "one\n"), "OK");
  EXPECT_EQ(Outcome("/dev/fd/" + n, "two\n"), "OK");
  EXPECT_EQ(Outcome("/proc/" + std::to_string(::getpid()) + "/fd/" + n, "three\n"), "OK");
  fs::create_symlink("/proc/self/fd/" + n, PathOf("link-to-descriptor"));
  EXPECT_EQ(Outcome(PathOf("link-to-descriptor"), "four\n"), "OK");

  std::fflush(stdout);
  const int savedStdout = ::dup(1);
  ::dup2(fd, 1);
  const auto throughStdout = Outcome("/dev/stdout", "five\n");
  ::dup2(savedStdout, 1);
  ::close(savedStdout);
  EXPECT_EQ(throughStdout, "OK");

  ASSERT_EQ(::write(fd, "after\n", 6), 6);
  ::close(fd);
  EXPECT_EQ(Read(path), "before\none\ntwo\nthree\nfour\nfive\nafter\n");
  EXPECT_EQ(Outcome("/dev/fd/" + n, "x"),
            "Cannot write \"/dev/fd/" + n + "\": descriptor " + n + " is not open");

  const int reading = ::open(path.c_str(), O_RDONLY);
  const std::string r = std::to_string(reading);
  EXPECT_EQ(
      Outcome("/proc/self/fd/" + r, "x"),
      "Cannot write \"/proc/self/fd/" + r + "\": descriptor " + r + " is open for reading only");
  ::close(reading);
  EXPECT_EQ(Read(path), "before\none\ntwo\nthree\nfour\nfive\nafter\n");
  EXPECT_EQ(Entries(), (std::vector<std::string>{"link-to-descriptor", "redirect.txt"}));
}

TEST_F(SafeFileWriter, APipeWithoutAReaderIsReportedAtOnceAndAClosedOneDoesNotKill) {
  const std::string fifo = PathOf("pipe");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const auto start = std::chrono::steady_clock::now();
  // In a child, so that a write that waits for a reader is killed rather than hanging.
  EXPECT_EQ(RunInChild([&] { return Outcome(fifo, "data"); }, false, 3),
            "Cannot write \"" + fifo + "\": no reader on the pipe");
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
  EXPECT_TRUE(fs::is_fifo(fifo));

  const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  EXPECT_EQ(Outcome(fifo, "through the pipe"), "OK");
  char buffer[64] = {};
  const ssize_t got = ::read(reader, buffer, sizeof buffer);
  ::close(reader);
  EXPECT_EQ(std::string(buffer, got > 0 ? got : 0), "through the pipe");

  // SIGPIPE would end the child silently; the writer must report instead.
  EXPECT_EQ(RunInChild([] {
              int ends[2];
              if (::pipe(ends) != 0) return std::string("<no pipe>");
              ::close(ends[0]);
              const std::string path = "/dev/fd/" + std::to_string(ends[1]);
              const std::string expected =
                  "Cannot write \"" + path + "\": the reader closed the pipe";
              const std::string got = Outcome(path, "data");
              return (got == expected ? std::string("reported") : got) + ", survived";
            }),
            "reported, survived");
  EXPECT_EQ(Entries(), std::vector<std::string>{"pipe"});
}

TEST_F(SafeFileWriter, WritesATerminalInPlace) {
  int controller = -1;
  int terminal = -1;
  char name[256] = {};
  ASSERT_EQ(::openpty(&controller, &terminal, name, nullptr, nullptr), 0);
  termios raw{};
  ::tcgetattr(terminal, &raw);
  ::cfmakeraw(&raw);
  ::tcsetattr(terminal, TCSANOW, &raw);

  EXPECT_EQ(Outcome(name, "to the terminal\n"), "OK");
  char buffer[64] = {};
  const ssize_t got = ::read(controller, buffer, sizeof buffer);
  EXPECT_EQ(std::string(buffer, got > 0 ? got : 0), "to the terminal\n");
  EXPECT_TRUE(fs::is_character_file(name));
  ::close(terminal);
  ::close(controller);
}

}  // namespace
}  // namespace korvelant
