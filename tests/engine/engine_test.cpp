// The engine on its own: refusals, known values, identities that must hold at any size,
// and the largest trees it takes.
#include <gtest/gtest.h>

#include <algorithm>
#include <span>
#include <vector>

#include "engine/element_subgraph.hpp"
#include "engine/graphical_matrices.hpp"
#include "engine/whole_tree_indices.hpp"
#include "model/number_text.hpp"
#include "support/forest_by_forest.hpp"
#include "support/tree_generators.hpp"

namespace korvelant::testing {
namespace {

Int128 Fibonacci(int k) {  // F(1) = F(2) = 1
  Int128 a = 0;
  Int128 b = 1;
  for (int step = 0; step < k; ++step) {
    const Int128 next = a + b;
    a = b;
    b = next;
  }
  return a;
}

Int128 Ticks(Int128 whole) {
  return whole * 10000;
}

TEST(RootTreeTest, RefusesEveryGraphThatIsNotATree) {
  const Graph notTrees[] = {
      {0, {}},                        // no vertices
      {3, {{1, 2}, {2, 3}, {3, 1}}},  // a cycle
      {4, {{1, 2}, {3, 4}}},          // two components
      {3, {{1, 2}, {1, 2}}},          // an edge twice
      {3, {{1, 1}, {2, 3}}},          // a loop
      {3, {{1, 2}, {2, 4}}},          // a vertex past n
      {3, {{0, 1}, {1, 2}}},          // vertex 0
      {2, {}},                        // too few edges
  };
  for (const Graph& graph : notTrees)
    EXPECT_FALSE(RootTree(graph)) << EdgeListText(graph);
  EXPECT_TRUE(RootTree(Graph{1, {}}));
  EXPECT_TRUE(RootTree(Path(kMaxHalfSumVertices)));
  EXPECT_THROW(RootTree(Path(kMaxHalfSumVertices + 1)), std::invalid_argument);
}

TEST(RootTreeTest, ParentsDepthsAndEdgeOwners) {
  const RootedTree tree = RootTree(Graph{5, {{4, 5}, {1, 2}, {2, 4}, {3, 1}}}).value();
  EXPECT_EQ(tree.order.front(), 1);
  EXPECT_EQ(tree.parent[5], 4);
  EXPECT_EQ(tree.depth[5], 3);
  EXPECT_EQ(tree.parentEdge[5], 0);
  EXPECT_EQ(tree.EdgeOwner(4, 5), 5);
  EXPECT_EQ(tree.EdgeOwner(2, 1), 2);
  EXPECT_EQ(tree.EdgeOwner(3, 4), 0);
  EXPECT_EQ(tree.EdgeOwner(0, 9), 0);
}

// One RootedTree filled again and again, larger trees before smaller ones and a refusal
// between them: nothing of an earlier tree may stay. Each filling is checked edge by edge
// and its matrices against the forest-by-forest evaluator on a tree rooted afresh.
TEST(RootTreeTest, StorageFilledAgainHoldsOnlyTheNewTree) {
  RootedTree reused;
  const Graph trees[] = {Caterpillar(9, 2), Spider(3, 2), Broom(4, 6), Path(3), Graph{1, {}}};
  for (const Graph& graph : trees) {
    EXPECT_FALSE(RootTree(Graph{4, {{1, 2}, {3, 4}, {2, 1}}}, reused));
    ASSERT_TRUE(RootTree(graph, reused)) << EdgeListText(graph);
    const int n = graph.vertexCount;
    ASSERT_EQ(reused.vertexCount(), n);
    ASSERT_EQ(reused.order.size(), static_cast<std::size_t>(n));
    ASSERT_EQ(reused.children.size(), static_cast<std::size_t>(n - 1));
    EXPECT_EQ(reused.graph.edges, graph.edges);
    std::vector<int> seen(static_cast<std::size_t>(n) + 1, 0);
    for (const int v : reused.order) {
      ++seen[v];
      if (v == 1) {
        EXPECT_EQ(reused.parent[v], 0);
        EXPECT_EQ(reused.depth[v], 0);
        continue;
      }
      const int p = reused.parent[v];
      ASSERT_GE(reused.parentEdge[v], 0);
      const auto [a, b] = graph.edges[reused.parentEdge[v]];
      EXPECT_TRUE((a == v && b == p) || (a == p && b == v)) << EdgeListText(graph) << " " << v;
      EXPECT_EQ(reused.depth[v], reused.depth[p] + 1);
      const std::span<const int> siblings = reused.ChildrenOf(p);
      EXPECT_EQ(std::count(siblings.begin(), siblings.end(), v), 1);
    }
    EXPECT_EQ(std::count(seen.begin() + 1, seen.end(), 1), n) << EdgeListText(graph);
    const RootedTree fresh = RootTree(graph).value();
    const GraphicalMatrices engine = ComputeGraphicalMatrices(reused);
    const GraphicalMatrices reference = ComputeForestByForest(fresh);
    for (const MatrixType type : kMatrixTypes) {
      for (const TopologicalIndex index : kTopologicalIndices) {
        EXPECT_EQ(engine.Of(type, index).Dense(), reference.Of(type, index).Dense())
            << EdgeListText(graph);
      }
    }
  }
}

TEST(GraphicalMatricesTest, SymmetricWithZeroDiagonalAndEmptyElements) {
  for (const Graph& graph : RandomTrees(11, 20, 5u)) {
    const RootedTree tree = RootTree(graph).value();
    const GraphicalMatrices matrices = ComputeGraphicalMatrices(tree);
    for (const MatrixType type : kMatrixTypes) {
      for (const TopologicalIndex index : kTopologicalIndices) {
        const MatrixView m = matrices.Of(type, index);
        for (int i = 1; i <= 11; ++i) {
          EXPECT_EQ(m(i, i), ExactDecimal());
          for (int j = 1; j <= 11; ++j) {
            EXPECT_EQ(m(i, j), m(j, i));
            if (IsEmptyElement(tree, i, j, type)) {
              EXPECT_EQ(m(i, j), ExactDecimal());
            }
          }
        }
        EXPECT_EQ(ComputeGraphicalMatrix(tree, type, index), m.Dense());
      }
    }
  }
}

// Z(T) = Z(T - uv) + Z(T - u - v): the EGM and SVGM Hosoya elements of an edge add up to the
// whole tree's count, and the PGM and DVGM ones of an edge repeat them.
TEST(GraphicalMatricesTest, HosoyaElementsOfAnEdgeAddUpToTheTreesCount) {
  for (const int n : {2, 3, 8, 20, 60, 128}) {
    for (const Graph& graph : RandomTrees(n, 5, 11u + n)) {
      const RootedTree tree = RootTree(graph).value();
      const GraphicalMatrices m = ComputeGraphicalMatrices(tree);
      const Int128 z = ComputeWholeTreeIndices(tree).hosoya.Narrow();
      for (const auto& [u, v] : graph.edges) {
        const auto h = TopologicalIndex::Hosoya;
        EXPECT_EQ(m.Of(MatrixType::EGM, h)(u, v).ticks() + m.Of(MatrixType::SVGM, h)(u, v).ticks(),
                  Ticks(z))
            << EdgeListText(graph);
        for (const TopologicalIndex index : kTopologicalIndices) {
          EXPECT_EQ(m.Of(MatrixType::PGM, index)(u, v), m.Of(MatrixType::EGM, index)(u, v));
          EXPECT_EQ(m.Of(MatrixType::DVGM, index)(u, v), m.Of(MatrixType::SVGM, index)(u, v));
        }
      }
    }
  }
}

// On the path 1..n, taking away edge k-(k+1) leaves two paths of k and n - k vertices.
TEST(GraphicalMatricesTest, PathsKnownInClosedForm) {
  for (const int n : {9, 30, 100, 128}) {
    const GraphicalMatrices m = ComputeGraphicalMatrices(RootTree(Path(n)).value());
    const auto wienerOfPath = [](Int128 k) { return (k - 1) * k * (k + 1) / 6; };
    for (int k = 1; k < n; ++k) {
      EXPECT_EQ(m.Of(MatrixType::EGM, TopologicalIndex::Hosoya)(k, k + 1).ticks(),
                Ticks(Fibonacci(k + 1) * Fibonacci(n - k + 1)));
      EXPECT_EQ(m.Of(MatrixType::EGM, TopologicalIndex::Wiener)(k, k + 1).ticks(),
                Ticks(wienerOfPath(k) + wienerOfPath(n - k)));
    }
    // The ends of the path: the PGM element removes everything, leaving n single vertices.
    EXPECT_EQ(m.Of(MatrixType::PGM, TopologicalIndex::Hosoya)(1, n).ticks(), Ticks(1));
    EXPECT_EQ(m.Of(MatrixType::DVGM, TopologicalIndex::Hosoya)(1, n).ticks(),
              Ticks(Fibonacci(n - 1)));
  }
}

TEST(GraphicalMatricesTest, LargestValuesStayExact) {
  // The Hosoya count of the path on 100 vertices, F(101), passes 64 bits.
  const RootedTree path100 = RootTree(Path(100)).value();
  EXPECT_EQ(ToDecimalString(ComputeWholeTreeIndices(path100).hosoya), "573147844013817084101");
  const GraphicalMatrix h =
      ComputeGraphicalMatrix(path100, MatrixType::EGM, TopologicalIndex::Hosoya);
  EXPECT_EQ(NumberText(h(1, 2)), " 354224848179261915075");  // F(2) F(100)
  const RootedTree path128 = RootTree(Path(128)).value();
  const GraphicalMatrices all = ComputeGraphicalMatrices(path128);
  EXPECT_GT(all.Of(MatrixType::PGM, TopologicalIndex::Hosoya).Sum().ticks(), Ticks(Fibonacci(129)));
}

// The distances by a breadth-first search from every vertex, against the sums the engine
// moves from vertex to vertex.
TEST(WholeTreeIndicesTest, WienerAndHyperWienerEqualTheDistancesSummedOneByOne) {
  for (const int n : {1, 2, 7, 30, 128}) {
    for (const Graph& graph : RandomTrees(n, 5, 40u + n)) {
      std::vector<std::vector<int>> neighbours(n + 1);
      for (const auto& [a, b] : graph.edges) {
        neighbours[a].push_back(b);
        neighbours[b].push_back(a);
      }
      Int128 distances = 0;
      Int128 squares = 0;
      for (int source = 1; source <= n; ++source) {
        std::vector<int> distance(n + 1, -1);
        std::vector<int> queue = {source};
        distance[source] = 0;
        for (std::size_t next = 0; next < queue.size(); ++next) {
          const int v = queue[next];
          distances += distance[v];
          squares += distance[v] * distance[v];
          for (const int w : neighbours[v]) {
            if (distance[w] < 0) {
              distance[w] = distance[v] + 1;
              queue.push_back(w);
            }
          }
        }
      }
      const WholeTreeIndices indices = ComputeWholeTreeIndices(RootTree(graph).value());
      EXPECT_EQ(indices.wiener, distances / 2) << EdgeListText(graph);
      EXPECT_EQ(indices.hyperWiener, (distances + squares) / 4) << EdgeListText(graph);
    }
  }
}

TEST(WholeTreeIndicesTest, PathsStarsAndABranchedTree) {
  for (const int n : {1, 2, 5, 40}) {
    const WholeTreeIndices path = ComputeWholeTreeIndices(RootTree(Path(n)).value());
    const Int128 m = n;
    EXPECT_EQ(path.wiener, (m - 1) * m * (m + 1) / 6);
    EXPECT_EQ(path.hyperWiener, (m * m * m * m + 2 * m * m * m - m * m - 2 * m) / 24);
    EXPECT_EQ(path.hosoya, Fibonacci(n + 1));
    const WholeTreeIndices star = ComputeWholeTreeIndices(RootTree(Star(n)).value());
    EXPECT_EQ(star.firstZagreb, (m - 1) * (m - 1) + (m - 1));
    EXPECT_EQ(star.secondZagreb, n == 1 ? 0 : (m - 1) * (m - 1));
    EXPECT_DOUBLE_EQ(star.randic, n == 1 ? 0 : std::sqrt(n - 1.0));
    EXPECT_EQ(star.hosoya, m);
  }
  // 2,3-dimethylhexane: W 70, M1 30, M2 30, Z 27 (counted by hand from its degrees
  // 1, 3, 3, 2, 2, 1, 1, 1 and its distances).
  const Graph dmh{8, {{1, 2}, {2, 3}, {3, 4}, {4, 5}, {5, 6}, {2, 7}, {3, 8}}};
  const WholeTreeIndices indices = ComputeWholeTreeIndices(RootTree(dmh).value());
  EXPECT_EQ(indices.wiener, 70);
  EXPECT_EQ(indices.firstZagreb, 30);
  EXPECT_EQ(indices.secondZagreb, 30);
  EXPECT_EQ(indices.hosoya, 27);
  EXPECT_EQ(ShortestText(indices.randic), "3.6807392125526213");
}

}  // namespace
}  // namespace korvelant::testing
