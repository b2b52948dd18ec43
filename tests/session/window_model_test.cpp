// The window's model without a widget: what each user operation does to the tree, the
// grid's marks, the vertex rows, the options, the result and the remarks.
#include "session/window_model.hpp"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "engine/graphical_matrices.hpp"
#include "engine/rooted_tree.hpp"

namespace korvelant {
namespace {

const std::string kNotATree(kNotATreeMessage);

// The path 1-2-3, whose Wiener edge-graphical matrix has the half-sum 2.
WindowModel PathOfThree() {
  WindowModel model;
  model.ChooseVertexCount(3);
  model.ToggleEdge(1, 2);
  model.ToggleEdge(2, 3);
  return model;
}

WindowModel CalculatedPath() {
  WindowModel model = PathOfThree();
  model.ChooseDisplay(TopologicalIndex::Wiener);
  model.DrawOrCalculate();
  return model;
}

// A tree as a tree file holds it, built field by field.
SavedTree Saved(int vertices, std::vector<Edge> edges, std::vector<GridPosition> positions) {
  SavedTree tree;
  tree.graph.vertexCount = vertices;
  tree.graph.edges = std::move(edges);
  tree.positions = std::move(positions);
  return tree;
}

void ExpectNoResult(const WindowModel& model) {
  EXPECT_FALSE(model.result().has_value());
  EXPECT_TRUE(model.picture().empty());
  EXPECT_EQ(model.remarks(), "");
}

TEST(WindowModelTest, StartsWithNothingChosen) {
  const WindowModel model;
  EXPECT_EQ(model.graph(), Graph{});
  EXPECT_FALSE(model.chosenCount().has_value());
  for (int v = 1; v <= kMaxVertices; ++v) {
    EXPECT_FALSE(model.row(v).shown);
    EXPECT_FALSE(model.row(v).x.has_value());
  }
  EXPECT_EQ(model.display(), std::nullopt);  // Draw matrix
  EXPECT_EQ(model.matrixType(), MatrixType::EGM);
  ExpectNoResult(model);
  EXPECT_EQ(model.positions().at(1), (GridPosition{0, 0}));  // a list without a choice
}

TEST(WindowModelTest, AVertexCountStartsATreeOnItsCircle) {
  WindowModel model = PathOfThree();
  model.ChooseX(2, 5);
  model.ChooseVertexCount(3);  // the same count again starts anew too
  EXPECT_EQ(model.chosenCount(), 3);
  EXPECT_EQ(model.graph(), (Graph{3, {}}));
  for (int v = 1; v <= 3; ++v) {
    EXPECT_TRUE(model.row(v).shown);
    EXPECT_EQ(model.positions().at(v), DefaultPosition(v, 3));
  }
  EXPECT_FALSE(model.row(4).shown);
  EXPECT_EQ(model.edgeMark(1, 2), EdgeMark::Untouched);
  EXPECT_THROW(model.ChooseVertexCount(kMaxVertices + 1), std::out_of_range);
  EXPECT_THROW(model.edgeMark(1, 4), std::out_of_range);
}

TEST(WindowModelTest, RowsBeyondASmallerCountKeepTheirChoicesUntilClear) {
  WindowModel model;
  model.ChooseVertexCount(5);
  model.ChooseY(5, 17);
  model.ChooseVertexCount(2);
  EXPECT_TRUE(model.row(5).shown);
  EXPECT_EQ(model.row(5).y, 17);
  EXPECT_EQ(model.row(4).x, DefaultPosition(4, 5).x);
  model.ClearTree();
  EXPECT_FALSE(model.chosenCount().has_value());
  EXPECT_EQ(model.graph(), Graph{});
  for (int v = 1; v <= kMaxVertices; ++v) {
    EXPECT_FALSE(model.row(v).shown);
    EXPECT_FALSE(model.row(v).y.has_value());
  }
}

TEST(WindowModelTest, AnEdgeButtonTogglesTheEdgeAndMarksItsMirror) {
  WindowModel model;
  model.ChooseVertexCount(4);
  model.ToggleEdge(3, 1);
  EXPECT_EQ(model.graph(), (Graph{4, {{1, 3}}}));  // smaller vertex first
  EXPECT_EQ(model.edgeMark(3, 1), EdgeMark::Edge);
  EXPECT_EQ(model.edgeMark(1, 3), EdgeMark::Edge);
  model.ToggleEdge(1, 3);
  EXPECT_EQ(model.graph(), (Graph{4, {}}));
  EXPECT_EQ(model.edgeMark(3, 1), EdgeMark::NoEdge);
  EXPECT_EQ(model.edgeMark(1, 2), EdgeMark::Untouched);
  // The captions the buttons show: "0" until clicked, then " 1" and " 0".
  EXPECT_EQ(EdgeCaption(EdgeMark::Untouched), "0");
  EXPECT_EQ(EdgeCaption(EdgeMark::Edge), " 1");
  EXPECT_EQ(EdgeCaption(EdgeMark::NoEdge), " 0");
  EXPECT_THROW(model.ToggleEdge(2, 2), std::invalid_argument);
  // Without a grid there is nothing to click.
  WindowModel empty;
  empty.ToggleEdge(1, 2);
  EXPECT_EQ(empty.graph(), Graph{});
}

TEST(WindowModelTest, CalculateGivesTheNumbersAndTheirHalfSum) {
  const WindowModel model = CalculatedPath();
  ASSERT_TRUE(model.result().has_value());
  ASSERT_TRUE(model.result()->matrix.has_value());
  EXPECT_EQ(model.remarks(), "Half-sum of matrix elements is:  2");
  EXPECT_FALSE(model.picture().empty());
}

TEST(WindowModelTest, DrawKeepsTheRemarksAndHasNoNumbers) {
  WindowModel model = PathOfThree();
  model.WriteMatrices("");  // a remark that Draw leaves standing
  const std::string failure = model.remarks();
  ASSERT_NE(failure, "");
  model.DrawOrCalculate();
  ASSERT_TRUE(model.result().has_value());
  EXPECT_TRUE(model.result()->tree.has_value());
  EXPECT_FALSE(model.result()->matrix.has_value());
  EXPECT_FALSE(model.picture().empty());
  EXPECT_EQ(model.remarks(), failure);
}

TEST(WindowModelTest, DrawOrCalculateRefusesAGraphThatIsNotATree) {
  WindowModel model;
  model.ChooseVertexCount(3);
  model.ToggleEdge(1, 2);
  model.DrawOrCalculate();
  EXPECT_EQ(model.remarks(), kNotATree);
  ASSERT_TRUE(model.result().has_value());
  EXPECT_FALSE(model.result()->tree.has_value());
  EXPECT_TRUE(model.picture().empty());
}

TEST(WindowModelTest, EveryChangeClearsTheResultAndTheRemarks) {
  const auto changes = {
      +[](WindowModel& m) { m.ChooseVertexCount(3); },
      +[](WindowModel& m) { m.ToggleEdge(1, 3); },
      +[](WindowModel& m) { m.ChooseX(1, 4); },
      +[](WindowModel& m) { m.ChooseY(3, 4); },
      +[](WindowModel& m) { m.ChooseX(7, 0); },  // a row beyond the count redraws too
      +[](WindowModel& m) { m.ChooseDisplay(TopologicalIndex::Wiener); },
      +[](WindowModel& m) { m.ChooseMatrixType(MatrixType::EGM); },
      +[](WindowModel& m) { m.ClearTree(); },
  };
  int change = 0;
  for (const auto apply : changes) {
    SCOPED_TRACE(change++);
    WindowModel model = CalculatedPath();
    apply(model);
    ExpectNoResult(model);
  }
}

TEST(WindowModelTest, OptionsAreWhatWasChosenLast) {
  WindowModel model = PathOfThree();
  model.ChooseMatrixType(MatrixType::DVGM);
  model.ChooseDisplay(TopologicalIndex::Hosoya);
  model.DrawOrCalculate();
  const RootedTree tree = *RootTree(model.graph());
  EXPECT_EQ(*model.result()->matrix,
            ComputeGraphicalMatrix(tree, MatrixType::DVGM, TopologicalIndex::Hosoya));
  EXPECT_NE(*model.result()->matrix,
            ComputeGraphicalMatrix(tree, MatrixType::EGM, TopologicalIndex::Hosoya));
  model.ChooseDisplay(std::nullopt);
  model.DrawOrCalculate();
  EXPECT_FALSE(model.result()->matrix.has_value());
}

TEST(WindowModelTest, AWriteThatFailsSaysWhyAndOneThatSucceedsLeavesTheRemarks) {
  WindowModel model = CalculatedPath();
  const std::string halfSum = model.remarks();
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("window-model-" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  const std::string path = (folder / "path.txt").string();
  EXPECT_EQ(model.WriteMatrices(path).status, FileCommandStatus::Written);
  EXPECT_TRUE(std::filesystem::exists(path));
  EXPECT_EQ(model.remarks(), halfSum);
  EXPECT_TRUE(model.result().has_value());  // writing is no change to the tree
  const std::string missing = (folder / "missing" / "out.txt").string();
  EXPECT_EQ(model.WriteMatrices(missing).status, FileCommandStatus::WriteFailed);
  EXPECT_EQ(model.remarks().rfind("Cannot write \"" + missing + "\": ", 0), 0u) << model.remarks();
  model.ToggleEdge(1, 3);
  EXPECT_EQ(model.WriteMatrices(path).status, FileCommandStatus::NotATree);
  EXPECT_EQ(model.remarks(), kNotATree);
  std::filesystem::remove_all(folder);
}

TEST(WindowModelTest, AnEnteredTreeIsTheTreeEnteredByHand) {
  const SavedTree tree = Saved(4, {{1, 2}, {2, 3}, {2, 4}}, {{0, 1}, {2, 3}, {4, 5}, {6, 7}});
  WindowModel entered;
  entered.ChooseVertexCount(6);  // rows 5 and 6 stay as they were
  entered.EnterTree(tree);
  EXPECT_EQ(entered.enteredTree(), tree);
  EXPECT_EQ(entered.chosenCount(), 4);
  EXPECT_EQ(entered.edgeMark(1, 2), EdgeMark::Edge);
  EXPECT_EQ(entered.edgeMark(1, 3), EdgeMark::Untouched);
  EXPECT_TRUE(entered.row(6).shown);
  // What the file and the screen get is what the same clicks give.
  WindowModel clicked;
  clicked.ChooseVertexCount(4);
  for (const auto& [a, b] : tree.graph.edges)
    clicked.ToggleEdge(a, b);
  for (int v = 1; v <= 4; ++v) {
    clicked.ChooseX(v, tree.positions.at(v - 1).x);
    clicked.ChooseY(v, tree.positions.at(v - 1).y);
  }
  EXPECT_EQ(clicked.enteredTree(), entered.enteredTree());
}

TEST(WindowModelTest, ARefusedTreeLeavesEverythingAsItWas) {
  WindowModel model = CalculatedPath();
  const SavedTree tooLarge = Saved(9, {}, std::vector<GridPosition>(9));
  const SavedTree loop = Saved(3, {{1, 1}}, std::vector<GridPosition>(3));
  EXPECT_THROW(model.EnterTree(tooLarge), std::invalid_argument);
  EXPECT_THROW(model.EnterTree(loop), std::invalid_argument);
  EXPECT_EQ(model.graph(), (Graph{3, {{1, 2}, {2, 3}}}));
  EXPECT_TRUE(model.result().has_value());
}

TEST(WindowModelTest, AFailureTakesTheResultAndSaysSo) {
  WindowModel model = CalculatedPath();
  model.ShowFailure("Something went wrong");
  EXPECT_FALSE(model.result().has_value());
  EXPECT_TRUE(model.picture().empty());
  EXPECT_EQ(model.remarks(), "Something went wrong");
  EXPECT_EQ(model.graph(), (Graph{3, {{1, 2}, {2, 3}}}));
}

// A view redraws what an operation made stale, and nothing else.
TEST(WindowModelTest, EachOperationMarksWhatItChanged) {
  WindowModel model = PathOfThree();
  StaleParts stale = model.TakeStale();
  EXPECT_TRUE(stale.countChoice && stale.grid && stale.rows && stale.tree);
  EXPECT_EQ(stale.toggledEdges, (std::vector<Edge>{{1, 2}, {2, 3}}));
  EXPECT_FALSE(model.TakeStale().tree);  // taken

  model.ChooseX(1, 3);
  stale = model.TakeStale();
  EXPECT_TRUE(stale.tree && stale.result && stale.remarks);
  EXPECT_FALSE(stale.grid || stale.rows || stale.countChoice || stale.options);

  model.ChooseMatrixType(MatrixType::PGM);
  stale = model.TakeStale();
  EXPECT_TRUE(stale.options && stale.result && stale.description);
  EXPECT_FALSE(stale.tree);

  model.DrawOrCalculate();  // a drawing sets no remarks
  stale = model.TakeStale();
  EXPECT_TRUE(stale.result && stale.description);
  EXPECT_FALSE(stale.remarks || stale.tree);

  model.ShowFailure("failed");  // the picture goes; what it is said to show is not redone
  stale = model.TakeStale();
  EXPECT_TRUE(stale.result && stale.remarks);
  EXPECT_FALSE(stale.description);

  EXPECT_EQ(model.WriteMatrices("").status, FileCommandStatus::WriteFailed);
  stale = model.TakeStale();
  EXPECT_TRUE(stale.remarks);
  EXPECT_FALSE(stale.result || stale.tree);
}

}  // namespace
}  // namespace korvelant
