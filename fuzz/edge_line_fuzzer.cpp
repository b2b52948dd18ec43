// EdgeLineRecord, the batch reader of "N EDGES [NAME]" lines: any bytes follow every batch
// reader's rules; a graph read has its edges smaller vertex first, each once, no loop, and
// reads back the same from the line its own edge list writes.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>

#include "fuzz_require.hpp"
#include "input/edge_line_reader.hpp"
#include "tree_record_checks.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace korvelant;
  const std::string_view line(reinterpret_cast<const char*>(data), size);
  const TreeRecord record = EdgeLineRecord(line);
  fuzz::CheckTreeRecord(record, fuzz::TreeProblems::MayBeUnnamed);

  // The name is the rest of the line without blanks at either end.
  FUZZ_REQUIRE(record.name.find_first_of(" \t") != 0);
  FUZZ_REQUIRE(record.name.empty() || record.name.find_last_of(" \t") != record.name.size() - 1);
  FUZZ_REQUIRE(line.find(record.name) != std::string_view::npos);
  if (!record.graph) return 0;

  const Graph& graph = *record.graph;
  std::set<Edge> seen;
  for (const Edge& edge : graph.edges) {
    FUZZ_REQUIRE(edge.first < edge.second);
    FUZZ_REQUIRE(seen.insert(edge).second);
  }
  const std::string again = std::to_string(graph.vertexCount) + " " +
                            (graph.edges.empty() ? "-" : EdgeListText(graph)) + " " + record.name;
  const TreeRecord reread = EdgeLineRecord(again);
  FUZZ_REQUIRE(reread.graph == record.graph);
  FUZZ_REQUIRE(reread.name == record.name);
  return 0;
}
