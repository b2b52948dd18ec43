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

  void Build() {
    const int n = tree_.vertexCount();
    // Adjacent pairs: the EGM and SVGM elements, which the PGM and DVGM ones repeat.
    for (int v = 1; v <= n; ++v) {
      const int p = tree_.parent[v];
      if (p == 0) continue;
      evaluator_.TakeAway(v);
      const SubgraphValues withoutEdge = evaluator_.Evaluate();
      evaluator_.PutBack(v);
      Store(MatrixType::EGM, v, p, withoutEdge);
      Store(MatrixType::PGM, v, p, withoutEdge);
      const SubgraphValues withoutEnds = WithoutEdgesAt(v, p);
      Store(MatrixType::SVGM, v, p, withoutEnds);
      Store(MatrixType::DVGM, v, p, withoutEnds);
    }
    const bool path = Wanted(MatrixType::PGM);
    const bool dense = Wanted(MatrixType::DVGM);
    for (int i = 1; i <= n; ++i) {
      for (int j = i + 1; j <= n; ++j) {
        if (tree_.EdgeOwner(i, j) != 0) continue;
        if (path) Store(MatrixType::PGM, i, j, WithoutPath(i, j));
        if (dense) Store(MatrixType::DVGM, i, j, WithoutEdgesAt(i, j));
      }
    }
  }

 private:
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

  SubgraphValues WithoutPath(int i, int j) {
    ForEachPathEdge(i, j, [this](int owner) { evaluator_.TakeAway(owner); });
    const SubgraphValues values = evaluator_.Evaluate();
    ForEachPathEdge(i, j, [this](int owner) { evaluator_.PutBack(owner); });
    return values;
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

  SubgraphValues WithoutEdgesAt(int i, int j) {
    ForEachEdgeAt(i, j, [this](int owner) { evaluator_.TakeAway(owner); });
    const SubgraphValues values = evaluator_.Evaluate();
    ForEachEdgeAt(i, j, [this](int owner) { evaluator_.PutBack(owner); });
    return values;
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
