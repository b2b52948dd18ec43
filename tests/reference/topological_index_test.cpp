#include "reference/topological_index.hpp"

#include <gtest/gtest.h>

#include "reference/distance_matrix.hpp"
#include "reference/subgraph_selection.hpp"
#include "support/named_trees.hpp"
#include "support/slow_reference.hpp"

namespace korvelant {
namespace {

// The number text of element (i, j) of one matrix of `tree`.
std::string Element(TreeModel tree, MatrixType type, TopologicalIndex index, int i, int j) {
  CommandValues values;
  NadjiMatricuUdaljenosti(tree);
  ComputeMatrix(tree, values, type, index);
  return testing::ReferenceNumberText(values.MatrixElement(i, j).ticks());
}

using enum TopologicalIndex;

TEST(TopologicalIndex, EdgeGraphicalElementsOfThePathOfFour) {
  const TreeModel path = testing::PathTree(4);
  const auto egm = [&](TopologicalIndex index, int i, int j) {
    return Element(path, MatrixType::EGM, index, i, j);
  };
  // (1, 2) keeps the path 2-3-4 and the lone vertex 1
  EXPECT_EQ(egm(Wiener, 1, 2), " 4");
  EXPECT_EQ(egm(Zagreb, 1, 2), " 4");
  EXPECT_EQ(egm(Randic, 1, 2), " 1.4142");
  EXPECT_EQ(egm(Hosoya, 1, 2), " 3");
  // (2, 3) keeps {1, 2} and {3, 4}
  EXPECT_EQ(egm(Wiener, 2, 3), " 2");
  EXPECT_EQ(egm(Zagreb, 2, 3), " 2");
  EXPECT_EQ(egm(Randic, 2, 3), " 2");
  EXPECT_EQ(egm(Hosoya, 2, 3), " 4");
  EXPECT_EQ(egm(Randic, 3, 4), egm(Randic, 1, 2));
}

TEST(TopologicalIndex, RandicTermsAreRoundedBeforeTheyAreAdded) {
  // (4, 5) keeps the star of centre 1 with three leaves: 3 x 0.5774, not 1.7321
  const TreeModel tree = testing::MakeTree(5, {{1, 2}, {1, 3}, {1, 4}, {4, 5}});
  EXPECT_EQ(Element(tree, MatrixType::EGM, Randic, 4, 5), " 1.7322");
}

TEST(TopologicalIndex, EdgelessSubgraphsAndEmptyElements) {
  const TreeModel star = testing::StarTree(5);
  // a non-empty element without edges: only the empty matching remains
  EXPECT_EQ(Element(star, MatrixType::SVGM, Wiener, 1, 2), " 0");
  EXPECT_EQ(Element(star, MatrixType::SVGM, Zagreb, 1, 2), " 0");
  EXPECT_EQ(Element(star, MatrixType::SVGM, Randic, 1, 2), " 0");
  EXPECT_EQ(Element(star, MatrixType::SVGM, Hosoya, 1, 2), " 1");
  // an empty element is 0 for every index, the Hosoya index included
  for (const TopologicalIndex index : kTopologicalIndices) {
    EXPECT_EQ(Element(star, MatrixType::EGM, index, 2, 3), " 0");
    EXPECT_EQ(Element(star, MatrixType::SVGM, index, 2, 3), " 0");
  }
  EXPECT_EQ(Element(star, MatrixType::DVGM, Hosoya, 2, 3), " 3");
  EXPECT_EQ(Element(star, MatrixType::PGM, Hosoya, 2, 3), " 3");
}

TEST(TopologicalIndex, DiagonalIsZeroAndEveryMatrixSymmetric) {
  TreeModel tree = testing::DimethylHexane();
  NadjiMatricuUdaljenosti(tree);
  CommandValues values;
  for (const MatrixType type : kMatrixTypes) {
    for (const TopologicalIndex index : kTopologicalIndices) {
      ComputeMatrix(tree, values, type, index);
      for (int i = 1; i <= 8; ++i) {
        EXPECT_EQ(values.MatrixElement(i, i), FixedDecimal());
        for (int j = 1; j <= 8; ++j) {
          EXPECT_EQ(values.MatrixElement(i, j), values.MatrixElement(j, i));
        }
      }
    }
  }
}

}  // namespace
}  // namespace korvelant
