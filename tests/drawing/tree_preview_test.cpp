#include "drawing/tree_preview.hpp"

#include <gtest/gtest.h>

#include "support/named_trees.hpp"

namespace korvelant {
namespace {

using testing::MakeTree;

TEST(TreePreview, CirclesAndNumbersFirstThenEachEdgeBothWays) {
  TreeModel model = MakeTree(2, {{1, 2}});
  VertexPositions positions{};
  positions[1] = {0, 0};    // grid value (1, 1): the bottom-left corner
  positions[2] = {19, 19};  // grid value (20, 20): the top-right corner
  Drawing picture;
  picture.DrawLine({1, 1}, {2, 2});  // anything earlier is cleared

  DrawTreePreview(model, positions, picture);

  const std::vector<Shape> expected = {
      CircleShape{{250, 3250}, 50, 1},        TextShape{{250, 2950}, " 1"},
      CircleShape{{3100, 400}, 50, 1},        TextShape{{3100, 100}, " 2"},
      LineShape{{250, 3250}, {3100, 400}, 1}, LineShape{{3100, 400}, {250, 3250}, 1},
  };
  EXPECT_EQ(picture.shapes(), expected);
}

TEST(TreePreview, NoVerticesDrawsNothing) {
  Drawing picture;
  picture.DrawCircle({5, 5}, 5);
  DrawTreePreview(MakeTree(0, {}), VertexPositions{}, picture);
  EXPECT_TRUE(picture.empty());
}

TEST(TreePreview, ReadsOnlyTheCurrentVertices) {
  TreeModel model = MakeTree(5, {{4, 5}});
  model.VertexCount = 3;  // the edge 4-5 is a leftover of the larger tree
  Drawing picture;
  DrawTreePreview(model, VertexPositions{}, picture);
  EXPECT_EQ(picture.shapes().size(), 6u);
  for (const Shape& shape : picture.shapes())
    EXPECT_FALSE(std::holds_alternative<LineShape>(shape));
}

}  // namespace
}  // namespace korvelant
