#include "engine/graphical_matrices.hpp"

#include <array>
#include <mutex>
#include <stdexcept>

#include "engine/element_builder.hpp"

namespace korvelant {

ExactDecimal GraphicalMatrix::Sum() const {
  ExactDecimal sum;
  for (const ExactDecimal& element : elements_)
    sum += element;
  return sum;
}

namespace {

std::size_t PairCount(int n) {
  return static_cast<std::size_t>(n) * (n - 1) / 2;
}

std::vector<std::uint32_t> NumberedPairs(int n) {
  std::vector<std::uint32_t> ids(static_cast<std::size_t>(n) * n, 0);
  std::uint32_t id = 1;
  for (int i = 0; i < n; ++i) {
    for (int j = i + 1; j < n; ++j, ++id)
      ids[static_cast<std::size_t>(i) * n + j] = ids[static_cast<std::size_t>(j) * n + i] = id;
  }
  return ids;
}

// Trees up to this size share one numbering per size (64 KiB at most), made when first
// asked for: a batch of small trees would otherwise number the same pairs for every tree.
constexpr int kMaxSharedNumberingVertices = 128;

const std::vector<std::uint32_t>* SharedPairNumbering(int n) {
  struct Numberings {
    std::array<std::once_flag, kMaxSharedNumberingVertices + 1> made;
    std::array<std::vector<std::uint32_t>, kMaxSharedNumberingVertices + 1> ids;
  };
  static auto* const numberings = new Numberings;  // never freed: matrices may outlive exit
  std::call_once(numberings->made[n], [n] { numberings->ids[n] = NumberedPairs(n); });
  return &numberings->ids[n];
}

}  // namespace

TypeMatrices::TypeMatrices(int n) : n_(n), subgraph_(static_cast<std::size_t>(n) * n, 0) {
  values_.reserve(PairCount(n) + 1);  // at most one per pair
  values_.emplace_back();             // the empty element
}

TypeMatrices TypeMatrices::EveryEdge(int n) {
  TypeMatrices matrices;
  matrices.n_ = n;
  matrices.subgraph_.assign(static_cast<std::size_t>(n) * n, 0);
  matrices.values_.reserve(static_cast<std::size_t>(n));
  matrices.values_.emplace_back();
  return matrices;
}

TypeMatrices TypeMatrices::EveryPair(int n) {
  TypeMatrices matrices;
  matrices.n_ = n;
  if (n <= kMaxSharedNumberingVertices) {
    matrices.everyPair_ = SharedPairNumbering(n);
  } else {
    matrices.subgraph_ = NumberedPairs(n);
  }
  matrices.values_.resize(PairCount(n) + 1);
  return matrices;
}

ExactDecimal MatrixView::Sum() const {
  ExactDecimal sum;
  for (int i = 1; i <= size(); ++i) {
    for (int j = 1; j <= size(); ++j)
      sum += (*this)(i, j);
  }
  return sum;
}

GraphicalMatrix MatrixView::Dense() const {
  GraphicalMatrix dense(size());
  for (int i = 1; i <= size(); ++i) {
    for (int j = 1; j <= size(); ++j)
      dense(i, j) = (*this)(i, j);
  }
  return dense;
}

namespace {

void CheckMatrixSize(const RootedTree& tree) {
  if (tree.vertexCount() > kMaxMatrixVertices)
    throw std::invalid_argument(MatrixTooLargeMessage(tree.vertexCount()));
}

TypeMatrices MatricesToBuild(MatrixType type, int n) {
  return IsEdgeType(type) ? TypeMatrices::EveryEdge(n) : TypeMatrices::EveryPair(n);
}

}  // namespace

GraphicalMatrices ComputeGraphicalMatrices(const RootedTree& tree) {
  CheckMatrixSize(tree);
  GraphicalMatrices matrices;
  for (const MatrixType type : kMatrixTypes)
    matrices.types[static_cast<int>(type)] = MatricesToBuild(type, tree.vertexCount());
  BuildElements(tree, matrices);
  return matrices;
}

GraphicalMatrix ComputeGraphicalMatrix(const RootedTree& tree, MatrixType type,
                                       TopologicalIndex index) {
  CheckMatrixSize(tree);
  GraphicalMatrices matrices;
  matrices.types[static_cast<int>(type)] = MatricesToBuild(type, tree.vertexCount());
  BuildElements(tree, matrices);
  return matrices.Of(type, index).Dense();
}

}  // namespace korvelant
