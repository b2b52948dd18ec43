#include "engine/graphical_matrices.hpp"

#include "engine/forest_evaluator.hpp"

namespace korvelant {
namespace {

// Computes the elements of the matrices asked for, each distinct subgraph once. An
// element's edges are taken away and put back after, so no element pays for rebuilding the
// whole tree.
class MatrixBuilder {
 public:
  MatrixBuilder(const RootedTree& tree, GraphicalMatrices& matrices)
      : tree_(tree), evaluator_(tree), matrices_(matrices) {}

  // Each step evaluates two forests in one pass: an edge-type element in the first and the
  // vertex-type element of the same pair in the second.
  void Build() {
    const int n = tree_.vertexCount();
    // Adjacent pairs: the EGM and SVGM elements, which the PGM and DVGM ones repeat.
    for (int v = 1; v <= n; ++v) {
      const int p = tree_.parent[v];
      if (p == 0) continue;
      evaluator_.TakeAway(v, kEdgeForest);
      ForEachEdgeAt(v, p, [this](int owner) { evaluator_.TakeAway(owner, kVertexForest); });
      const auto [withoutEdge, withoutEnds] = evaluator_.EvaluateBoth();
      evaluator_.PutBack(v, kEdgeForest);
      ForEachEdgeAt(v, p, [this](int owner) { evaluator_.PutBack(owner, kVertexForest); });
      Store(MatrixType::EGM, v, p, withoutEdge);
      Store(MatrixType::PGM, v, p, withoutEdge);
      Store(MatrixType::SVGM, v, p, withoutEnds);
      Store(MatrixType::DVGM, v, p, withoutEnds);
    }
    if (!Wanted(MatrixType::PGM) && !Wanted(MatrixType::DVGM)) return;
    for (int i = 1; i <= n; ++i) {
      for (int j = i + 1; j <= n; ++j) {
        if (tree_.EdgeOwner(i, j) != 0) continue;
        ForEachPathEdge(i, j, [this](int owner) { evaluator_.TakeAway(owner, kEdgeForest); });
        ForEachEdgeAt(i, j, [this](int owner) { evaluator_.TakeAway(owner, kVertexForest); });
        const auto [withoutPath, withoutEnds] = evaluator_.EvaluateBoth();
        ForEachPathEdge(i, j, [this](int owner) { evaluator_.PutBack(owner, kEdgeForest); });
        ForEachEdgeAt(i, j, [this](int owner) { evaluator_.PutBack(owner, kVertexForest); });
        Store(MatrixType::PGM, i, j, withoutPath);
        Store(MatrixType::DVGM, i, j, withoutEnds);
      }
    }
  }

 private:
  static constexpr int kEdgeForest = 0;    // EGM and PGM elements
  static constexpr int kVertexForest = 1;  // SVGM and DVGM elements

  bool Wanted(MatrixType type) const { return matrices_.types[static_cast<int>(type)].size() != 0; }

  // Stores element (i, j) = (j, i) of `type`, when asked for.
  void Store(MatrixType type, int i, int j, const SubgraphValues& values) {
    TypeMatrices& matrices = matrices_.types[static_cast<int>(type)];
    if (matrices.size() != 0) matrices.SetElement(i, j, values);
  }

  // The path i..j: climb from the deeper end until the two meet.
  template <typename Action>
  void ForEachPathEdge(int i, int j, Action action) const {
    while (i != j) {
      if (tree_.depth[i] < tree_.depth[j]) std::swap(i, j);
      action(i);
      i = tree_.parent[i];
    }
  }

  // Every edge at i or at j: the edge up (the root owns none) and those to the children.
  template <typename Action>
  void ForEachEdgeAt(int i, int j, Action action) const {
    for (const int v : {i, j}) {
      action(v);
      for (const int child : tree_.ChildrenOf(v))
        action(child);
    }
  }

  const RootedTree& tree_;
  ForestEvaluator evaluator_;
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
