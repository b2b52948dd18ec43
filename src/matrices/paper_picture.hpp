#pragma once

#include <span>
#include <string>

#include "drawing/drawing.hpp"
#include "drawing/plane_layout.hpp"
#include "engine/rooted_tree.hpp"
#include "model/matrix_kind.hpp"

namespace korvelant {

// What a picture for a paper shows beside the drawing itself.
struct PaperOptions {
  bool numbers = true;  // the vertex numbers: around a matrix, beside a tree's vertices
  std::string caption;  // a line under the picture; none when empty
};

// A picture for a paper: its drawing in twips, the size it was laid out for in pixels of 15
// twips (a renderer scales it to the size asked for) and the pixel size of its font.
struct PaperPicture {
  Drawing drawing;
  double width = 0;
  double height = 0;
  double fontPixels = 0;
};

// The graphical matrix of `type`, element (i, j) in column i and row j as the window has it:
// a non-empty cell holds the tree in `points` ([v - 1] for vertex v) in miniature, kept
// edges thick and removed edges thin; an empty one "0". Cells shrink as the tree grows, so a
// large matrix still fits a page. Vertices are circles while they are large enough to see;
// no two of a miniature are closer than kLeastVertexPixels. The shapes are recorded by kind
// (circles, thin lines, thick lines, texts), so a vector file groups them instead of restyling
// every cell.
PaperPicture DrawPaperMatrix(const RootedTree& tree, std::span<const PlanePoint> points,
                             MatrixType type, const PaperOptions& options);

// The tree alone, larger, each vertex numbered unless the options say otherwise.
PaperPicture DrawPaperTree(const Graph& tree, std::span<const PlanePoint> points,
                           const PaperOptions& options);

// The pixel size of a matrix cell as laid out for n vertices: the window's cell up to 12
// vertices, then shrinking so the matrix keeps to about 1200 pixels, but never so small
// that n vertices kLeastVertexPixels apart would not fit (past about 100 vertices).
double PaperCellPixels(int vertexCount);

// No two vertices of a miniature closer than this, in pixels of the layout.
inline constexpr double kLeastVertexPixels = 1.5;

}  // namespace korvelant
