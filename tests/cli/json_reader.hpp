#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// JSON text (RFC 8259) read back by nlohmann-json, so that tests hold the batch's JSON lines to
// the grammar and read their values: numbers are kept as their text (every digit, past 64 bits
// too), strings decoded to UTF-8.
namespace korvelant::testing {

struct Json {
  enum class Kind { kNull, kBool, kNumber, kString, kArray, kObject };
  Kind kind = Kind::kNull;
  std::string text;  // a number's digits or a string's decoded value
  bool boolean = false;
  std::vector<Json> items;
  std::vector<std::pair<std::string, Json>> members;  // in order

  bool IsNull() const { return kind == Kind::kNull; }
  bool operator==(const Json&) const = default;
  // The member `key`; a null when there is none.
  const Json& operator[](std::string_view key) const;
  std::vector<std::string> Keys() const;
};

// The value of the whole text, or nothing when it is not JSON (invalid UTF-8 included).
std::optional<Json> ParseJson(std::string_view text);

}  // namespace korvelant::testing
