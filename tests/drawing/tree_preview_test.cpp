#include "drawing/tree_preview.hpp"

#include <gtest/gtest.h>

namespace korvelant {
namespace {

TEST(TreePreview, CirclesAndNumbersFirstThenEachEdgeBothWays) {
  const Graph graph{2, {{1, 2}}};
  VertexPositions positions{};
  positions[1] = {0, 0};    // grid value (1, 1): the bottom-left corner
  positions[2] = {19, 19};  // grid value (20, 20): the top-right corner
  Drawing picture;
  picture.DrawLine({1, 1}, {2, 2});  // anything earlier is cleared

  DrawTreePreview(graph, positions, picture);

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
  DrawTreePreview(Graph{}, VertexPositions{}, picture);
  EXPECT_TRUE(picture.empty());
}

TEST(TreePreview, DrawsNoEdgeOfAVertexPastTheCount) {
  const Graph graph{3, {{4, 5}, {3, 9}}};
  Drawing picture;
  DrawTreePreview(graph, VertexPositions{}, picture);
  EXPECT_EQ(picture.shapes().size(), 6u);
  for (const Shape& shape : picture.shapes())
    EXPECT_FALSE(std::holds_alternative<LineShape>(shape));
}

}  // namespace
}  // namespace korvelant
