#include "output/descriptor_path.hpp"

#include <unistd.h>

#include <charconv>
#include <string>

namespace korvelant {
namespace {

// "//dev///fd/1" names the same file as "/dev/fd/1".
std::string WithSingleSlashes(std::string_view path) {
  std::string result;
  for (const char c : path) {
    if (c == '/' && !result.empty() && result.back() == '/') continue;
    result.push_back(c);
  }
  return result;
}

// A plain decimal number (no sign, no spaces), as the kernel spells descriptors.
std::optional<int> DecimalNumber(std::string_view text) {
  if (text.empty() || text.size() > 9) return std::nullopt;
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  return value;
}

bool ConsumePrefix(std::string_view& text, std::string_view prefix) {
  if (!text.starts_with(prefix)) return false;
  text.remove_prefix(prefix.size());
  return true;
}

// "self", "thread-self" or our own process number: the folders of /proc that list our
// descriptors.
bool IsOwnProcessFolder(std::string_view name) {
  if (name == "self" || name == "thread-self") return true;
  const auto number = DecimalNumber(name);
  return number && *number == static_cast<int>(::getpid());
}

}  // namespace

std::optional<int> DescriptorNamedBy(std::string_view path) {
  const std::string normalized = WithSingleSlashes(path);
  std::string_view rest = normalized;
  if (rest == "/dev/stdin") return 0;
  if (rest == "/dev/stdout") return 1;
  if (rest == "/dev/stderr") return 2;
  if (ConsumePrefix(rest, "/dev/fd/")) return DecimalNumber(rest);
  if (!ConsumePrefix(rest, "/proc/")) return std::nullopt;
  const auto slash = rest.find('/');
  if (slash == std::string_view::npos || !IsOwnProcessFolder(rest.substr(0, slash))) {
    return std::nullopt;
  }
  rest.remove_prefix(slash);
  if (!ConsumePrefix(rest, "/fd/")) return std::nullopt;
  return DecimalNumber(rest);
}

}  // namespace korvelant
