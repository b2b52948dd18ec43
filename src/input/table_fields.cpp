#include "input/table_fields.hpp"

namespace korvelant {

void SplitTableFields(std::string_view row, char separator, std::vector<std::string>& fields) {
  fields.clear();
  fields.emplace_back();
  bool quoted = false;
  for (std::size_t k = 0; k < row.size(); ++k) {
    const char c = row[k];
    if (c == '"' && quoted && k + 1 < row.size() && row[k + 1] == '"') {
      fields.back() += '"';
      ++k;
    } else if (c == '"') {
      quoted = !quoted;
    } else if (c == separator && !quoted) {
      fields.emplace_back();
    } else {
      fields.back() += c;
    }
  }
}

}  // namespace korvelant
