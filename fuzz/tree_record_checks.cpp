#include "tree_record_checks.hpp"

#include "engine/rooted_tree.hpp"
#include "fuzz_require.hpp"
#include "text_checks.hpp"

namespace korvelant::fuzz {

void CheckTreeRecord(const TreeRecord& record, TreeProblems problems) {
  FUZZ_REQUIRE(record.graph.has_value() == record.error.empty());
  FUZZ_REQUIRE(IsOneLine(record.error));
  FUZZ_REQUIRE(IsOneLine(record.treeProblem));
  if (!record.graph) {
    FUZZ_REQUIRE(record.treeProblem.empty());
    return;
  }
  const Graph& graph = *record.graph;
  FUZZ_REQUIRE(graph.vertexCount >= 0 && graph.vertexCount <= kMaxHalfSumVertices);
  for (const auto& [a, b] : graph.edges) {
    FUZZ_REQUIRE(a >= 1 && a <= graph.vertexCount && b >= 1 && b <= graph.vertexCount);
  }
  // Within the limit RootTree never throws; it is the engine's own judge of a tree.
  const bool tree = RootTree(graph).has_value();
  if (!record.treeProblem.empty()) FUZZ_REQUIRE(!tree);
  if (problems == TreeProblems::AlwaysNamed && record.treeProblem.empty()) FUZZ_REQUIRE(tree);
  if (tree) FUZZ_REQUIRE(graph.edges.size() + 1 == static_cast<std::size_t>(graph.vertexCount));
}

}  // namespace korvelant::fuzz
