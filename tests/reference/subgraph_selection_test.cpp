#include "reference/subgraph_selection.hpp"

#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "reference/distance_matrix.hpp"
#include "support/named_trees.hpp"

namespace korvelant {
namespace {

using EdgeSet = std::set<std::pair<int, int>>;

// The kept edges {k, l}, k < l, after selecting element (i, j); checks symmetry on the way.
EdgeSet Kept(TreeModel model, int i, int j, MatrixType type) {
  NadjiMatricuUdaljenosti(model);
  SelectSubgraph(model, i, j, type);
  EdgeSet kept;
  const int n = model.VertexCount.value();
  for (int k = 1; k <= n; ++k) {
    EXPECT_EQ(model.SubAdjacency(k, k), 0);
    for (int l = 1; l <= n; ++l) {
      EXPECT_EQ(model.SubAdjacency(k, l), model.SubAdjacency(l, k));
      if (k < l && model.SubAdjacency(k, l) == 1) kept.insert({k, l});
    }
  }
  return kept;
}

TEST(SelectSubgraph, EdgeGraphicalRemovesTheOneEdge) {
  const TreeModel path = testing::PathTree(4);
  EXPECT_EQ(Kept(path, 2, 3, MatrixType::EGM), (EdgeSet{{1, 2}, {3, 4}}));
  EXPECT_EQ(Kept(path, 3, 2, MatrixType::EGM), (EdgeSet{{1, 2}, {3, 4}}));
  EXPECT_EQ(Kept(path, 1, 3, MatrixType::EGM), EdgeSet{});  // not joined: empty
}

TEST(SelectSubgraph, PathGraphicalRemovesThePath) {
  const TreeModel tree = testing::DimethylHexane();
  EXPECT_EQ(Kept(tree, 7, 8, MatrixType::PGM), (EdgeSet{{1, 2}, {3, 4}, {4, 5}, {5, 6}}));
  EXPECT_EQ(Kept(tree, 1, 6, MatrixType::PGM), (EdgeSet{{2, 7}, {3, 8}}));
  // for joined vertices the path-graphical element equals the edge-graphical one
  EXPECT_EQ(Kept(tree, 4, 5, MatrixType::PGM), Kept(tree, 4, 5, MatrixType::EGM));
  EXPECT_EQ(Kept(testing::PathTree(5), 1, 5, MatrixType::PGM), EdgeSet{});
}

TEST(SelectSubgraph, VertexGraphicalRemovesEveryEdgeAtEitherVertex) {
  const TreeModel star = testing::StarTree(5);
  EXPECT_EQ(Kept(star, 1, 2, MatrixType::SVGM), EdgeSet{});
  EXPECT_EQ(Kept(star, 2, 3, MatrixType::DVGM), (EdgeSet{{1, 4}, {1, 5}}));
  EXPECT_EQ(Kept(star, 2, 3, MatrixType::SVGM), EdgeSet{});  // leaves are not joined
  EXPECT_EQ(Kept(star, 1, 2, MatrixType::DVGM), Kept(star, 1, 2, MatrixType::SVGM));
}

TEST(SelectSubgraph, OneEdgeKeepsNothingInEveryType) {
  for (const MatrixType type : kMatrixTypes) {
    EXPECT_EQ(Kept(testing::PathTree(2), 1, 2, type), EdgeSet{});
  }
}

TEST(EmptyElement, DiagonalAlwaysAndUnjoinedPairsOfEdgeTypes) {
  const TreeModel path = testing::PathTree(3);
  for (const MatrixType type : kMatrixTypes)
    EXPECT_TRUE(IsEmptyElement(path, 2, 2, type));
  EXPECT_TRUE(IsEmptyElement(path, 1, 3, MatrixType::EGM));
  EXPECT_TRUE(IsEmptyElement(path, 1, 3, MatrixType::SVGM));
  EXPECT_FALSE(IsEmptyElement(path, 1, 3, MatrixType::PGM));
  EXPECT_FALSE(IsEmptyElement(path, 1, 3, MatrixType::DVGM));
  EXPECT_FALSE(IsEmptyElement(path, 1, 2, MatrixType::EGM));
}

TEST(IsRemovedEdge, AgreesWithTheSelectionForBothOrientations) {
  TreeModel tree = testing::DimethylHexane();
  NadjiMatricuUdaljenosti(tree);
  for (const MatrixType type : kMatrixTypes) {
    for (int i = 1; i <= 8; ++i) {
      for (int j = 1; j <= 8; ++j) {
        if (IsEmptyElement(tree, i, j, type)) continue;
        SelectSubgraph(tree, i, j, type);
        for (int k = 1; k <= 8; ++k) {
          for (int l = 1; l <= 8; ++l) {
            if (tree.Adjacency(k, l) != 1) continue;
            EXPECT_EQ(IsRemovedEdge(tree, i, j, k, l, type), tree.SubAdjacency(k, l) == 0);
            EXPECT_EQ(IsRemovedEdge(tree, i, j, k, l, type), IsRemovedEdge(tree, i, j, l, k, type));
          }
        }
      }
    }
  }
}

}  // namespace
}  // namespace korvelant
