#pragma once

#include <array>
#include <cstdint>

#include "engine/rooted_tree.hpp"
#include "engine/subgraph_values.hpp"
#include "engine/tree_sides.hpp"

namespace korvelant {

// The engine's first way to the matrices, kept as the tests' independent reference and the
// benchmark's baseline: every element's forest evaluated by its own pass over the tree.
//
// A set of a tree's edges, one bit an edge: bit k stands for the edge from the vertex at
// breadth-first position k up to its parent. The root, at position 0, owns none, and 128
// bits hold the edges of the largest tree.
__extension__ using EdgeSet = unsigned __int128;
static_assert(kMaxFixedWidthVertices <= 128, "a set of edges has one bit a vertex");

// The forests of one tree, each named by the set of edges it keeps. Every element of a
// graphical matrix is such a forest, and its set is made from a few precomputed sets with no
// walk of the tree: the edges on a path, for instance, are those to the root from one end
// or from the other but not from both.
class ForestEvaluator {
 public:
  explicit ForestEvaluator(const RootedTree& tree);

  EdgeSet AllEdges() const { return all_; }
  // The edge {v, parent[v]}; none for the root.
  EdgeSet EdgeUpFrom(int v) const { return up_[v]; }
  // Every edge at v.
  EdgeSet EdgesAt(int v) const { return at_[v]; }
  // The edges on the path from v to the root.
  EdgeSet EdgesToRoot(int v) const { return toRoot_[v]; }

  SubgraphValues Evaluate(EdgeSet kept) const;
  // Two forests in one pass: their sums are independent chains of work that the processor
  // overlaps.
  std::array<SubgraphValues, 2> Evaluate(EdgeSet first, EdgeSet second) const;

 private:
  template <typename Count, typename Mask, int Forests>
  std::array<SubgraphValues, Forests> Pass(const std::array<EdgeSet, Forests>& kept) const;

  // The arrays have room for the largest tree, so that an evaluator costs no allocation;
  // only the first n entries (n + 1 by vertex number) are set.
  int n_;
  const std::int64_t* randicTerm_;                    // by degree product, RandicTermTicks
  std::array<int, kMaxFixedWidthVertices> parentAt_;  // by position: the parent's position
  EdgeSet all_ = 0;
  std::array<EdgeSet, kMaxFixedWidthVertices + 1> up_;  // by vertex number
  std::array<EdgeSet, kMaxFixedWidthVertices + 1> at_;
  std::array<EdgeSet, kMaxFixedWidthVertices + 1> toRoot_;
};

}  // namespace korvelant
