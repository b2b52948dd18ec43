#include "text_checks.hpp"

#include <cstdint>

namespace korvelant::fuzz {
namespace {

// Calls `visit` with each code point of `text`; false when `text` is not UTF-8.
template <typename Visit>
bool EachCodePoint(std::string_view text, Visit visit) {
  for (std::size_t k = 0; k < text.size();) {
    const auto lead = static_cast<std::uint8_t>(text[k]);
    std::size_t extra = 0;  // continuation bytes after the lead byte
    if (lead >= 0x80) {
      if ((lead & 0xE0) == 0xC0) {
        extra = 1;
      } else if ((lead & 0xF0) == 0xE0) {
        extra = 2;
      } else if ((lead & 0xF8) == 0xF0) {
        extra = 3;
      } else {
        return false;
      }
    }
    if (text.size() - k <= extra) return false;
    std::uint32_t value = extra == 0 ? lead : lead & (0x3F >> extra);
    for (std::size_t j = 1; j <= extra; ++j) {
      const auto next = static_cast<std::uint8_t>(text[k + j]);
      if ((next & 0xC0) != 0x80) return false;
      value = (value << 6) | (next & 0x3F);
    }
    constexpr std::uint32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
    if (value < kSmallest[extra] || value > 0x10FFFF) return false;
    if (value >= 0xD800 && value <= 0xDFFF) return false;
    visit(value);
    k += extra + 1;
  }
  return true;
}

}  // namespace

bool IsOneLine(std::string_view text) {
  return text.find_first_of("\r\n") == std::string_view::npos;
}

std::string_view Trimmed(std::string_view text) {
  constexpr std::string_view kBlanks = " \t\r\n\f\v";
  const auto first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

bool IsUtf8(std::string_view text) {
  return EachCodePoint(text, [](std::uint32_t) {});
}

bool IsSafeForTerminal(std::string_view text) {
  bool safe = true;
  const bool utf8 = EachCodePoint(text, [&](std::uint32_t c) {
    if (c < 0x20 || (c >= 0x7F && c < 0xA0)) safe = false;
  });
  return utf8 && safe;
}

}  // namespace korvelant::fuzz
