#pragma once

#include <array>
#include <vector>

#include "engine/rooted_tree.hpp"
#include "matrices/matrix_kind.hpp"
#include "model/exact_decimal.hpp"

namespace korvelant {

// One n x n graphical matrix of one index, elements (i, j) for i, j in 1..n.
class GraphicalMatrix {
 public:
  GraphicalMatrix() = default;
  explicit GraphicalMatrix(int n) : n_(n), elements_(static_cast<std::size_t>(n) * n) {}

  int size() const { return n_; }
  ExactDecimal operator()(int i, int j) const { return elements_[Slot(i, j)]; }
  ExactDecimal& operator()(int i, int j) { return elements_[Slot(i, j)]; }
  // The sum of all elements; half of it is the matrix's half-sum.
  ExactDecimal Sum() const;

  friend bool operator==(const GraphicalMatrix&, const GraphicalMatrix&) = default;

 private:
  std::size_t Slot(int i, int j) const { return static_cast<std::size_t>(i - 1) * n_ + (j - 1); }
  int n_ = 0;
  std::vector<ExactDecimal> elements_;
};

// The sixteen matrices of a tree in the file's order: EGM with W, R, Z, H, then PGM, SVGM
// and DVGM the same way.
struct GraphicalMatrices {
  std::array<GraphicalMatrix, 16> blocks;

  const GraphicalMatrix& Of(MatrixType type, TopologicalIndex index) const {
    return blocks[static_cast<int>(type) * 4 + static_cast<int>(index)];
  }
};

// All sixteen matrices. Each element's subgraph is a forest of kept tree edges, evaluated
// once for all four indices in one pass from the leaves to the root:
//   Wiener  sum over kept edges of the vertex counts on its two sides, in its component
//   Randic  sum over kept edges of 1 / sqrt(product of end degrees), each term first
//           taken to four places
//   Zagreb  sum over kept edges of the product of the end degrees
//   Hosoya  number of matchings, the empty one included: the product over components of
//           the matchings with the component's root free plus those with it matched
// An empty element is 0 for all four. Elements (i, j) and (j, i) are computed once, and a
// PGM or DVGM element of an edge, whose subgraph is the EGM or SVGM one, is copied.
GraphicalMatrices ComputeGraphicalMatrices(const RootedTree& tree);

// One of them, for a command that shows only one (Calculate, calc).
GraphicalMatrix ComputeGraphicalMatrix(const RootedTree& tree, MatrixType type,
                                       TopologicalIndex index);

}  // namespace korvelant
