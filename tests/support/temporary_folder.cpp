#include "support/temporary_folder.hpp"

#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <sstream>

namespace korvelant::testing {

namespace fs = std::filesystem;

void TemporaryFolder::SetUp() {
  std::string pattern = (fs::temp_directory_path() / "korvelant-test-XXXXXX").string();
  ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
  dir_ = pattern;
}

void TemporaryFolder::TearDown() {
  std::error_code ignored;
  for (auto entry = fs::recursive_directory_iterator(dir_, ignored);
       entry != fs::recursive_directory_iterator(); entry.increment(ignored)) {
    if (!entry->is_symlink() && entry->is_directory()) {
      fs::permissions(entry->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
    }
  }
  fs::remove_all(dir_, ignored);
}

std::string TemporaryFolder::Write(const std::string& name, const std::string& bytes) const {
  std::ofstream(dir_ / name, std::ios::binary) << bytes;
  return PathOf(name);
}

std::string TemporaryFolder::Read(const std::string& name) const {
  std::ifstream in(dir_ / name, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::vector<std::string> TemporaryFolder::Entries(const std::string& folder) const {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder.empty() ? dir_ : fs::path(folder)))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace korvelant::testing
