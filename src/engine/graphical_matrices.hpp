#pragma once

#include <array>
#include <cstdint>
#include <type_traits>
#include <vector>

#include "engine/rooted_tree.hpp"
#include "engine/subgraph_values.hpp"
#include "model/exact_decimal.hpp"
#include "model/matrix_kind.hpp"

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

// The four matrices of one type, kept the way they arise: each element names the subgraph
// it stands for, and each distinct subgraph's values are kept once. (i, j) and (j, i) name
// the same subgraph, and a file prints every element of one subgraph alike, so its text
// is made once too. Subgraph 0 is the empty element, 0 for every index.
class TypeMatrices {
 public:
  TypeMatrices() = default;
  // Matrices whose elements SetElement gives, all of them empty until then.
  explicit TypeMatrices(int n);
  // The same for matrices with an element at each edge only (EGM, SVGM): room for n - 1.
  static TypeMatrices EveryEdge(int n);
  // Matrices with an element at every pair (PGM, DVGM): each pair (i, j), i < j, a subgraph
  // of its own, numbered in the order of the rows, so that a file reads a row's texts one
  // after another; SetSubgraph gives each its values in any order.
  static TypeMatrices EveryPair(int n);

  int size() const { return n_; }
  std::uint32_t SubgraphOf(int i, int j) const { return Ids()[Slot(i, j)]; }
  // The subgraphs of row i, elements (i, 1) to (i, n).
  const std::uint32_t* Row(int i) const { return Ids().data() + Slot(i, 1); }
  // Their values; a tree past kMaxFixedWidthVertices keeps the Hosoya counts apart
  // (HasWideHosoya), and Value gives every index of every tree.
  const std::vector<SubgraphValues>& Subgraphs() const { return values_; }
  bool HasWideHosoya() const { return !wideHosoya_.empty(); }
  ExactDecimal Value(std::uint32_t subgraph, TopologicalIndex index) const {
    if (index == TopologicalIndex::Hosoya && HasWideHosoya()) {
      return ExactDecimal::FromInteger(ExactInteger(wideHosoya_[subgraph]));
    }
    return values_[subgraph].Of(index);
  }
  ExactDecimal operator()(TopologicalIndex index, int i, int j) const {
    return Value(SubgraphOf(i, j), index);
  }

  // Makes (i, j) and (j, i) stand for a new subgraph of these values.
  template <typename Count>
  void SetElement(int i, int j, const BasicSubgraphValues<Count>& values) {
    const auto id = static_cast<std::uint32_t>(values_.size());
    values_.emplace_back();
    subgraph_[Slot(i, j)] = subgraph_[Slot(j, i)] = id;
    SetSubgraph(id, values);
  }

  // On matrices made by EveryPair: gives a pair's subgraph, Row(i)[j - 1], its values.
  // Field by field: the engine's values are just computed, and a copy of them whole would
  // wait for their stores.
  template <typename Count>
  void SetSubgraph(std::uint32_t id, const BasicSubgraphValues<Count>& values) {
    SubgraphValues& kept = values_[id];
    kept.wiener = values.wiener;
    kept.randicTicks = values.randicTicks;
    kept.zagreb = values.zagreb;
    if constexpr (std::is_same_v<Count, mpz_class>) {
      kept.hosoya = 0;
      wideHosoya_.resize(values_.size());  // once: the empty element's 0 first
      wideHosoya_[id] = values.hosoya;
    } else {
      kept.hosoya = values.hosoya;
    }
  }

 private:
  TypeMatrices(int n, std::vector<std::uint32_t> subgraph,
               const std::vector<std::uint32_t>* everyPair, std::vector<SubgraphValues> values);
  std::size_t Slot(int i, int j) const { return static_cast<std::size_t>(i - 1) * n_ + (j - 1); }
  const std::vector<std::uint32_t>& Ids() const { return everyPair_ ? *everyPair_ : subgraph_; }
  int n_ = 0;
  std::vector<std::uint32_t> subgraph_;
  // The numbering of every pair, shared by all matrices of its size that have one.
  const std::vector<std::uint32_t>* everyPair_ = nullptr;
  std::vector<SubgraphValues> values_;
  std::vector<mpz_class> wideHosoya_;  // by subgraph, where the counts need GMP
};

// One matrix of a TypeMatrices: the values of one index.
class MatrixView {
 public:
  MatrixView(const TypeMatrices& matrices, TopologicalIndex index)
      : matrices_(&matrices), index_(index) {}

  int size() const { return matrices_->size(); }
  ExactDecimal operator()(int i, int j) const { return (*matrices_)(index_, i, j); }
  ExactDecimal Sum() const;
  GraphicalMatrix Dense() const;

 private:
  const TypeMatrices* matrices_;
  TopologicalIndex index_;
};

// The sixteen matrices of a tree, EGM, PGM, SVGM and DVGM, each with W, R, Z and H: the
// file's order.
struct GraphicalMatrices {
  std::array<TypeMatrices, kMatrixTypes.size()> types;

  MatrixView Of(MatrixType type, TopologicalIndex index) const {
    return MatrixView(types[static_cast<int>(type)], index);
  }
};

// All sixteen matrices. Each element's subgraph is a forest of the tree's edges, and its
// four indices are
//   Wiener  the sum of the distances of the pairs joined in it, summed over its components
//           (Wiener 1947)
//   Randic  sum over kept edges of 1 / sqrt(product of end degrees), each term first
//           taken to four places (Randic 1975)
//   Zagreb  sum over kept edges of the product of the end degrees (Gutman, Trinajstic 1972)
//   Hosoya  number of matchings, the empty one included: the product over components
//           (Hosoya 1971)
// An empty element is 0 for all four. Each element takes a few steps from the sides of the
// tree's edges (engine/element_builder.hpp), O(n^2) for all sixteen. The graphical
// matrices: Randic, Plavsic, Trinajstic 1997.
GraphicalMatrices ComputeGraphicalMatrices(const RootedTree& tree);

// One of them, for a command that shows only one (Calculate, calc).
GraphicalMatrix ComputeGraphicalMatrix(const RootedTree& tree, MatrixType type,
                                       TopologicalIndex index);

}  // namespace korvelant
