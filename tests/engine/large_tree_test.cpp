// Trees past the window's 8 vertices against a second computation that shares no code with
// the engine (support/forest_reference), and the file's notation at those sizes.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "engine/graphical_matrices.hpp"
#include "output/matrix_file.hpp"
#include "support/forest_reference.hpp"
#include "support/tree_generators.hpp"

namespace korvelant::testing {
namespace {

bool IsEdge(const Graph& graph, int i, int j) {
  return std::ranges::any_of(graph.edges, [&](const Edge& e) {
    return (e.first == i && e.second == j) || (e.first == j && e.second == i);
  });
}

// The first element that differs from the reference, among those `wanted` names.
template <typename Wanted>
std::string FirstMismatch(const Graph& graph, Wanted wanted) {
  const GraphicalMatrices m = ComputeGraphicalMatrices(RootTree(graph).value());
  ForestReference reference(graph);
  const int n = graph.vertexCount;
  for (const MatrixType type : kMatrixTypes) {
    for (int i = 1; i <= n; ++i) {
      for (int j = 1; j <= n; ++j) {
        if (!wanted(i, j)) continue;
        const LargeReferenceValues want = reference.Element(i, j, type);
        const auto at = [&](TopologicalIndex index) { return m.Of(type, index)(i, j).ticks(); };
        if (at(TopologicalIndex::Wiener) == want.wiener * 10000 &&
            at(TopologicalIndex::Zagreb) == want.zagreb * 10000 &&
            at(TopologicalIndex::Hosoya) == want.hosoya * 10000 &&
            at(TopologicalIndex::Randic) == want.randicTicks) {
          continue;
        }
        return EdgeListText(graph) + ": " + std::string(ShortName(type)) + " element (" +
               std::to_string(i) + ", " + std::to_string(j) + ") differs";
      }
    }
  }
  return "";
}

std::string FirstMismatch(const Graph& graph) {
  return FirstMismatch(graph, [](int, int) { return true; });
}

TEST(LargeTreeTest, RandomTreesOf9To30VerticesMatchTheForestReference) {
  for (int n = 9; n <= 30; ++n) {
    for (const Graph& graph : RandomTrees(n, 4, 1000u + n)) {
      const std::string mismatch = FirstMismatch(graph);
      ASSERT_EQ(mismatch, "");
    }
  }
}

TEST(LargeTreeTest, PathsStarsAndCaterpillarsUpTo64Vertices) {
  Graph caterpillar{40, {}};
  for (int v = 2; v <= 20; ++v)
    caterpillar.edges.emplace_back(v - 1, v);
  for (int v = 21; v <= 40; ++v)
    caterpillar.edges.emplace_back(v - 20, v);
  for (const Graph& graph : {Path(64), Star(64), caterpillar, RandomTrees(64, 1, 3u).front()}) {
    ASSERT_EQ(FirstMismatch(graph), "");
  }
}

// Past 64 vertices a set of edges takes two words, and past 90 the counts take 128 bits:
// a random sample of elements and every edge's, one side of the diagonal (the symmetry is
// tested apart). The reference is slow at these sizes.
TEST(LargeTreeTest, TreesPast64And90VerticesMatchTheForestReferenceOnASample) {
  for (const int n : {65, 91}) {
    const Graph graph = RandomTrees(n, 1, 7u + n).front();
    std::mt19937 random(n);
    std::bernoulli_distribution sampled(0.01);
    ASSERT_EQ(FirstMismatch(graph, [&](int i, int j) { return i < j && sampled(random); }), "");
    ASSERT_EQ(FirstMismatch(graph, [&](int i, int j) { return i < j && IsEdge(graph, i, j); }), "");
  }
}

TEST(LargeTreeTest, FileKeepsItsNotationWithNRows) {
  const std::string text = MatrixFileText(ComputeGraphicalMatrices(RootTree(Path(12)).value()));
  // Without the edge 1-2: vertex 1 alone and the path of 11, whose Wiener index is 220.
  EXPECT_TRUE(text.starts_with("WIEGM= { { 0,  220,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0}, \r\n"))
      << text.substr(0, 80);
  EXPECT_NE(text.find("HIEGM\r\n= { { 0,  144,"), std::string::npos);  // F(2) F(12)
  std::size_t rows = 0;
  for (std::size_t at = text.find("\r\n{"); at != std::string::npos;
       at = text.find("\r\n{", at + 1))
    ++rows;
  EXPECT_EQ(rows, 16u * 11u);  // every block: one row on the name's line, eleven below
  EXPECT_TRUE(text.ends_with(",  0} }\r\n"));
}

// Numbers too long for the writer's short slots: the Hosoya counts of the path of 100.
TEST(LargeTreeTest, FileWritesNumbersPast64BitsWhole) {
  const std::string text = MatrixFileText(ComputeGraphicalMatrices(RootTree(Path(100)).value()));
  // F(2) F(100) at (1, 2), then F(3) F(99) at (2, 3), in row 2 after (2, 1).
  EXPECT_NE(text.find("HIEGM\r\n= { { 0,  354224848179261915075,  0,"), std::string::npos);
  EXPECT_NE(text.find("{ 354224848179261915075,  0,  437845991669110338052,  0,"),
            std::string::npos);
}

}  // namespace
}  // namespace korvelant::testing
