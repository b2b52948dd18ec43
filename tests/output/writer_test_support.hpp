#pragma once

#include <sys/types.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace korvelant {

// The user and group a root test run drops to, so that permission checks apply.
constexpr uid_t kNobody = 65534;

// A fresh folder per test, open to every user so that a child dropped to nobody can work
// in it; removed afterwards even where a test closed some of its folders.
class WriterTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  std::string PathOf(const std::string& name) const { return (dir_ / name).string(); }
  // The names in a folder (the test's own by default), so a test sees any temporary left.
  std::vector<std::string> Entries(const std::string& folder = {}) const;

  std::filesystem::path dir_;
};

std::string Read(const std::string& path);
void Put(const std::string& path, const std::string& text);
ino_t InodeOf(const std::string& path);
bool RunningAsRoot();

// Runs `body` in a forked child and returns the text it returned. A child that is still
// running after `seconds` is killed, so a write that blocks shows up as a failure instead
// of hanging the test run. With `asNobody` (and only when running as root) the child first
// becomes user and group nobody. How a child died is returned in angle brackets.
std::string RunInChild(const std::function<std::string()>& body, bool asNobody = false,
                       unsigned seconds = 5);

// What a write returns, as text: "OK" or its message.
std::string Outcome(const std::string& path, const std::string& bytes);

}  // namespace korvelant
