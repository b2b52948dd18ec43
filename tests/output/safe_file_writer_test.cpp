#include "output/safe_file_writer.hpp"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace korvelant {
namespace {

namespace fs = std::filesystem;

class SafeFileWriter : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "korvelant-writer-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string PathOf(const std::string& name) const { return (dir_ / name).string(); }

  static std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }

  static void Put(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
  }

  // The names in the folder, so a test sees any temporary file left behind.
  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_)) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  fs::path dir_;
};

TEST_F(SafeFileWriter, CreatesANewFileWithTheUsualPermissions) {
  const std::string path = PathOf("matrices.txt");
  EXPECT_EQ(WriteFileSafely(path, "abc\r\n"), std::nullopt);
  EXPECT_EQ(Read(path), "abc\r\n");
  const mode_t mask = ::umask(0);
  ::umask(mask);
  EXPECT_EQ(fs::status(path).permissions(), static_cast<fs::perms>(0666 & ~mask));
  EXPECT_EQ(Entries(), std::vector<std::string>{"matrices.txt"});
}

TEST_F(SafeFileWriter, ReplacesAnExistingFileWholeAndKeepsItsPermissions) {
  const std::string path = PathOf("Text1");
  Put(path, std::string(10000, 'x'));
  fs::permissions(path, static_cast<fs::perms>(0640));
  EXPECT_EQ(WriteFileSafely(path, "new"), std::nullopt);
  EXPECT_EQ(Read(path), "new");
  EXPECT_EQ(fs::status(path).permissions(), static_cast<fs::perms>(0640));
  EXPECT_EQ(Entries(), std::vector<std::string>{"Text1"});
}

TEST_F(SafeFileWriter, ReportsWhatCannotBeWrittenAndTouchesNothing) {
  const std::string missing = PathOf("no-such-folder/out.txt");
  const auto noFolder = WriteFileSafely(missing, "data");
  ASSERT_TRUE(noFolder.has_value());
  EXPECT_NE(noFolder->find(missing), std::string::npos) << *noFolder;
  EXPECT_NE(noFolder->find("No such file or directory"), std::string::npos) << *noFolder;

  const std::string folder = PathOf("folder");
  fs::create_directory(folder);
  const auto directory = WriteFileSafely(folder, "data");
  ASSERT_TRUE(directory.has_value());
  EXPECT_NE(directory->find("is a directory"), std::string::npos) << *directory;
  EXPECT_TRUE(fs::is_directory(folder));

  EXPECT_TRUE(WriteFileSafely("", "data").has_value());

  // Not even root may create files in /proc.
  const auto unwritable = WriteFileSafely("/proc/korvelant-test-output", "data");
  ASSERT_TRUE(unwritable.has_value());
  EXPECT_NE(unwritable->find("/proc/korvelant-test-output"), std::string::npos);
  EXPECT_FALSE(fs::exists("/proc/korvelant-test-output"));

  EXPECT_EQ(Entries(), std::vector<std::string>{"folder"});
}

TEST_F(SafeFileWriter, AFullDiskLeavesTheOldFileWhole) {
  const std::string path = PathOf("Text1");
  const std::string old(3000, 'o');
  Put(path, old);

  // A file-size limit stands in for a full disk: the write fails with EFBIG.
  const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit previous{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &previous), 0);
  rlimit small = previous;
  small.rlim_cur = 1024;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const auto failure = WriteFileSafely(path, std::string(5000, 'n'));
  ::setrlimit(RLIMIT_FSIZE, &previous);
  std::signal(SIGXFSZ, previousHandler);

  ASSERT_TRUE(failure.has_value());
  EXPECT_NE(failure->find(path), std::string::npos) << *failure;
  EXPECT_NE(failure->find("File too large"), std::string::npos) << *failure;
  EXPECT_EQ(Read(path), old);
  EXPECT_EQ(Entries(), std::vector<std::string>{"Text1"});
}

TEST_F(SafeFileWriter, WritesDevicesAndPipesInPlace) {
  EXPECT_EQ(WriteFileSafely("/dev/null", "data"), std::nullopt);
  EXPECT_TRUE(fs::is_character_file("/dev/null"));

  const std::string fifo = PathOf("pipe");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  EXPECT_EQ(WriteFileSafely(fifo, "through the pipe"), std::nullopt);
  char buffer[64] = {};
  const ssize_t got = ::read(reader, buffer, sizeof buffer);
  ::close(reader);
  EXPECT_EQ(std::string(buffer, got > 0 ? got : 0), "through the pipe");
  EXPECT_TRUE(fs::is_fifo(fifo));
}

TEST_F(SafeFileWriter, ReplacesTheTargetOfALinkAndKeepsTheLink) {
  const std::string target = PathOf("target.txt");
  const std::string link = PathOf("link.txt");
  Put(target, "old");
  fs::create_symlink(target, link);
  EXPECT_EQ(WriteFileSafely(link, "new"), std::nullopt);
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(Read(target), "new");
}

}  // namespace
}  // namespace korvelant
