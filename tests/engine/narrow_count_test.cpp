// The engine counts the matchings of trees up to kMaxNarrowCountVertices in 64 bits. At that
// bound, and one vertex past it, every element of all sixteen matrices and every element
// sum against the forest-by-forest evaluator, on the trees with the most matchings (the
// path: F(n + 1)) and on others; the path's Hosoya elements against Fibonacci products; the
// whole tree's Hosoya index; and its distance sums at their own 64-bit bound.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/element_sums.hpp"
#include "engine/graphical_matrices.hpp"
#include "engine/tree_sides.hpp"
#include "engine/whole_tree_indices.hpp"
#include "model/number_text.hpp"
#include "support/forest_by_forest.hpp"
#include "support/tree_generators.hpp"

namespace korvelant::testing {
namespace {

std::string BlockName(std::size_t block) {
  return std::string(Letter(kTopologicalIndices[block % 4])) + "I" +
         std::string(ShortName(kMatrixTypes[block / 4]));
}

// The first element or element sum that differs from the forest-by-forest evaluator's, or "".
std::string FirstMismatch(const Graph& graph) {
  const RootedTree tree = RootTree(graph).value();
  const GraphicalMatrices engine = ComputeGraphicalMatrices(tree);
  const GraphicalMatrices reference = ComputeForestByForest(tree);
  const std::array<ExactDecimal, 16> sums = ComputeElementSums(tree);
  for (std::size_t block = 0; block < 16; ++block) {
    const MatrixType type = kMatrixTypes[block / 4];
    const TopologicalIndex index = kTopologicalIndices[block % 4];
    const GraphicalMatrix want = reference.Of(type, index).Dense();
    const GraphicalMatrix got = engine.Of(type, index).Dense();
    for (int i = 1; i <= want.size(); ++i) {
      for (int j = 1; j <= want.size(); ++j) {
        if (got(i, j) == want(i, j)) continue;
        return BlockName(block) + " (" + std::to_string(i) + ", " + std::to_string(j) + ") of " +
               EdgeListText(graph) + ": " + ToDecimalString(got(i, j).ticks()) + ", reference " +
               ToDecimalString(want(i, j).ticks());
      }
    }
    if (sums[block] != want.Sum()) {
      return BlockName(block) + " sum of " + EdgeListText(graph) + ": " +
             ToDecimalString(sums[block].ticks()) + ", reference " +
             ToDecimalString(want.Sum().ticks());
    }
  }
  return "";
}

std::vector<Graph> TreesOf(int n) {
  std::vector<Graph> trees = {Path(n), Relabelled(Path(n), 7u), Broom(n / 2, n - n / 2), Star(n)};
  for (const Graph& graph : RandomTrees(n, 3, 4100u + n))
    trees.push_back(graph);
  return trees;
}

// F(0) to F(last), F(1) = F(2) = 1.
std::vector<Int128> FibonacciUpTo(int last) {
  std::vector<Int128> fibonacci = {0, 1};
  while (static_cast<int>(fibonacci.size()) <= last)
    fibonacci.push_back(fibonacci.back() + fibonacci[fibonacci.size() - 2]);
  return fibonacci;
}

TEST(NarrowCountTest, TheLargestTreesCountedIn64BitsMatchTheForestByForestEvaluator) {
  for (const Graph& graph : TreesOf(kMaxNarrowCountVertices))
    ASSERT_EQ(FirstMismatch(graph), "");
}

TEST(NarrowCountTest, TheSmallestTreesCountedIn128BitsMatchTheForestByForestEvaluator) {
  for (const Graph& graph : TreesOf(kMaxNarrowCountVertices + 1))
    ASSERT_EQ(FirstMismatch(graph), "");
}

// On the path 1..n, taking away edge k-(k+1) leaves paths of k and n - k vertices, whose
// matchings are F(k + 1) and F(n - k + 1); the EGM Hosoya element is their product, and the
// one at the path's middle is near F(n + 1), the largest count of the tree.
TEST(NarrowCountTest, PathAtTheBoundHasFibonacciProductsForEdgeElements) {
  const int n = kMaxNarrowCountVertices;
  const std::vector<Int128> fibonacci = FibonacciUpTo(n + 1);
  const GraphicalMatrices matrices = ComputeGraphicalMatrices(RootTree(Path(n)).value());
  const MatrixView hosoya = matrices.Of(MatrixType::EGM, TopologicalIndex::Hosoya);
  for (int k = 1; k < n; ++k) {
    const Int128 want = fibonacci[k + 1] * fibonacci[n - k + 1];
    ASSERT_EQ(hosoya(k, k + 1).ticks(), want * ExactDecimal::kScale) << "edge " << k;
  }
}

// The whole tree's Hosoya index, counted in 64 bits up to the same bound: F(n + 1) for the
// path, the largest of all trees of n vertices, and n for the star (the empty matching and
// one for each edge).
TEST(NarrowCountTest, HosoyaIndexOfPathsAndStarsAtTheBoundAndPastIt) {
  const std::vector<Int128> fibonacci = FibonacciUpTo(kMaxNarrowCountVertices + 2);
  for (const int n : {kMaxNarrowCountVertices, kMaxNarrowCountVertices + 1}) {
    EXPECT_EQ(ComputeWholeTreeIndices(RootTree(Path(n)).value()).hosoya.Narrow(), fibonacci[n + 1])
        << n << " vertices";
    EXPECT_EQ(ComputeWholeTreeIndices(RootTree(Star(n)).value()).hosoya.Narrow(), Int128{n})
        << n << " vertices";
  }
}

// The path has the largest distances of all trees of n vertices: W(P_n) = (n^3 - n) / 6 and
// WW(P_n) = (n^4 + 2 n^3 - n^2 - 2 n) / 24, at the bound of the 64-bit distance sums, past it
// and at the largest tree the indices take.
TEST(NarrowCountTest, WienerAndHyperWienerOfPathsAtTheDistanceBoundAndPastIt) {
  for (const int n :
       {kMaxNarrowDistanceVertices, kMaxNarrowDistanceVertices + 1, kMaxHalfSumVertices}) {
    const WholeTreeIndices path = ComputeWholeTreeIndices(RootTree(Path(n)).value());
    const Int128 m = n;
    EXPECT_EQ(path.wiener, (m * m * m - m) / 6) << n << " vertices";
    EXPECT_EQ(path.hyperWiener, (m * m * m * m + 2 * m * m * m - m * m - 2 * m) / 24)
        << n << " vertices";
  }
}

}  // namespace
}  // namespace korvelant::testing
