#include "cli/json_reader.hpp"

#include <cstdint>

#include "input/utf8_text.hpp"

namespace korvelant::testing {
namespace {

class Reader {
 public:
  explicit Reader(std::string_view text) : text_(text) {}

  std::optional<Json> Document() {
    auto value = Value();
    SkipBlanks();
    if (!value || position_ != text_.size()) return std::nullopt;
    return value;
  }

 private:
  void SkipBlanks() {
    while (position_ < text_.size() &&
           std::string_view(" \t\r\n").find(text_[position_]) != std::string_view::npos) {
      ++position_;
    }
  }
  bool Take(char c) {
    SkipBlanks();
    if (position_ < text_.size() && text_[position_] == c) return ++position_, true;
    return false;
  }
  bool TakeWord(std::string_view word) {
    if (text_.substr(position_, word.size()) != word) return false;
    position_ += word.size();
    return true;
  }

  std::optional<Json> Value() {
    SkipBlanks();
    if (position_ >= text_.size()) return std::nullopt;
    Json value;
    const char c = text_[position_];
    if (c == '{') return Object();
    if (c == '[') return Array();
    if (c == '"') {
      value.kind = Json::Kind::kString;
      if (!String(value.text)) return std::nullopt;
      return value;
    }
    if (TakeWord("null")) return value;
    if (TakeWord("true") || TakeWord("false")) {
      value.kind = Json::Kind::kBool;
      value.boolean = c == 't';
      return value;
    }
    return Number();
  }

  std::optional<Json> Number() {
    const std::size_t start = position_;
    const auto digits = [&] {
      const std::size_t from = position_;
      while (position_ < text_.size() && text_[position_] >= '0' && text_[position_] <= '9')
        ++position_;
      return position_ > from;
    };
    if (position_ < text_.size() && text_[position_] == '-') ++position_;
    if (position_ < text_.size() && text_[position_] == '0') {
      ++position_;
    } else if (!digits()) {
      return std::nullopt;
    }
    if (position_ < text_.size() && text_[position_] == '.') {
      ++position_;
      if (!digits()) return std::nullopt;
    }
    if (position_ < text_.size() && (text_[position_] == 'e' || text_[position_] == 'E')) {
      ++position_;
      if (position_ < text_.size() && (text_[position_] == '+' || text_[position_] == '-'))
        ++position_;
      if (!digits()) return std::nullopt;
    }
    Json value;
    value.kind = Json::Kind::kNumber;
    value.text = std::string(text_.substr(start, position_ - start));
    return value;
  }

  static void AppendUtf8(std::string& out, std::uint32_t code) {
    if (code < 0x80) {
      out += static_cast<char>(code);
    } else if (code < 0x800) {
      out += static_cast<char>(0xC0 | (code >> 6));
      out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
      out += static_cast<char>(0xE0 | (code >> 12));
      out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (code >> 18));
      out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (code & 0x3F));
    }
  }

  std::optional<std::uint32_t> Hex4() {
    if (position_ + 4 > text_.size()) return std::nullopt;
    std::uint32_t value = 0;
    for (int k = 0; k < 4; ++k) {
      const char c = text_[position_++];
      value <<= 4;
      if (c >= '0' && c <= '9')
        value |= static_cast<std::uint32_t>(c - '0');
      else if (c >= 'a' && c <= 'f')
        value |= static_cast<std::uint32_t>(c - 'a' + 10);
      else if (c >= 'A' && c <= 'F')
        value |= static_cast<std::uint32_t>(c - 'A' + 10);
      else
        return std::nullopt;
    }
    return value;
  }

  bool Escape(std::string& out) {
    if (position_ >= text_.size()) return false;
    const char c = text_[position_++];
    const std::string_view simple = "\"\\/bfnrt";
    const std::string_view meaning = "\"\\/\b\f\n\r\t";
    if (const auto at = simple.find(c); at != std::string_view::npos) {
      out += meaning[at];
      return true;
    }
    if (c != 'u') return false;
    auto code = Hex4();
    if (!code) return false;
    if (*code >= 0xD800 && *code <= 0xDBFF) {
      if (!TakeWord("\\u")) return false;
      const auto low = Hex4();
      if (!low || *low < 0xDC00 || *low > 0xDFFF) return false;
      code = 0x10000 + ((*code - 0xD800) << 10) + (*low - 0xDC00);
    } else if (*code >= 0xDC00 && *code <= 0xDFFF) {
      return false;
    }
    AppendUtf8(out, *code);
    return true;
  }

  bool String(std::string& out) {
    ++position_;  // the opening quote
    while (position_ < text_.size()) {
      const char c = text_[position_];
      if (c == '"') return ++position_, true;
      if (static_cast<unsigned char>(c) < 0x20) return false;
      if (c == '\\') {
        ++position_;
        if (!Escape(out)) return false;
        continue;
      }
      char32_t code = 0;
      const std::size_t length = Utf8SequenceLength(text_.substr(position_), code);
      if (length == 0) return false;
      out.append(text_.substr(position_, length));
      position_ += length;
    }
    return false;
  }

  std::optional<Json> Array() {
    ++position_;
    Json value;
    value.kind = Json::Kind::kArray;
    if (Take(']')) return value;
    do {
      auto item = Value();
      if (!item) return std::nullopt;
      value.items.push_back(std::move(*item));
    } while (Take(','));
    if (!Take(']')) return std::nullopt;
    return value;
  }

  std::optional<Json> Object() {
    ++position_;
    Json value;
    value.kind = Json::Kind::kObject;
    if (Take('}')) return value;
    do {
      SkipBlanks();
      std::string key;
      if (position_ >= text_.size() || text_[position_] != '"' || !String(key)) return std::nullopt;
      if (!Take(':')) return std::nullopt;
      auto member = Value();
      if (!member) return std::nullopt;
      value.members.emplace_back(std::move(key), std::move(*member));
    } while (Take(','));
    if (!Take('}')) return std::nullopt;
    return value;
  }

  std::string_view text_;
  std::size_t position_ = 0;
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
  return Reader(text).Document();
}

}  // namespace korvelant::testing
