#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace korvelant::testing {

// A fresh folder for each test under the system's temporary folder, removed afterwards with
// everything in it, even what a test closed to its owner.
class TemporaryFolder : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  std::string PathOf(const std::string& name) const { return (dir_ / name).string(); }
  // Puts `bytes` into the file `name`; returns its path.
  std::string Write(const std::string& name, const std::string& bytes) const;
  // The bytes of the file `name`, "" when there is none.
  std::string Read(const std::string& name) const;
  // The names in a folder (the test's own by default), sorted, so a test sees anything left.
  std::vector<std::string> Entries(const std::string& folder = {}) const;

  std::filesystem::path dir_;
};

}  // namespace korvelant::testing
