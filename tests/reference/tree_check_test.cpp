#include "reference/tree_check.hpp"

#include <gtest/gtest.h>

#include "reference/distance_matrix.hpp"
#include "support/named_trees.hpp"

namespace korvelant {
namespace {

using testing::MakeTree;

struct CheckOutcome {
  bool tree;
  int edges;
};

CheckOutcome Check(TreeModel model) {
  CommandValues values;
  values.EdgeCount = 99;
  NadjiMatricuUdaljenosti(model);
  const bool tree = IsTree(model, values);
  return {tree, values.EdgeCount.value()};
}

TEST(TreeCheck, AcceptsTrees) {
  EXPECT_TRUE(Check(MakeTree(1, {})).tree);
  EXPECT_TRUE(Check(MakeTree(2, {{1, 2}})).tree);
  EXPECT_TRUE(Check(testing::DimethylHexane()).tree);
  EXPECT_EQ(Check(testing::DimethylHexane()).edges, 7);
}

TEST(TreeCheck, RefusesEverythingElse) {
  const CheckOutcome empty = Check(MakeTree(0, {}));
  EXPECT_FALSE(empty.tree);
  EXPECT_EQ(empty.edges, 0);
  // n - 1 edges but a cycle, so one vertex is cut off
  EXPECT_FALSE(Check(MakeTree(4, {{1, 2}, {2, 3}, {3, 1}})).tree);
  // a connected graph with too many edges
  EXPECT_FALSE(Check(MakeTree(3, {{1, 2}, {2, 3}, {3, 1}})).tree);
  // a forest
  EXPECT_FALSE(Check(MakeTree(4, {{1, 2}, {3, 4}})).tree);
  EXPECT_FALSE(Check(MakeTree(2, {})).tree);
}

TEST(TreeCheck, IgnoresEdgesLeftAboveTheVertexCount) {
  TreeModel model = testing::PathTree(5);
  model.VertexCount = 3;
  EXPECT_TRUE(Check(model).tree);
  EXPECT_EQ(Check(model).edges, 2);
}

}  // namespace
}  // namespace korvelant
