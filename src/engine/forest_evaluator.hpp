#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "engine/rooted_tree.hpp"
#include "engine/subgraph_values.hpp"

namespace korvelant {

// The forests of one tree: edges are taken away and put back one at a time, each named by
// the vertex that owns it (the edge to its parent), and Evaluate reads the forest left. The
// degrees follow every change, so an evaluation is a single pass from the leaves up.
class ForestEvaluator {
 public:
  // Two forests are kept side by side, so that one pass evaluates both: their sums are
  // independent chains of work that the processor can overlap.
  static constexpr int kForests = 2;

  explicit ForestEvaluator(const RootedTree& tree);

  // Taking away an edge twice, or putting back one that is there, changes nothing; the root
  // owns no edge.
  void TakeAway(int owner, int forest = 0) {
    const int k = position_[owner];
    if (k == 0 || removed_[forest][k]) return;
    removed_[forest][k] = 1;
    --degree_[forest][k];
    --degree_[forest][parentAt_[k]];
  }
  void PutBack(int owner, int forest = 0) {
    const int k = position_[owner];
    if (!removed_[forest][k]) return;
    removed_[forest][k] = 0;
    ++degree_[forest][k];
    ++degree_[forest][parentAt_[k]];
  }

  // The first forest; both.
  SubgraphValues Evaluate() const;
  std::array<SubgraphValues, kForests> EvaluateBoth() const;

 private:
  // Evaluates the forests `first` to `first + Forests - 1`.
  template <typename Count, int Forests>
  std::array<SubgraphValues, Forests> Pass(int first) const;

  // Everything the pass reads is kept by breadth-first position (the root at 0), so the
  // pass walks its arrays in order instead of jumping by vertex number.
  // The arrays have room for the largest tree, so that an evaluator costs no allocation;
  // only the first n entries (n + 1 by vertex number) are set.
  using Removed = std::array<char, kMaxTreeVertices>;  // the edge up from here is taken away
  using Degrees = std::array<int, kMaxTreeVertices>;   // kept edges at this position
  const RootedTree& tree_;
  const std::int64_t* randicTerm_;                  // by degree product, RandicTermTicks
  std::array<int, kMaxTreeVertices + 1> position_;  // by vertex number
  std::array<int, kMaxTreeVertices> parentAt_;      // the parent's position; -1 for the root
  std::array<Removed, kForests> removed_;
  std::array<Degrees, kForests> degree_;
};

// 1 / sqrt(product) taken to the nearest ten-thousandth (halves to even), in ten-thousandths.
std::int64_t RandicTermTicks(int degreeProduct);

}  // namespace korvelant
