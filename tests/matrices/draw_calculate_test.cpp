#include "matrices/draw_calculate_command.hpp"

#include <gtest/gtest.h>

#include "engine/rooted_tree.hpp"
#include "support/named_trees.hpp"

namespace korvelant {
namespace {

using testing::MakeTree;
using testing::PathTree;

struct CommandRun {
  std::optional<std::string> remarks;
  Drawing picture;
};

CommandRun RunCommand(TreeModel tree, DisplayChoice display, MatrixType type,
                      const VertexPositions& positions = {}) {
  CommandRun run;
  run.picture.DrawLine({1, 2}, {3, 4});  // a drawing left from before
  run.remarks =
      RunDrawCalculateCommand(testing::GraphOf(tree), positions, display, type, run.picture);
  return run;
}

std::vector<TextShape> Texts(const Drawing& picture) {
  std::vector<TextShape> texts;
  for (const Shape& shape : picture.shapes()) {
    if (const auto* text = std::get_if<TextShape>(&shape)) texts.push_back(*text);
  }
  return texts;
}

std::vector<LineShape> Lines(const Drawing& picture) {
  std::vector<LineShape> lines;
  for (const Shape& shape : picture.shapes()) {
    if (const auto* line = std::get_if<LineShape>(&shape)) lines.push_back(*line);
  }
  return lines;
}

void ExpectNear(TwipPoint actual, TwipPoint expected) {
  EXPECT_NEAR(actual.x, expected.x, 0.001);
  EXPECT_NEAR(actual.y, expected.y, 0.001);
}

TEST(CalculateCommand, PrintsEveryCellAThirdInAndReportsTheHalfSum) {
  const CommandRun wiener = RunCommand(PathTree(4), TopologicalIndex::Wiener, MatrixType::EGM);
  EXPECT_EQ(wiener.remarks, "Half-sum of matrix elements is:  10");
  const auto texts = Texts(wiener.picture);
  ASSERT_EQ(texts.size(), 16u);
  ASSERT_EQ(wiener.picture.shapes().size(), 16u);  // the earlier line was cleared
  const char* expected[4][4] = {{" 0", " 4", " 0", " 0"},
                                {" 4", " 0", " 2", " 0"},
                                {" 0", " 2", " 0", " 4"},
                                {" 0", " 0", " 4", " 0"}};
  for (int i = 1; i <= 4; ++i) {
    for (int j = 1; j <= 4; ++j) {
      const TextShape& cell = texts[(i - 1) * 4 + (j - 1)];  // i outer, j inner
      EXPECT_EQ(cell.text, expected[i - 1][j - 1]);
      ExpectNear(cell.topLeft,
                 {1400.0f * i - 1000 + 1400.0f / 3, 1400.0f * j - 1000 + 1400.0f / 3});
    }
  }

  const CommandRun randic = RunCommand(PathTree(4), TopologicalIndex::Randic, MatrixType::EGM);
  EXPECT_EQ(randic.remarks, "Half-sum of matrix elements is:  4.8284");
  EXPECT_EQ(Texts(randic.picture)[1].text, " 1.4142");
  EXPECT_EQ(Texts(randic.picture)[6].text, " 2");
}

TEST(CalculateCommand, SingleVertex) {
  const CommandRun run = RunCommand(MakeTree(1, {}), TopologicalIndex::Hosoya, MatrixType::PGM);
  EXPECT_EQ(run.remarks, "Half-sum of matrix elements is:  0");
  ASSERT_EQ(Texts(run.picture).size(), 1u);
  EXPECT_EQ(Texts(run.picture)[0].text, " 0");
  ExpectNear(Texts(run.picture)[0].topLeft, {866.6667f, 866.6667f});
}

TEST(DrawCalculateCommand, RefusesWhatIsNotATreeAndDrawsNothing) {
  const TreeModel notTrees[] = {MakeTree(0, {}), MakeTree(3, {{1, 2}, {2, 3}, {3, 1}}),
                                MakeTree(4, {{1, 2}, {3, 4}})};
  for (const TreeModel& tree : notTrees) {
    for (const DisplayChoice display : {DisplayChoice{}, DisplayChoice{TopologicalIndex::Zagreb}}) {
      const CommandRun run = RunCommand(tree, display, MatrixType::DVGM);
      EXPECT_EQ(run.remarks, std::string(kNotATreeMessage));
      EXPECT_TRUE(run.picture.empty());
    }
  }
}

TEST(DrawCommand, SingleVertexShowsOnlyTheZeroOfItsPass) {
  const CommandRun edgeType = RunCommand(MakeTree(1, {}), std::nullopt, MatrixType::EGM);
  EXPECT_EQ(edgeType.remarks, std::nullopt);  // a drawing leaves the remarks alone
  ASSERT_EQ(edgeType.picture.shapes().size(), 1u);
  EXPECT_EQ(Texts(edgeType.picture)[0].text, "0");
  ExpectNear(Texts(edgeType.picture)[0].topLeft, {460, 460});

  const CommandRun pathType = RunCommand(MakeTree(1, {}), std::nullopt, MatrixType::PGM);
  ASSERT_EQ(pathType.picture.shapes().size(), 1u);
  ExpectNear(Texts(pathType.picture)[0].topLeft, {866.6667f, 866.6667f});
}

TEST(DrawCommand, EdgePairDrawsBothCirclesAndTheEdgeThin) {
  VertexPositions positions{};
  positions[1] = {0, 0};
  positions[2] = {19, 19};
  const CommandRun run =
      RunCommand(MakeTree(2, {{1, 2}}), std::nullopt, MatrixType::EGM, positions);
  // cells (1, 1) "0"; (1, 2) tree; (2, 1) tree; (2, 2) "0"
  const std::vector<Shape> cell12 = {
      CircleShape{{400, 3000}, 50, 1},
      CircleShape{{1540, 1860}, 50, 1},
      LineShape{{400, 3000}, {1540, 1860}, 1},
      LineShape{{1540, 1860}, {400, 3000}, 1},
  };
  const auto& shapes = run.picture.shapes();
  ASSERT_EQ(shapes.size(), 1u + 4 + 4 + 1);
  EXPECT_EQ(std::vector<Shape>(shapes.begin() + 1, shapes.begin() + 5), cell12);
  // cell (2, 1): the same formula one cell to the right
  EXPECT_EQ(std::get<CircleShape>(shapes[5]).centre, (TwipPoint{1800, 1600}));
  EXPECT_EQ(std::get<CircleShape>(shapes[6]).centre, (TwipPoint{2940, 460}));
  ExpectNear(std::get<TextShape>(shapes[9]).topLeft, {1860, 1860});
}

// The line widths of the strokes of cell (i, j), in drawing order.
std::vector<int> CellWidths(const Drawing& picture, int i, int j) {
  const float left = 1400.0f * i - 1000 - 60;
  const float top = 1400.0f * j - 1000 - 60;
  std::vector<int> widths;
  for (const LineShape& line : Lines(picture)) {
    if (line.from.x >= left && line.from.x < left + 1400 && line.from.y >= top &&
        line.from.y < top + 1400) {
      widths.push_back(line.lineWidth);
    }
  }
  return widths;
}

TEST(DrawCommand, KeptEdgesThickRemovedEdgesThin) {
  const TreeModel path = PathTree(3);  // strokes in order 1-2, 2-1, 2-3, 3-2
  const CommandRun svgm = RunCommand(path, std::nullopt, MatrixType::SVGM);
  EXPECT_EQ(CellWidths(svgm.picture, 1, 2), (std::vector{1, 1, 1, 1}));
  EXPECT_EQ(CellWidths(svgm.picture, 1, 3), std::vector<int>{});
  EXPECT_EQ(Texts(svgm.picture).size(), 5u);  // the diagonal and (1, 3), (3, 1)

  const CommandRun pgm = RunCommand(path, std::nullopt, MatrixType::PGM);
  EXPECT_EQ(CellWidths(pgm.picture, 1, 3), (std::vector{1, 1, 1, 1}));
  EXPECT_EQ(CellWidths(pgm.picture, 1, 2), (std::vector{1, 1, 5, 5}));

  // strokes in order 1-2, 1-3, 1-4, 1-5, then the way back
  const CommandRun dvgm = RunCommand(testing::StarTree(5), std::nullopt, MatrixType::DVGM);
  EXPECT_EQ(CellWidths(dvgm.picture, 2, 3), (std::vector{1, 1, 5, 5, 1, 1, 5, 5}));
  for (const Shape& shape : dvgm.picture.shapes()) {
    if (const auto* circle = std::get_if<CircleShape>(&shape)) {
      EXPECT_EQ(circle->lineWidth, 1);
      EXPECT_EQ(circle->radius, 50);
    }
  }
}

}  // namespace
}  // namespace korvelant
