#include "input/quoted_text.hpp"

#include <algorithm>
#include <cstdint>

#include "input/utf8_text.hpp"

namespace korvelant {
namespace {

void AppendHex(std::string& out, std::string_view prefix, unsigned value, int digits) {
  constexpr char kHex[] = "0123456789abcdef";
  out += prefix;
  for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4)
    out += kHex[(value >> shift) & 0xF];
}

bool AppendNamedEscape(std::string& out, char c) {
  switch (c) {
    case '\n':
      out += "\\n";
      return true;
    case '\r':
      out += "\\r";
      return true;
    case '\t':
      out += "\\t";
      return true;
    default:
      return false;
  }
}

void AppendEscaped(std::string& out, std::string_view text, bool escapeQuotes) {
  while (!text.empty()) {
    char32_t codePoint = 0;
    const std::size_t length = Utf8SequenceLength(text, codePoint);
    if (length == 0) {
      AppendHex(out, "\\x", static_cast<std::uint8_t>(text.front()), 2);
      text.remove_prefix(1);
      continue;
    }
    const char c = text.front();
    if (codePoint < 0x20 || codePoint == 0x7F) {
      if (!AppendNamedEscape(out, c)) AppendHex(out, "\\x", static_cast<unsigned>(codePoint), 2);
    } else if (codePoint >= 0x80 && codePoint <= 0x9F) {
      AppendHex(out, "\\u", static_cast<unsigned>(codePoint), 4);
    } else if (escapeQuotes && (c == '"' || c == '\\')) {
      out += '\\';
      out += c;
    } else {
      out.append(text.substr(0, length));
    }
    text.remove_prefix(length);
  }
}

// The longest prefix of at most `limit` bytes that does not split a UTF-8 character.
std::string_view CutAtCharacter(std::string_view text, std::size_t limit) {
  std::size_t end = 0;
  while (end < text.size()) {
    char32_t codePoint = 0;
    const std::size_t length =
        std::max<std::size_t>(1, Utf8SequenceLength(text.substr(end), codePoint));
    if (end + length > limit) break;
    end += length;
  }
  return text.substr(0, end);
}

}  // namespace

std::string QuotedText(std::string_view value) {
  std::string out = "\"";
  if (value.size() <= kShownValueBytes) {
    AppendEscaped(out, value, true);
    out += '"';
    return out;
  }
  AppendEscaped(out, CutAtCharacter(value, kShownValueBytes), true);
  out += "\xE2\x80\xA6\" (";  // an ellipsis
  out += std::to_string(value.size());
  out += " bytes)";
  return out;
}

std::string WithControlsEscaped(std::string_view message) {
  std::string out;
  out.reserve(message.size());
  AppendEscaped(out, message, false);
  return out;
}

}  // namespace korvelant
