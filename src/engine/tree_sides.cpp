#include "engine/tree_sides.hpp"

#include <algorithm>

#include "engine/randic_term.hpp"

namespace korvelant {

template <typename Count>
BasicTreeSides<Count>::BasicTreeSides() : randicTerm_(RandicTermTable()) {}

template <typename Count>
BasicTreeSides<Count>::BasicTreeSides(const RootedTree& tree) : BasicTreeSides() {
  Compute(tree);
}

template <typename Count>
void BasicTreeSides<Count>::Compute(const RootedTree& tree) {
  const int n = tree.vertexCount();
  const int root = tree.order.front();
  start_.resize(static_cast<std::size_t>(n) + 2);
  placeInParent_.resize(static_cast<std::size_t>(n) + 1);
  neighbour_.resize(2 * static_cast<std::size_t>(n - 1));
  // The vertices before v have their children (childStart[v] of them) and, but for the
  // root, a parent each.
  for (int v = 1; v <= n; ++v) {
    const int first = tree.childStart[v] + (v - 1) - (root < v ? 1 : 0);
    start_[v] = first;
    int at = first;
    if (v != root) neighbour_[at++] = tree.parent[v];
    for (const int child : tree.ChildrenOf(v)) {
      placeInParent_[child] = at - first;
      neighbour_[at++] = child;
    }
  }
  start_[n + 1] = static_cast<int>(neighbour_.size());
  placeInParent_[root] = -1;
  side_.resize(neighbour_.size());
  share_.resize(neighbour_.size());
  total_.resize(static_cast<std::size_t>(n) + 1);
  before_.resize(neighbour_.size());
  after_.resize(neighbour_.size());
  stepAbove_.resize(static_cast<std::size_t>(n) + 1);
  SidesBelow(tree);
  SidesAbove(tree);
}

// Inline: called once for each side, in the loops over all of them. It writes the share in
// place: an Around built on the stack field by field and then copied whole makes the
// processor wait for each field's store before it can load the pairs of fields it copies.
template <typename Count>
inline void BasicTreeSides<Count>::Contribute(int v, int k) {
  const TreeSide& side = Side(v, k);
  const int degree = Degree(v);
  const int degreeThere = Degree(Neighbour(v, k));
  Around& one = share_[start_[v] + k];
  one.size = side.size;
  one.reach = side.distanceSum + side.size;
  one.wiener = side.wiener;
  one.reachTimesSize = one.reach * side.size;
  one.zagreb = side.zagreb;
  one.randicTicks = side.randicTicks;
  one.degreeSum = degreeThere;
  for (int lost = 0; lost < 3; ++lost)
    one.randicTerms[lost] = Term(std::int64_t{std::max(0, degree - lost)} * degreeThere);
  one.zagrebAlone = side.zagrebAlone;
  one.randicTicksAlone = side.randicTicksAlone;
}

// The sides of x's neighbours hang from x by one edge each: the distances from x to a
// side's vertices are its distances from its top plus one, and a pair from two sides meets
// at x. W = sum of W(side) + sum over vertices of the distances to x + sum over ordered
// pairs of sides of reach(a) size(b) = sum W + size * sum reach - sum reach * size.
template <typename Count>
typename BasicTreeSides<Count>::BranchValues BasicTreeSides<Count>::Finish(int v,
                                                                           const Around& part,
                                                                           int lost) const {
  BranchValues branch;
  branch.size = 1 + part.size;
  branch.distanceSum = part.reach;
  branch.wiener = part.wiener + branch.size * part.reach - part.reachTimesSize;
  branch.zagreb = part.zagreb + (Degree(v) - lost) * part.degreeSum;
  branch.randicTicks = part.randicTicks + part.randicTerms[lost];
  return branch;
}

template <typename Count>
typename BasicTreeSides<Count>::PathStep BasicTreeSides<Count>::Between(
    int v, int j, int k, const RootedMatchings& matchings) const {
  Around part = total_[v];
  part -= Share(v, j);
  part -= Share(v, k);
  return StepOf(v, part, matchings);
}

template <typename Count>
typename BasicTreeSides<Count>::PathStep BasicTreeSides<Count>::Whole(
    int v, const RootedMatchings& matchings) const {
  return StepOf(v, total_[v], matchings);
}

template <typename Count>
typename BasicTreeSides<Count>::PathStep BasicTreeSides<Count>::StepOf(
    int v, const Around& part, const RootedMatchings& matchings) const {
  PathStep step;
  FillStep(v, part, matchings, step);
  return step;
}

template <typename Count>
inline void BasicTreeSides<Count>::FillStep(int v, const Around& part,
                                            const RootedMatchings& matchings,
                                            PathStep& step) const {
  step.wiener = Finish(v, part, 0).wiener;
  for (int lost = 0; lost < 3; ++lost) {
    step.zagreb[lost] = part.zagreb + (Degree(v) - lost) * part.degreeSum;
    step.randicTicks[lost] = part.randicTicks + part.randicTerms[lost];
  }
  step.matchings = matchings;
}

template <typename Count>
inline void BasicTreeSides<Count>::FillSide(int v, const Around& part,
                                            const RootedMatchings& matchings,
                                            TreeSide& side) const {
  const BranchValues kept = Finish(v, part, 0);
  const BranchValues alone = Finish(v, part, 1);
  side.size = kept.size;
  side.distanceSum = kept.distanceSum;
  side.wiener = kept.wiener;
  side.zagreb = kept.zagreb;
  side.randicTicks = kept.randicTicks;
  side.zagrebAlone = alone.zagreb;
  side.randicTicksAlone = alone.randicTicks;
  side.matchings = matchings.All();
  side.matchingsXFree = matchings.free;
}

// From the leaves up: the side below each edge is its lower end with the sides of its
// children, all found before, as are their shares in the sums around it.
template <typename Count>
void BasicTreeSides<Count>::SidesBelow(const RootedTree& tree) {
  for (auto at = tree.order.rbegin(); at != tree.order.rend(); ++at) {
    const int v = *at;
    const int p = tree.parent[v];
    if (p == 0) continue;
    TreeSide& side = side_[start_[p] + PlaceInParent(v)];
    if (Degree(v) == 1) {
      static const Around kNoSides;
      FillSide(v, kNoSides, RootedMatchings{}, side);
    } else {
      // From the first child's share: an Around made empty first is cleared by a string
      // instruction slower than the sums.
      Around part = Share(v, 1);
      RootedMatchings matchings = Joined(Side(v, 1));
      for (int k = 2; k < Degree(v); ++k) {
        part += Share(v, k);
        matchings = matchings * Joined(Side(v, k));
      }
      FillSide(v, part, matchings, side);
    }
    Contribute(p, PlaceInParent(v));
  }
}

// From the root down: once every side around a vertex is known, the side above each child
// is the vertex with all its sides but the child's, their sums less the child's terms and
// their matchings a prefix times a suffix product. Less the parent's side too, it is the
// step above the child (StepAbove), whose matchings are those of the sides between the
// parent's and the child's (a running product) times those after.
template <typename Count>
void BasicTreeSides<Count>::SidesAbove(const RootedTree& tree) {
  for (const int v : tree.order) {
    SumAround(v);
    const bool hasParent = placeInParent_[v] >= 0;
    RootedMatchings between;
    for (int k = hasParent ? 1 : 0; k < Degree(v); ++k) {
      Around part = total_[v];
      part -= Share(v, k);
      const int child = Neighbour(v, k);
      FillSide(v, part, before_[start_[v] + k] * after_[start_[v] + k], side_[start_[child]]);
      if (!hasParent) continue;
      part -= Share(v, 0);
      FillStep(v, part, between * MatchingsAfter(v, k), stepAbove_[child]);
      between = between * Joined(Side(v, k));
    }
  }
}

template <typename Count>
void BasicTreeSides<Count>::SumAround(int v) {
  const int d = Degree(v);
  Around total;
  RootedMatchings product;
  // The shares of the sides below are known; the side above is new.
  if (placeInParent_[v] >= 0) Contribute(v, 0);
  for (int k = 0; k < d; ++k) {
    total += share_[start_[v] + k];
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

template class BasicTreeSides<std::int64_t>;
template class BasicTreeSides<Int128>;
template class BasicTreeSides<NoCount>;
template class BasicTreeSides<mpz_class>;

}  // namespace korvelant
