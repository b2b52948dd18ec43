#include "engine/tree_sides.hpp"

#include <algorithm>

#include "engine/randic_term.hpp"

namespace korvelant {

TreeSides::TreeSides(const RootedTree& tree) : randicTerm_(RandicTermTable()) {
  const int n = tree.vertexCount();
  start_.assign(static_cast<std::size_t>(n) + 2, 0);
  placeInParent_.assign(static_cast<std::size_t>(n) + 1, -1);
  neighbour_.reserve(2 * static_cast<std::size_t>(n));
  for (int v = 1; v <= n; ++v) {
    start_[v] = static_cast<int>(neighbour_.size());
    const int p = tree.parent[v];
    if (p != 0) neighbour_.push_back(p);
    for (const int child : tree.ChildrenOf(v)) {
      placeInParent_[child] = static_cast<int>(neighbour_.size()) - start_[v];
      neighbour_.push_back(child);
    }
  }
  start_[n + 1] = static_cast<int>(neighbour_.size());
  side_.resize(neighbour_.size());
  total_.resize(static_cast<std::size_t>(n) + 1);
  before_.resize(neighbour_.size());
  after_.resize(neighbour_.size());
  SidesBelow(tree);
  SidesAbove(tree);
  pairStart_.assign(static_cast<std::size_t>(n) + 2, 0);
  for (int v = 1; v <= n; ++v)
    pairStart_[v + 1] = pairStart_[v] + Degree(v) * Degree(v);
  pairMatchings_.resize(static_cast<std::size_t>(pairStart_[n + 1]));
  for (int v = 1; v <= n; ++v)
    PairMatchings(v);
}

const TreeSide& TreeSides::SideFacing(int v, int k) const {
  const int w = Neighbour(v, k);
  const bool towardParent = k == 0 && placeInParent_[v] >= 0;
  return Side(w, towardParent ? PlaceInParent(v) : 0);
}

TreeSides::Around TreeSides::Contribution(int v, int k) const {
  const TreeSide& side = Side(v, k);
  const int degree = Degree(v);
  const int degreeThere = Degree(Neighbour(v, k));
  Around one;
  one.size = side.size;
  one.reach = side.distanceSum + side.size;
  one.wiener = side.wiener;
  one.reachTimesSize = one.reach * side.size;
  one.zagreb = side.zagreb;
  one.randicTicks = side.randicTicks;
  one.degreeSum = degreeThere;
  for (int lost = 0; lost < 3; ++lost)
    one.randicTerms[lost] = RandicTerm(std::max(0, degree - lost) * degreeThere);
  one.zagrebAlone = side.zagrebAlone;
  one.randicTicksAlone = side.randicTicksAlone;
  return one;
}

// The sides of x's neighbours hang from x by one edge each: the distances from x to a
// side's vertices are its distances from its top plus one, and a pair from two sides meets
// at x. W = sum of W(side) + sum over vertices of the distances to x + sum over ordered
// pairs of sides of reach(a) size(b) = sum W + size * sum reach - sum reach * size.
BranchValues TreeSides::Finish(int v, const Around& part, int lost) const {
  BranchValues branch;
  branch.size = 1 + part.size;
  branch.distanceSum = part.reach;
  branch.wiener = part.wiener + branch.size * part.reach - part.reachTimesSize;
  branch.zagreb = part.zagreb + (Degree(v) - lost) * part.degreeSum;
  branch.randicTicks = part.randicTicks + part.randicTerms[lost];
  return branch;
}

BranchValues TreeSides::Branch(int v, int skip, int alsoSkip, int lost) const {
  Around part = total_[v];
  part -= Contribution(v, skip);
  if (alsoSkip >= 0) part -= Contribution(v, alsoSkip);
  return Finish(v, part, lost);
}

TreeSide TreeSides::SideFrom(int v, const Around& part, RootedMatchings matchings) const {
  const BranchValues kept = Finish(v, part, 0);
  const BranchValues alone = Finish(v, part, 1);
  TreeSide side;
  side.size = kept.size;
  side.distanceSum = kept.distanceSum;
  side.wiener = kept.wiener;
  side.zagreb = kept.zagreb;
  side.randicTicks = kept.randicTicks;
  side.zagrebAlone = alone.zagreb;
  side.randicTicksAlone = alone.randicTicks;
  side.matchings = matchings.All();
  side.matchingsXFree = matchings.free;
  return side;
}

// From the leaves up: the side below each edge is its lower end with the sides of its
// children, all found before.
void TreeSides::SidesBelow(const RootedTree& tree) {
  for (auto at = tree.order.rbegin(); at != tree.order.rend(); ++at) {
    const int v = *at;
    const int p = tree.parent[v];
    if (p == 0) continue;
    Around part;
    RootedMatchings matchings;
    for (int k = 1; k < Degree(v); ++k) {
      part += Contribution(v, k);
      matchings = matchings * Joined(Side(v, k));
    }
    side_[start_[p] + PlaceInParent(v)] = SideFrom(v, part, matchings);
  }
}

// From the root down: once every side around a vertex is known, the side above each child
// is the vertex with all its sides but the child's, their sums less the child's terms and
// their matchings a prefix times a suffix product.
void TreeSides::SidesAbove(const RootedTree& tree) {
  for (const int v : tree.order) {
    SumAround(v);
    for (int k = placeInParent_[v] >= 0 ? 1 : 0; k < Degree(v); ++k) {
      Around part = total_[v];
      part -= Contribution(v, k);
      const int child = Neighbour(v, k);
      side_[start_[child]] = SideFrom(v, part, before_[start_[v] + k] * after_[start_[v] + k]);
    }
  }
}

void TreeSides::SumAround(int v) {
  const int d = Degree(v);
  Around total;
  RootedMatchings product;
  for (int k = 0; k < d; ++k) {
    total += Contribution(v, k);
    before_[start_[v] + k] = product;
    product = product * Joined(Side(v, k));
  }
  total_[v] = total;
  product = RootedMatchings{};
  for (int k = d - 1; k >= 0; --k) {
    after_[start_[v] + k] = product;
    product = product * Joined(Side(v, k));
  }
}

// All sides but j and k, for every j < k: the prefix before j, the sides between them (a
// running product as k moves on) and the suffix after k.
void TreeSides::PairMatchings(int v) {
  const int d = Degree(v);
  RootedMatchings* const block = pairMatchings_.data() + pairStart_[v];
  for (int j = 0; j < d; ++j) {
    RootedMatchings between;
    for (int k = j + 1; k < d; ++k) {
      const RootedMatchings without = before_[start_[v] + j] * between * after_[start_[v] + k];
      block[j * d + k] = block[k * d + j] = without;
      between = between * Joined(Side(v, k));
    }
  }
}

}  // namespace korvelant
