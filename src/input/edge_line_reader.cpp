#include "input/edge_line_reader.hpp"

#include "input/edge_list_text.hpp"
#include "input/quoted_text.hpp"

namespace korvelant {
namespace {

constexpr std::string_view kBlanks = " \t";

// The field at the start of `rest`, which moves past it and the blanks after it.
std::string_view TakeField(std::string_view& rest) {
  const std::string_view field = rest.substr(0, rest.find_first_of(kBlanks));
  rest.remove_prefix(field.size());
  rest.remove_prefix(std::min(rest.size(), rest.find_first_not_of(kBlanks)));
  return field;
}

}  // namespace

TreeRecord EdgeLineRecord(std::string_view line) {
  TreeRecord record;
  std::string_view rest = line.substr(std::min(line.size(), line.find_first_not_of(kBlanks)));
  const std::string_view countField = TakeField(rest);
  const std::string_view edgesField = TakeField(rest);
  record.name = rest.substr(0, rest.find_last_not_of(kBlanks) + 1);

  const auto count = ReadCount(countField);
  if (!count) {
    record.error = "malformed vertex count " + QuotedText(countField) + ": write a whole number";
    return record;
  }
  if (*count > kMaxHalfSumVertices) {
    record.error = HalfSumTooLargeMessage(*count);
    return record;
  }
  auto edges = ReadEdgeList(edgesField, *count);
  if (auto* error = std::get_if<std::string>(&edges)) {
    record.error = std::move(*error);
    return record;
  }
  record.graph = Graph{*count, std::move(std::get<std::vector<Edge>>(edges))};
  return record;
}

}  // namespace korvelant
