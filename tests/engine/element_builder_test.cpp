// The engine's elements, each found in a few steps from the sides of the tree's edges,
// against the slow forest-by-forest computation (support/forest_by_forest), which evaluates
// every element's forest by a pass of its own: every labelled tree of up to 8 vertices,
// random trees and the named shapes up to 128 vertices, each under random labels so that
// the root lands anywhere.
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "engine/graphical_matrices.hpp"
#include "engine/tree_sides.hpp"
#include "engine/whole_tree_indices.hpp"
#include "model/number_text.hpp"
#include "output/matrix_file.hpp"
#include "support/forest_by_forest.hpp"
#include "support/tree_generators.hpp"

namespace korvelant::testing {
namespace {

std::string Describe(const SubgraphValues& v) {
  return "W " + std::to_string(v.wiener) + " R " + std::to_string(v.randicTicks) + " Z " +
         std::to_string(v.zagreb) + " H " + ToDecimalString(v.hosoya);
}

// The first element whose values differ from the slow computation's, or "".
std::string FirstMismatch(const Graph& graph) {
  const RootedTree tree = RootTree(graph).value();
  const GraphicalMatrices fast = ComputeGraphicalMatrices(tree);
  const GraphicalMatrices slow = ComputeForestByForest(tree);
  const int n = graph.vertexCount;
  for (const MatrixType type : kMatrixTypes) {
    const TypeMatrices& got = fast.types[static_cast<int>(type)];
    const TypeMatrices& want = slow.types[static_cast<int>(type)];
    for (int i = 1; i <= n; ++i) {
      for (int j = 1; j <= n; ++j) {
        const SubgraphValues& g = got.Subgraphs()[got.SubgraphOf(i, j)];
        const SubgraphValues& w = want.Subgraphs()[want.SubgraphOf(i, j)];
        if (g == w) continue;
        return EdgeListText(graph) + ": " + std::string(ShortName(type)) + " (" +
               std::to_string(i) + ", " + std::to_string(j) + ") engine " + Describe(g) +
               ", forest by forest " + Describe(w);
      }
    }
  }
  return "";
}

// The sanitizers slow the forest-by-forest computation tenfold: fewer trees there.
#ifdef KORVELANT_SANITIZED_BUILD
constexpr int kLargestExhaustive = 7;  // the 262,144 trees of 8 take a minute there
constexpr int kSampleDivisor = 3;
#else
constexpr int kLargestExhaustive = 8;
constexpr int kSampleDivisor = 1;
#endif

TEST(ElementBuilderTest, EveryLabelledTreeUpTo8Vertices) {
  for (int n = 1; n <= kLargestExhaustive; ++n) {
    for (const Graph& graph : AllLabelledTrees(n)) {
      const std::string mismatch = FirstMismatch(graph);
      ASSERT_EQ(mismatch, "");
    }
  }
}

TEST(ElementBuilderTest, RandomTreesUpTo128Vertices) {
  for (int n = 9; n <= 128; n += (n < 40 ? 1 : 11) * kSampleDivisor) {
    for (const Graph& graph : RandomTrees(n, n < 40 ? 6 : 2, 500u + n))
      ASSERT_EQ(FirstMismatch(graph), "");
  }
}

// Shapes that stress one part each: long paths (the chains), stars and double stars (many
// pairs of a vertex's neighbours, adjacent high degrees), brooms, caterpillars, spiders.
TEST(ElementBuilderTest, NamedShapesUpTo128VerticesUnderRandomLabels) {
  const Graph shapes[] = {
      Path(2),       Path(3),          Path(40),           Path(128),          Star(3),
      Star(40),      Star(128),        Caterpillar(10, 2), Caterpillar(32, 3), Broom(5, 20),
      Broom(60, 68), DoubleStar(1, 1), DoubleStar(20, 30), DoubleStar(63, 63), Spider(3, 4),
      Spider(9, 14), Spider(42, 3)};
  for (const Graph& shape : shapes) {
    if (kSampleDivisor > 1 && shape.vertexCount > 64) continue;  // 128 vertices: minutes
    ASSERT_EQ(FirstMismatch(shape), "");
    for (int copy = 0; copy < 3 / kSampleDivisor; ++copy)
      ASSERT_EQ(FirstMismatch(Relabelled(shape, 17u + copy)), "");
  }
}

// The file is made from the elements' values, so equal values give equal bytes; this holds
// the engine to it on trees past 64 and 90 vertices, where the counts leave 64 bits.
TEST(ElementBuilderTest, MatrixFileBytesEqualTheSlowComputations) {
  for (const int n : {8, 65, 100}) {
    for (const Graph& graph : RandomTrees(n, 2, 31u + n)) {
      const RootedTree tree = RootTree(graph).value();
      EXPECT_EQ(MatrixFileText(ComputeGraphicalMatrices(tree)),
                MatrixFileText(ComputeForestByForest(tree)))
          << EdgeListText(graph);
    }
  }
}

// Every pair (i, j), i < j, is a subgraph of its own, numbered 1, 2, ... along the rows, and
// (j, i) the same one; the diagonal is the empty element. Shared up to 128 vertices, each
// matrix's own past that: both alike.
TEST(ElementBuilderTest, EveryPairIsNumberedAlongTheRowsAtEverySize) {
  for (const int n : {1, 2, 5, 127, 128, 129, 200}) {
    const TypeMatrices matrices = TypeMatrices::EveryPair(n);
    ASSERT_EQ(matrices.Subgraphs().size(), static_cast<std::size_t>(n) * (n - 1) / 2 + 1);
    std::uint32_t next = 1;
    for (int i = 1; i <= n; ++i) {
      ASSERT_EQ(matrices.SubgraphOf(i, i), 0u) << n;
      for (int j = i + 1; j <= n; ++j, ++next) {
        ASSERT_EQ(matrices.Row(i)[j - 1], next) << n << ": " << i << ", " << j;
        ASSERT_EQ(matrices.SubgraphOf(j, i), next) << n << ": " << j << ", " << i;
      }
    }
  }
}

// Trees of one size share one numbering of their pairs, made when a size is first asked for:
// threads asking for new sizes at once, and matrices kept after others are gone.
TEST(ElementBuilderTest, ThreadsComputingTreesOfNewSizesAtOnceAgree) {
  constexpr int kThreads = 4;
  std::vector<std::vector<Graph>> trees(kThreads);
  for (int t = 0; t < kThreads; ++t) {
    for (int n = 120; n <= 128; ++n)
      trees[t].push_back(RandomTrees(n, 1, 900u + 10 * t + n).front());
  }
  std::vector<std::vector<GraphicalMatrices>> results(kThreads);
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      for (const Graph& graph : trees[t])
        results[t].push_back(ComputeGraphicalMatrices(RootTree(graph).value()));
    });
  }
  for (std::thread& thread : threads)
    thread.join();
  for (int t = 0; t < kThreads; ++t) {
    for (std::size_t k = 0; k < trees[t].size(); ++k) {
      EXPECT_EQ(MatrixFileText(results[t][k]),
                MatrixFileText(ComputeForestByForest(RootTree(trees[t][k]).value())))
          << EdgeListText(trees[t][k]);
    }
  }
}

// The two sides of every edge share out the tree: their sizes add up to n, their Wiener
// indices and the pairs across the edge make the tree's, and every vertex's distance sum is
// twice its share of W.
TEST(TreeSidesTest, TheTwoSidesOfAnEdgeMakeTheTree) {
  for (const Graph& graph : RandomTrees(30, 10, 8u)) {
    const RootedTree tree = RootTree(graph).value();
    const TreeSides sides(tree);
    const auto wiener = static_cast<std::int64_t>(ComputeWholeTreeIndices(tree).wiener);
    const auto hosoya = ComputeWholeTreeIndices(tree).hosoya;
    std::int64_t distanceSums = 0;
    for (int v = 1; v <= 30; ++v) {
      distanceSums += sides.DistanceSumFrom(v);
      for (int k = 0; k < sides.Degree(v); ++k) {
        const TreeSide& there = sides.Side(v, k);
        const TreeSide& here = sides.SideFacing(v, k);
        EXPECT_EQ(there.size + here.size, 30);
        // Pairs across the edge: each pair's distance is the two distances to the ends + 1.
        const std::int64_t across =
            there.distanceSum * here.size + here.distanceSum * there.size + there.size * here.size;
        EXPECT_EQ(there.wiener + here.wiener + across, wiener);
        // Matchings without the edge, and those with it.
        EXPECT_EQ(there.matchings * here.matchings + there.matchingsXFree * here.matchingsXFree,
                  hosoya);
      }
    }
    EXPECT_EQ(distanceSums, 2 * wiener);
  }
}

}  // namespace
}  // namespace korvelant::testing
