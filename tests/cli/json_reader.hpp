#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// A strict reader of JSON text (RFC 8259), so that tests can hold the batch's JSON lines to
// the grammar and read values back: numbers are kept as their text, strings decoded to UTF-8.
namespace korvelant::testing {

struct Json {
  enum class Kind { kNull, kBool, kNumber, kString, kArray, kObject };
  Kind kind = Kind::kNull;
  std::string text;  // a number's digits or a string's decoded value
  bool boolean = false;
  std::vector<Json> items;
  std::vector<std::pair<std::string, Json>> members;  // in order

  bool IsNull() const { return kind == Kind::kNull; }
  // The member `key`; a null when there is none.
  const Json& operator[](std::string_view key) const;
  std::vector<std::string> Keys() const;
};

// The value of the whole text, or nothing when it is not JSON (invalid UTF-8 included).
std::optional<Json> ParseJson(std::string_view text);

}  // namespace korvelant::testing
