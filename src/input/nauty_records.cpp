#include "input/nauty_records.hpp"

#include <algorithm>

#include "input/nauty_bridge.h"
#include "input/nauty_record_check.hpp"

namespace korvelant {
namespace {

void AddEdge(void* context, int a, int b) {
  static_cast<std::vector<Edge>*>(context)->emplace_back(a + 1, b + 1);
}

TreeRecord NautyRecord(std::string_view line, NautyFormat format) {
  TreeRecord record;
  const CheckedNautyRecord checked = CheckNautyRecord(line, format);
  if (!checked.error.empty()) {
    const auto first = std::min(line.size(), line.find_first_not_of(" \t"));
    record.name = line.substr(first, line.find_last_not_of(" \t") + 1 - first);
    record.error = checked.error;
    return record;
  }
  record.name = checked.text;
  std::string text(checked.text);  // nauty wants a writable, NUL-terminated string
  const int vertices = korvelant_nauty_size(text.data());
  if (static_cast<std::uint64_t>(vertices) != checked.vertices) {
    record.error = "nauty reads the size as " + std::to_string(vertices);
    return record;
  }
  Graph graph{vertices, {}};
  graph.edges.reserve(static_cast<std::size_t>(std::max(vertices - 1, 0)));  // a tree's
  korvelant_nauty_edges(text.data(), &graph.edges, AddEdge);
  std::sort(graph.edges.begin(), graph.edges.end());
  record.graph = std::move(graph);
  return record;
}

}  // namespace

TreeRecord Graph6Record(std::string_view line) {
  return NautyRecord(line, NautyFormat::kGraph6);
}

TreeRecord Sparse6Record(std::string_view line) {
  return NautyRecord(line, NautyFormat::kSparse6);
}

}  // namespace korvelant
