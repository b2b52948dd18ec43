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

TypeMatrices::TypeMatrices(int n, std::vector<std::uint32_t> subgraph,
                           const std::vector<std::uint32_t>* everyPair,
                           std::vector<SubgraphValues> values)
    : n_(n), subgraph_(std::move(subgraph)), everyPair_(everyPair), values_(std::move(values)) {}

TypeMatrices TypeMatrices::EveryEdge(int n) {
  std::vector<SubgraphValues> values;
  values.reserve(static_cast<std::size_t>(n));
  values.emplace_back();
  return {n, std::vector<std::uint32_t>(static_cast<std::size_t>(n) * n, 0), nullptr,
          std::move(values)};
}

TypeMatrices TypeMatrices::EveryPair(int n) {
  std::vector<SubgraphValues> values(PairCount(n) + 1);
  if (n <= kMaxSharedNumberingVertices) return {n, {}, SharedPairNumbering(n), std::move(values)};
  return {n, NumberedPairs(n), nullptr, std::move(values)};
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
  const int n = tree.vertexCount();
  // Each made where it stays: empty matrices first and then these moved over them cost a
  // small tree as much as a tenth of its elements.
  GraphicalMatrices matrices{
      {MatricesToBuild(MatrixType::EGM, n), MatricesToBuild(MatrixType::PGM, n),
       MatricesToBuild(MatrixType::SVGM, n), MatricesToBuild(MatrixType::DVGM, n)}};
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
