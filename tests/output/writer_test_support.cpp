#include "output/writer_test_support.hpp"

#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "output/safe_file_writer.hpp"

namespace korvelant {

namespace fs = std::filesystem;

void WriterTest::SetUp() {
  std::string pattern = (fs::temp_directory_path() / "korvelant-writer-XXXXXX").string();
  ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
  dir_ = pattern;
  fs::permissions(dir_, static_cast<fs::perms>(0755));
}

void WriterTest::TearDown() {
  // Reopen whatever a test closed, or an unprivileged run could not clean up.
  for (const auto& entry : fs::recursive_directory_iterator(dir_)) {
    if (!entry.is_symlink() && entry.is_directory()) {
      fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add);
    }
  }
  fs::remove_all(dir_);
}

std::vector<std::string> WriterTest::Entries(const std::string& folder) const {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder.empty() ? dir_ : fs::path(folder))) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::string Read(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void Put(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

ino_t InodeOf(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 ? info.st_ino : 0;
}

bool RunningAsRoot() {
  return ::geteuid() == 0;
}

std::string RunInChild(const std::function<std::string()>& body, bool asNobody, unsigned seconds) {
  int channel[2];
  if (::pipe(channel) != 0) return "<no pipe>";
  const pid_t child = ::fork();
  if (child < 0) return "<no fork>";
  if (child == 0) {
    ::close(channel[0]);
    ::alarm(seconds);
    std::string result;
    if (asNobody && RunningAsRoot() &&
        (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)) {
      result = "<could not become nobody>";
    } else {
      result = body();
    }
    const ssize_t ignored = ::write(channel[1], result.data(), result.size());
    static_cast<void>(ignored);
    ::_exit(0);
  }
  ::close(channel[1]);
  std::string text;
  char buffer[4096];
  for (ssize_t got; (got = ::read(channel[0], buffer, sizeof buffer)) != 0;) {
    if (got > 0)
      text.append(buffer, static_cast<size_t>(got));
    else if (errno != EINTR)
      break;
  }
  ::close(channel[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  if (WIFSIGNALED(status)) return "<killed by signal " + std::to_string(WTERMSIG(status)) + ">";
  return text;
}

std::string Outcome(const std::string& path, const std::string& bytes) {
  return WriteFileSafely(path, bytes).value_or("OK");
}

}  // namespace korvelant
