#pragma once

#include <algorithm>
#include <cctype>
#include <string_view>

namespace korvelant {

// Whether two names are the same but for ASCII letter case, as option values, matrix types
// and file name endings are compared.
inline bool SameIgnoringCase(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) ==
           std::tolower(static_cast<unsigned char>(y));
  });
}

}  // namespace korvelant
