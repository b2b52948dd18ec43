#include "cli/json_reader.hpp"

#include <nlohmann/json.hpp>

namespace korvelant::testing {
namespace {

using nlohmann::json;

// Builds a Json from nlohmann's events, which hold the text to the grammar. Numbers keep the
// digits they were written with: one past 64 bits arrives as a double and its text.
class Builder : public nlohmann::json_sax<json> {
 public:
  Json Take() { return std::move(root_); }

  bool null() override { return Add(Json{}); }
  bool boolean(bool value) override {
    Json item;
    item.kind = Json::Kind::kBool;
    item.boolean = value;
    return Add(std::move(item));
  }
  bool number_integer(number_integer_t value) override { return Number(std::to_string(value)); }
  bool number_unsigned(number_unsigned_t value) override { return Number(std::to_string(value)); }
  bool number_float(number_float_t, const string_t& text) override { return Number(text); }
  bool string(string_t& value) override {
    Json item;
    item.kind = Json::Kind::kString;
    item.text = value;
    return Add(std::move(item));
  }
  bool binary(binary_t&) override { return false; }
  bool start_object(std::size_t) override { return Open(Json::Kind::kObject); }
  bool key(string_t& name) override {
    open_.back()->members.emplace_back(name, Json{});
    return true;
  }
  bool end_object() override { return Close(); }
  bool start_array(std::size_t) override { return Open(Json::Kind::kArray); }
  bool end_array() override { return Close(); }
  bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) override {
    return false;
  }

 private:
  bool Number(std::string text) {
    Json item;
    item.kind = Json::Kind::kNumber;
    item.text = std::move(text);
    return Add(std::move(item));
  }
  // The place the next value goes: the document, an array's next item, or the member whose
  // key came last.
  Json& Slot() {
    if (open_.empty()) return root_;
    Json& container = *open_.back();
    if (container.kind == Json::Kind::kArray) return container.items.emplace_back();
    return container.members.back().second;
  }
  bool Add(Json value) {
    Slot() = std::move(value);
    return true;
  }
  bool Open(Json::Kind kind) {
    Json& slot = Slot();
    slot.kind = kind;
    open_.push_back(&slot);
    return true;
  }
  bool Close() {
    open_.pop_back();
    return true;
  }

  Json root_;
  std::vector<Json*> open_;  // the arrays and objects still open, innermost last
};

}  // namespace

const Json& Json::operator[](std::string_view key) const {
  static const Json kMissing;
  for (const auto& [name, value] : members) {
    if (name == key) return value;
  }
  return kMissing;
}

std::vector<std::string> Json::Keys() const {
  std::vector<std::string> keys;
  for (const auto& member : members)
    keys.push_back(member.first);
  return keys;
}

std::optional<Json> ParseJson(std::string_view text) {
  Builder builder;
  try {
    if (!json::sax_parse(text, &builder)) return std::nullopt;
  } catch (const json::exception&) {
    return std::nullopt;
  }
  return builder.Take();
}

}  // namespace korvelant::testing
