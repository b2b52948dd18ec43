#pragma once

#include <clocale>
#include <locale>
#include <stdexcept>
#include <string>

namespace korvelant::testing {

// Runs the enclosing block under a German locale, which writes 1,5 for 1.5 and groups
// digits with ".": the C locale and the C++ global locale both, restored when it ends.
// Where the locale is not installed, Installed() is false and nothing changes.
class GermanLocale {
 public:
  GermanLocale() : before_(std::setlocale(LC_ALL, nullptr)) {
    try {
      previousGlobal_ = std::locale::global(std::locale("de_DE.UTF-8"));
    } catch (const std::runtime_error&) {
      return;
    }
    installed_ = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
  }
  ~GermanLocale() {
    std::locale::global(previousGlobal_);
    std::setlocale(LC_ALL, before_.c_str());
  }
  GermanLocale(const GermanLocale&) = delete;
  GermanLocale& operator=(const GermanLocale&) = delete;

  bool Installed() const { return installed_; }
  static constexpr const char* kMissing =
      "the de_DE.UTF-8 locale is not installed (scripts/install-dependencies.sh)";

 private:
  std::string before_;
  std::locale previousGlobal_ = std::locale();
  bool installed_ = false;
};

}  // namespace korvelant::testing
