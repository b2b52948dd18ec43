#pragma once

#include <string_view>

namespace korvelant {

// ASCII white space: what surrounds a field, a line or a message and is never part of it.
inline constexpr std::string_view kAsciiBlanks = " \t\r\n\f\v";

// `text` without the `blanks` at either end.
constexpr std::string_view Trimmed(std::string_view text, std::string_view blanks = kAsciiBlanks) {
  const auto first = text.find_first_not_of(blanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

}  // namespace korvelant
