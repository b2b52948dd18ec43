#include "engine/graphical_matrices.hpp"

#include "engine/forest_evaluator.hpp"

namespace korvelant {
namespace {

// Computes the elements of the matrices asked for, each distinct subgraph once. Each step
// evaluates two forests in one pass: an edge-type element in the first and the vertex-type
// element of the same pair in the second.
class MatrixBuilder {
 public:
  MatrixBuilder(const RootedTree& tree, GraphicalMatrices& matrices)
      : tree_(tree), forests_(tree), matrices_(matrices) {}

  void Build() {
    const int n = tree_.vertexCount();
    const EdgeSet all = forests_.AllEdges();
    // Adjacent pairs: the EGM and SVGM elements, which the PGM and DVGM ones repeat.
    for (int v = 1; v <= n; ++v) {
      const int p = tree_.parent[v];
      if (p == 0) continue;
      const auto [withoutEdge, withoutEnds] =
          forests_.Evaluate(all & ~forests_.EdgeUpFrom(v), all & ~EdgesAt(v, p));
      Store(MatrixType::EGM, v, p, withoutEdge);
      Store(MatrixType::PGM, v, p, withoutEdge);
      Store(MatrixType::SVGM, v, p, withoutEnds);
      Store(MatrixType::DVGM, v, p, withoutEnds);
    }
    if (!Wanted(MatrixType::PGM) && !Wanted(MatrixType::DVGM)) return;
    for (int i = 1; i <= n; ++i) {
      for (int j = i + 1; j <= n; ++j) {
        if (tree_.EdgeOwner(i, j) != 0) continue;
        // The path's edges lead to the root from one end but not from both.
        const EdgeSet path = forests_.EdgesToRoot(i) ^ forests_.EdgesToRoot(j);
        const auto [withoutPath, withoutEnds] =
            forests_.Evaluate(all & ~path, all & ~EdgesAt(i, j));
        Store(MatrixType::PGM, i, j, withoutPath);
        Store(MatrixType::DVGM, i, j, withoutEnds);
      }
    }
  }

 private:
  EdgeSet EdgesAt(int i, int j) const { return forests_.EdgesAt(i) | forests_.EdgesAt(j); }

  bool Wanted(MatrixType type) const { return matrices_.types[static_cast<int>(type)].size() != 0; }

  // Stores element (i, j) = (j, i) of `type`, when asked for.
  void Store(MatrixType type, int i, int j, const SubgraphValues& values) {
    TypeMatrices& matrices = matrices_.types[static_cast<int>(type)];
    if (matrices.size() != 0) matrices.SetElement(i, j, values);
  }

  const RootedTree& tree_;
  ForestEvaluator forests_;
  GraphicalMatrices& matrices_;
};

}  // namespace

ExactDecimal GraphicalMatrix::Sum() const {
  ExactDecimal sum;
  for (const ExactDecimal element : elements_)
    sum += element;
  return sum;
}

TypeMatrices::TypeMatrices(int n) : n_(n), subgraph_(static_cast<std::size_t>(n) * n, 0) {
  values_.reserve(static_cast<std::size_t>(n) * (n - 1) / 2 + 1);  // at most one per pair
  values_.emplace_back();                                          // the empty element
}

void TypeMatrices::ShareElement(int i, int j, int k, int l) {
  subgraph_[Slot(i, j)] = subgraph_[Slot(j, i)] = subgraph_[Slot(k, l)];
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

GraphicalMatrices ComputeGraphicalMatrices(const RootedTree& tree) {
  GraphicalMatrices matrices;
  for (TypeMatrices& type : matrices.types)
    type = TypeMatrices(tree.vertexCount());
  MatrixBuilder(tree, matrices).Build();
  return matrices;
}

GraphicalMatrix ComputeGraphicalMatrix(const RootedTree& tree, MatrixType type,
                                       TopologicalIndex index) {
  GraphicalMatrices matrices;
  matrices.types[static_cast<int>(type)] = TypeMatrices(tree.vertexCount());
  MatrixBuilder(tree, matrices).Build();
  return matrices.Of(type, index).Dense();
}

}  // namespace korvelant
