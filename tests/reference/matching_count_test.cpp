#include "reference/matching_count.hpp"

#include <gtest/gtest.h>

#include "support/named_trees.hpp"

namespace korvelant {
namespace {

using testing::MakeTree;
using testing::PathTree;
using testing::StarTree;

int Matchings(TreeModel model) {
  model.SubAdjacency = model.Adjacency;
  CountSubgraphMatchings(model);
  return model.MatchCount.value();
}

TEST(MatchingCount, KnownGraphs) {
  EXPECT_EQ(Matchings(MakeTree(0, {})), 1);
  EXPECT_EQ(Matchings(MakeTree(5, {})), 1);
  EXPECT_EQ(Matchings(PathTree(2)), 2);
  EXPECT_EQ(Matchings(PathTree(4)), 5);
  EXPECT_EQ(Matchings(PathTree(8)), 34);
  EXPECT_EQ(Matchings(StarTree(8)), 8);
  EXPECT_EQ(Matchings(MakeTree(4, {{1, 2}, {1, 3}, {1, 4}, {2, 3}, {2, 4}, {3, 4}})), 10);
}

TEST(MatchingCount, LeavesUsedAsItFoundItSoASecondCountAgrees) {
  TreeModel model = PathTree(8);
  model.SubAdjacency = model.Adjacency;
  CountSubgraphMatchings(model);
  for (int v = 0; v <= 12; ++v)
    EXPECT_EQ(model.Used(v), 0) << v;
  model.MatchCount = 0;
  Izbroji(model);
  EXPECT_EQ(model.MatchCount, 34);
}

TEST(MatchingCount, DecidedVerticesTakeNoPart) {
  TreeModel model = PathTree(3);
  model.SubAdjacency = model.Adjacency;
  CountSubgraphMatchings(model);
  for (int v = 1; v <= 3; ++v)
    model.Used(v) = -1;
  model.MatchCount = 0;
  Izbroji(model);
  EXPECT_EQ(model.MatchCount, 1);
}

TEST(MatchingCount, StopsAtAStaleMarkAboveTheVertices) {
  // A mark left above n would let the free-vertex search run past the end marker;
  // the count clears it before it starts.
  TreeModel model = PathTree(8);
  model.Used(9) = -1;
  EXPECT_EQ(Matchings(model), 34);
}

}  // namespace
}  // namespace korvelant
