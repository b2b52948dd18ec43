#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "model/matrix_kind.hpp"

// A slow, deliberately plain second computation of the graphical matrices and the matrix
// file, written straight from the definitions: edge lists, breadth-first search and brute
// force. It shares no code with the engine, so the differential test can hold one against
// the other. Values are counted in ten-thousandths, like the engine's fixed-point type.
namespace korvelant::testing {

// Vertices 1..vertices and the undirected edges between them.
struct EdgeListTree {
  int vertices = 0;
  std::vector<std::pair<int, int>> edges;
};

// The four indices of one graph, in ten-thousandths.
struct ReferenceValues {
  std::int64_t wiener = 0;
  std::int64_t randic = 0;
  std::int64_t zagreb = 0;
  std::int64_t hosoya = 0;

  std::int64_t Of(TopologicalIndex index) const;
};

// 1 / sqrt(product) taken to the nearest ten-thousandth, in ten-thousandths.
std::int64_t ReferenceRandicTerm(std::int64_t product);

// Wiener, Randic (per-term rounding), Zagreb and Hosoya (matchings, the empty one included)
// of the graph on vertices 1..graph.vertices with exactly the given edges.
ReferenceValues ReferenceIndices(const EdgeListTree& graph);

// True when element (i, j) has no subgraph: the diagonal, and for EGM and SVGM two vertices
// that no edge joins.
bool ReferenceIsEmpty(const EdgeListTree& tree, int i, int j, MatrixType type);

// removed[e] tells whether tree.edges[e] is taken away in the subgraph of the non-empty
// element (i, j).
std::vector<bool> ReferenceRemovedEdges(const EdgeListTree& tree, int i, int j, MatrixType type);

// The four indices of element (i, j); all 0 for an empty element.
ReferenceValues ReferenceElement(const EdgeListTree& tree, int i, int j, MatrixType type);

// A value as the file shows it: a blank, the digits, and up to four decimals without
// trailing zeros.
std::string ReferenceNumberText(std::int64_t ticks);
// A double as the literal procedures printed a half-sum: up to 15 significant digits, no
// exponent, no trailing zeros, a blank where the sign would stand.
std::string ReferenceDoubleText(double value);

// The complete matrix file of the tree: all sixteen blocks, CR LF line ends.
std::string ReferenceFileText(const EdgeListTree& tree);

}  // namespace korvelant::testing
