#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "engine/randic_term.hpp"
#include "engine/rooted_tree.hpp"
#include "model/wide_integer.hpp"

namespace korvelant {

// The largest tree whose Hosoya counts, and their sums over a whole matrix in
// ten-thousandths, fit 128 bits: F(129) ~ 4.1e26 times 128^2 elements times 10^4 is below
// 7e34 < 2^127 ~ 1.7e38. Larger trees count them with GMP.
inline constexpr int kMaxFixedWidthVertices = 128;

// The largest tree whose Hosoya counts fit 64 bits at every step, where the engine counts
// them in std::int64_t. Every count it forms is a sum of at most 2 n^2 matchings counts of
// forests inside the tree (a product of counts is that of the disjoint union), each at most
// the path's F(n + 1): F(65) < 1.8e13 times 2 * 64^2 = 8192 is below 1.5e17 < 2^63 ~ 9.2e18.
inline constexpr int kMaxNarrowCountVertices = 64;

// One side of a tree edge {v, x}: the component of x when the edge is taken away, a tree
// hung from x. Every subgraph of a graphical matrix is a forest whose components are made of
// such sides, so their values, found for all 2(n - 1) sides in two passes, give each
// element in a few steps.
template <typename Count>
struct BasicTreeSide {
  std::int64_t size = 0;
  std::int64_t distanceSum = 0;  // the distances from x
  std::int64_t wiener = 0;       // the sum of the distances of all its pairs (Wiener 1947)
  // The sums over its edges of d(a) d(b) and of the rounded 1 / sqrt(d(a) d(b)): first with
  // the whole tree's degrees (x keeping the edge to v), then for the side alone (x with one
  // edge fewer). Zagreb: Gutman, Trinajstic 1972; Randic 1975.
  std::int64_t zagreb = 0;
  std::int64_t randicTicks = 0;
  std::int64_t zagrebAlone = 0;
  std::int64_t randicTicksAlone = 0;
  // Its matchings, the empty one included (Hosoya 1971), and those that leave x free.
  Count matchings = 1;
  Count matchingsXFree = 1;
};

// The matchings of a tree hung from a vertex x, counted as Free + Matched t in the ring of
// polynomials cut after t: joining a side s to x multiplies by (all of s) + (s with its top
// free) t, since x either stays free or takes the edge to the side's top.
template <typename Count>
struct BasicRootedMatchings {
  Count free = 1;
  Count matched = 0;

  Count All() const { return free + matched; }
  friend BasicRootedMatchings operator*(const BasicRootedMatchings& a,
                                        const BasicRootedMatchings& b) {
    return {a.free * b.free, a.free * b.matched + a.matched * b.free};
  }
};

// The count of a half-sum of trees too large for 128 bits, whose Hosoya sums come from
// engine/hosoya_sums.hpp: every step on it is none.
struct NoCount {
  constexpr NoCount(int = 0) {}  // NOLINT: stands for any count
  friend constexpr NoCount operator+(NoCount, NoCount) { return {}; }
  friend constexpr NoCount operator-(NoCount, NoCount) { return {}; }
  friend constexpr NoCount operator*(NoCount, NoCount) { return {}; }
  NoCount& operator+=(NoCount) { return *this; }
  NoCount& operator*=(NoCount) { return *this; }
  friend constexpr bool operator==(NoCount, NoCount) = default;
};

// The part of a subgraph around a vertex x on a path: x with the sides of all its
// neighbours but its two on the path. Its Zagreb and Randic sums depend on how many edges
// at x the subgraph takes away (index `lost`, 0 to 2), which lowers x's degree.
template <typename Count>
struct BasicPathStep {
  std::int64_t wiener = 0;
  std::array<std::int64_t, 3> zagreb{};
  std::array<std::int64_t, 3> randicTicks{};
  BasicRootedMatchings<Count> matchings;
};

// The sides of every edge of a tree and the sums around every vertex. Neighbours of a vertex
// are numbered from 0: the parent first, where there is one, then the children in the
// rooted tree's order. Count is the type of the Hosoya counts: std::int64_t or Int128 where
// they fit, GMP's
// past that, NoCount where they are not wanted.
template <typename Count>
class BasicTreeSides {
 public:
  using TreeSide = BasicTreeSide<Count>;
  using RootedMatchings = BasicRootedMatchings<Count>;
  using PathStep = BasicPathStep<Count>;

  explicit BasicTreeSides(const RootedTree& tree);
  // An instance to compute tree after tree, keeping its storage.
  BasicTreeSides();
  void Compute(const RootedTree& tree);

  int Degree(int v) const { return start_[v + 1] - start_[v]; }
  int Neighbour(int v, int k) const { return neighbour_[start_[v] + k]; }
  // The place of a child among its parent's neighbours.
  int PlaceInParent(int child) const { return placeInParent_[child]; }
  // The side of v's neighbour k, away from v.
  const TreeSide& Side(int v, int k) const { return side_[start_[v] + k]; }
  // The side of v away from its neighbour k.
  const TreeSide& SideFacing(int v, int k) const {
    const bool towardParent = k == 0 && placeInParent_[v] >= 0;
    return Side(Neighbour(v, k), towardParent ? PlaceInParent(v) : 0);
  }

  // Sums over all of v's sides: the Wiener indices and the values alone.
  std::int64_t WienerAround(int v) const { return total_[v].wiener; }
  std::int64_t ZagrebAloneAround(int v) const { return total_[v].zagrebAlone; }
  std::int64_t RandicTicksAloneAround(int v) const { return total_[v].randicTicksAlone; }
  // The sum of the distances from v to every vertex of the tree.
  std::int64_t DistanceSumFrom(int v) const { return total_[v].reach; }

  // v with the sides of all its neighbours but j and k (j != k), whose matchings the caller
  // has: the product of MatchingsBefore(v, j), the sides between j and k and
  // MatchingsAfter(v, k) when j < k.
  PathStep Between(int v, int j, int k, const RootedMatchings& matchings) const;
  // v with the sides of all its neighbours: the whole tree, seen from v, its Zagreb and
  // Randic sums for v's degree lowered by `lost`.
  PathStep Whole(int v, const RootedMatchings& matchings) const;
  // The parent p of c, a vertex with a grandparent: p with the sides of all its neighbours
  // but c and p's parent.
  const PathStep& StepAbove(int c) const { return stepAbove_[c]; }

  // Products of the matchings of v's sides before and after its neighbour k.
  const RootedMatchings& MatchingsBefore(int v, int k) const { return before_[start_[v] + k]; }
  const RootedMatchings& MatchingsAfter(int v, int k) const { return after_[start_[v] + k]; }
  // A side joined to the vertex it hangs from: the vertex stays free or takes the edge.
  static RootedMatchings Joined(const TreeSide& side) {
    return {side.matchings, side.matchingsXFree};
  }

 private:
  // Sums over all sides of a vertex, and the Randic terms of its edges for a degree lowered
  // by 0, 1 or 2.
  struct Around {
    std::int64_t size = 0;
    std::int64_t reach = 0;  // the sum of distanceSum + size: the distances from v
    std::int64_t wiener = 0;
    std::int64_t reachTimesSize = 0;
    std::int64_t zagreb = 0;
    std::int64_t randicTicks = 0;
    std::int64_t degreeSum = 0;
    std::array<std::int64_t, 3> randicTerms{};
    std::int64_t zagrebAlone = 0;
    std::int64_t randicTicksAlone = 0;

    Around& operator+=(const Around& other) {
      ForEachField(other, [](std::int64_t& field, std::int64_t value) { field += value; });
      return *this;
    }
    Around& operator-=(const Around& other) {
      ForEachField(other, [](std::int64_t& field, std::int64_t value) { field -= value; });
      return *this;
    }
    template <typename Apply>
    void ForEachField(const Around& other, Apply apply) {
      apply(size, other.size);
      apply(reach, other.reach);
      apply(wiener, other.wiener);
      apply(reachTimesSize, other.reachTimesSize);
      apply(zagreb, other.zagreb);
      apply(randicTicks, other.randicTicks);
      apply(degreeSum, other.degreeSum);
      for (std::size_t lost = 0; lost < randicTerms.size(); ++lost)
        apply(randicTerms[lost], other.randicTerms[lost]);
      apply(zagrebAlone, other.zagrebAlone);
      apply(randicTicksAlone, other.randicTicksAlone);
    }
  };

  struct BranchValues {
    std::int64_t size = 0;
    std::int64_t distanceSum = 0;
    std::int64_t wiener = 0;
    std::int64_t zagreb = 0;
    std::int64_t randicTicks = 0;
  };

  void SidesBelow(const RootedTree& tree);
  void SidesAbove(const RootedTree& tree);
  void SumAround(int v);
  // Finds Share(v, k): what the side of v's neighbour k adds to the sums around v.
  void Contribute(int v, int k);
  const Around& Share(int v, int k) const { return share_[start_[v] + k]; }
  BranchValues Finish(int v, const Around& part, int lost) const;
  PathStep StepOf(int v, const Around& part, const RootedMatchings& matchings) const;
  // Like Contribute, these write in place what the loops over all sides keep.
  void FillStep(int v, const Around& part, const RootedMatchings& matchings, PathStep& step) const;
  void FillSide(int v, const Around& part, const RootedMatchings& matchings, TreeSide& side) const;
  std::int64_t Term(std::int64_t product) const { return RandicTerm(randicTerm_, product); }

  const std::int64_t* randicTerm_;
  std::vector<int> start_;
  std::vector<int> neighbour_;
  std::vector<int> placeInParent_;
  std::vector<TreeSide> side_;
  std::vector<Around> share_;  // Share(v, k), once the side is known
  std::vector<Around> total_;
  std::vector<RootedMatchings> before_;
  std::vector<RootedMatchings> after_;
  std::vector<PathStep> stepAbove_;
};

extern template class BasicTreeSides<std::int64_t>;
extern template class BasicTreeSides<Int128>;
extern template class BasicTreeSides<NoCount>;
extern template class BasicTreeSides<mpz_class>;

// The fixed-width counts, where the tree is small enough for them.
using TreeSide = BasicTreeSide<Int128>;
using RootedMatchings = BasicRootedMatchings<Int128>;
using PathStep = BasicPathStep<Int128>;
using TreeSides = BasicTreeSides<Int128>;

}  // namespace korvelant
