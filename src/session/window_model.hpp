#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "drawing/drawing.hpp"
#include "input/tree_file.hpp"
#include "matrices/draw_calculate_command.hpp"
#include "model/graph.hpp"
#include "model/vertex_positions.hpp"
#include "output/file_command.hpp"

namespace korvelant {

// What an edge button of the grid shows: "0" until it is first clicked after the grid was
// laid out, then " 1" for an edge and " 0" for none.
enum class EdgeMark { Untouched, Edge, NoEdge };

// The caption of an edge button with `mark`.
std::string EdgeCaption(EdgeMark mark);

// A vertex row "T i=" with its two coordinate lists. A row is shown once a vertex count
// lays it out and stays shown, with its last choices, under a smaller count; only Clear
// hides it. The lists hold 0-based grid positions; none is chosen at the start or after
// Clear.
struct VertexRow {
  bool shown = false;
  std::optional<int> x;
  std::optional<int> y;
};

// What an operation changed, so that a view redraws just that: each part is stale until
// the view has taken it.
struct StaleParts {
  bool countChoice = false;        // the vertex-count list's choice
  bool grid = false;               // the edge grid laid out anew: which buttons, their captions
  std::vector<Edge> toggledEdges;  // edges clicked, each once per click, in order
  bool rows = false;               // the vertex rows: shown, their choices
  bool tree = false;               // the tree or a position: the preview and its indices
  bool options = false;            // the chosen display or matrix type
  bool result = false;             // the large picture and the calculated matrix
  bool description = false;        // what the large picture is said to show
  bool remarks = false;            // the remarks were set, even to the same text
};

// Everything the window holds, with the operations its user performs, and no widget in it:
// the entered tree, each vertex row's choices, the grid's edge marks, the chosen display
// and matrix type, and the result of Draw/Calculate with its remarks.
//
// Every change to the tree, a position or an option clears the result, so a picture never
// stands under a tree or options it was not made for.
class WindowModel {
 public:
  WindowModel();

  // --- What the window shows ---------------------------------------------------------
  const Graph& graph() const { return graph_; }
  // The count the list shows as chosen; none at the start and after Clear.
  std::optional<int> chosenCount() const { return chosenCount_; }
  // The mark of the grid button of row i, column j (1-based, i != j, both within the
  // grid); a button and its mirror show the same.
  EdgeMark edgeMark(int i, int j) const;
  // Row v, 1 to kMaxVertices.
  const VertexRow& row(int vertex) const;
  // Where each vertex stands: a list without a choice counts as position 0.
  VertexPositions positions() const;
  DisplayChoice display() const { return display_; }
  MatrixType matrixType() const { return matrixType_; }
  // The large picture: what Draw or Calculate made, or nothing.
  const Drawing& picture() const { return picture_; }
  // The last Draw/Calculate since the result was cleared: the tree and, after Calculate,
  // its numbers. None once the result is cleared.
  const std::optional<DrawCalculateOutcome>& result() const { return result_; }
  // The remarks label's text, in the local encoding of file names (a path may be named).
  const std::string& remarks() const { return remarks_; }
  // The tree as entered, positions included: what a tree file holds.
  SavedTree enteredTree() const;

  // What changed since the view last took it.
  StaleParts TakeStale();

  // --- What the user does -------------------------------------------------------------
  // A vertex count from the list: a new tree of `count` vertices on their circle, no edges.
  // Choosing the count already chosen starts anew as well.
  void ChooseVertexCount(int count);
  // The grid button of row i, column j: toggles the edge i-j. Nothing without a grid.
  void ToggleEdge(int i, int j);
  // A coordinate list of row `vertex`: its x or y grid position, 0-based. Choosing the
  // entry already chosen redraws as well.
  void ChooseX(int vertex, int x);
  void ChooseY(int vertex, int y);
  void ChooseDisplay(DisplayChoice display);
  void ChooseMatrixType(MatrixType type);
  // Draw or Calculate, as the display option says.
  void DrawOrCalculate();
  // Write to File: all sixteen matrices to `path`; the remarks say why when nothing was
  // written, and are left as they are when it was.
  FileCommandResult WriteMatrices(const std::string& path);
  // A tree from a file or a SMILES, taken in as if the user entered it: its count chosen,
  // each edge clicked, each position chosen. Throws std::invalid_argument for more than
  // kMaxVertices vertices or a tree a tree file could not hold; the model is then unchanged.
  void EnterTree(const SavedTree& tree);
  // Back to the empty tree of the start: no count chosen, no grid, no rows.
  void ClearTree();
  // A failure nobody foresaw: the result goes, so nothing half finished stays, and the
  // remarks say `remark`.
  void ShowFailure(const std::string& remark);

 private:
  // After any change to the tree or a position: the preview is stale, the result cleared.
  void TreeChanged();
  // Clears the result and the remarks.
  void ClearResult();
  void SetRemarks(std::string text);
  void LayOutGrid();
  void LayOutVertexRows();
  VertexRow& MutableRow(int vertex);

  Graph graph_;
  std::optional<int> chosenCount_;
  // marks_[i][j] for the button of row i, column j, 1-based; kept equal to [j][i].
  std::array<std::array<EdgeMark, kMaxVertices + 1>, kMaxVertices + 1> marks_{};
  std::array<VertexRow, kMaxVertices + 1> rows_{};  // entry 0 unused
  DisplayChoice display_;                           // Draw at the start
  MatrixType matrixType_ = MatrixType::EGM;
  Drawing picture_;
  std::optional<DrawCalculateOutcome> result_;
  std::string remarks_;
  StaleParts stale_;
};

}  // namespace korvelant
