#include "reference/distance_matrix.hpp"

#include <gtest/gtest.h>

#include "support/named_trees.hpp"

namespace korvelant {
namespace {

using testing::MakeTree;
using testing::PathTree;
using testing::StarTree;

int D(const TreeModel& model, int i, int j) {
  return model.Distance(i, j).value();
}

TEST(Distance, PathAndStar) {
  TreeModel path = PathTree(8);
  NadjiMatricuUdaljenosti(path);
  EXPECT_EQ(D(path, 1, 8), 7);
  EXPECT_EQ(D(path, 8, 1), 7);
  EXPECT_EQ(D(path, 3, 5), 2);

  TreeModel star = StarTree(8);
  NadjiMatricuUdaljenosti(star);
  for (int a = 2; a <= 8; ++a) {
    EXPECT_EQ(D(star, 1, a), 1);
    for (int b = 2; b <= 8; ++b)
      EXPECT_EQ(D(star, a, b), a == b ? 0 : 2);
  }
}

TEST(Distance, UnreachablePairsCarryTheMarker) {
  TreeModel pair = MakeTree(2, {});
  NadjiMatricuUdaljenosti(pair);
  EXPECT_EQ(D(pair, 1, 2), 9);
  EXPECT_EQ(D(pair, 2, 1), 9);
  EXPECT_EQ(D(pair, 1, 1), 0);

  TreeModel single = MakeTree(1, {});
  NadjiMatricuUdaljenosti(single);
  EXPECT_EQ(D(single, 1, 1), 0);
}

TEST(Distance, CyclesGetShortestDistancesAndALoopIsNoEdge) {
  TreeModel cycle = MakeTree(5, {{1, 2}, {2, 3}, {3, 4}, {4, 5}, {5, 1}});
  cycle.Adjacency(3, 3) = 1;
  NadjiMatricuUdaljenosti(cycle);
  EXPECT_EQ(D(cycle, 1, 3), 2);
  EXPECT_EQ(D(cycle, 1, 4), 2);
  EXPECT_EQ(D(cycle, 3, 3), 0);
}

TEST(Distance, FollowsEachStoredDirectionOnly) {
  TreeModel oneWay = MakeTree(2, {});
  oneWay.Adjacency(1, 2) = 1;
  NadjiMatricuUdaljenosti(oneWay);
  EXPECT_EQ(D(oneWay, 1, 2), 1);
  EXPECT_EQ(D(oneWay, 2, 1), 9);
}

TEST(Distance, LeavesEntriesAboveTheVertexCountAlone) {
  TreeModel model = PathTree(8);
  NadjiMatricuUdaljenosti(model);
  model.VertexCount = 5;
  model.Adjacency(5, 6) = 0;
  NadjiMatricuUdaljenosti(model);
  EXPECT_EQ(D(model, 6, 8), 2);  // from the 8-vertex run
  EXPECT_EQ(D(model, 1, 5), 4);
}

TEST(SubDistance, MeasuresInsideTheSubgraphOnly) {
  TreeModel model = PathTree(4);
  model.SubAdjacency = model.Adjacency;
  model.SubAdjacency(2, 3) = 0;
  model.SubAdjacency(3, 2) = 0;
  NadjiPomocnuMatricuUdaljenosti(model);
  EXPECT_EQ(model.SubDistance(1, 2).value(), 1);
  EXPECT_EQ(model.SubDistance(3, 4).value(), 1);
  EXPECT_EQ(model.SubDistance(1, 4).value(), 9);
  EXPECT_EQ(model.SubDistance(2, 3).value(), 9);

  model.SubAdjacency = model.Adjacency;
  NadjiMatricuUdaljenosti(model);
  NadjiPomocnuMatricuUdaljenosti(model);
  for (int i = 1; i <= 4; ++i) {
    for (int j = 1; j <= 4; ++j)
      EXPECT_EQ(model.SubDistance(i, j), model.Distance(i, j));
  }
}

}  // namespace
}  // namespace korvelant
