#include "engine/graphical_matrices.hpp"

#include <stdexcept>

#include "engine/element_builder.hpp"

namespace korvelant {

ExactDecimal GraphicalMatrix::Sum() const {
  ExactDecimal sum;
  for (const ExactDecimal& element : elements_)
    sum += element;
  return sum;
}

TypeMatrices::TypeMatrices(int n) : n_(n), subgraph_(static_cast<std::size_t>(n) * n, 0) {
  values_.reserve(static_cast<std::size_t>(n) * (n - 1) / 2 + 1);  // at most one per pair
  values_.emplace_back();                                          // the empty element
}

void TypeMatrices::NumberEveryPair() {
  values_.resize(1 + static_cast<std::size_t>(n_) * (n_ - 1) / 2);
  std::uint32_t id = 1;
  for (int i = 1; i <= n_; ++i) {
    for (int j = i + 1; j <= n_; ++j, ++id)
      subgraph_[Slot(i, j)] = subgraph_[Slot(j, i)] = id;
  }
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

}  // namespace

GraphicalMatrices ComputeGraphicalMatrices(const RootedTree& tree) {
  CheckMatrixSize(tree);
  GraphicalMatrices matrices;
  for (TypeMatrices& type : matrices.types)
    type = TypeMatrices(tree.vertexCount());
  BuildElements(tree, matrices);
  return matrices;
}

GraphicalMatrix ComputeGraphicalMatrix(const RootedTree& tree, MatrixType type,
                                       TopologicalIndex index) {
  CheckMatrixSize(tree);
  GraphicalMatrices matrices;
  matrices.types[static_cast<int>(type)] = TypeMatrices(tree.vertexCount());
  BuildElements(tree, matrices);
  return matrices.Of(type, index).Dense();
}

}  // namespace korvelant
