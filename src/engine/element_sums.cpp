#include "engine/element_sums.hpp"

#include <vector>

#include "engine/hosoya_sums.hpp"
#include "engine/randic_term.hpp"
#include "engine/subgraph_parts.hpp"
#include "engine/tree_sides.hpp"

namespace korvelant {
namespace {

constexpr long kScale = ExactDecimal::kScale;

// Its storage serves tree after tree, as the element builder's does. Int holds the Wiener,
// Zagreb and Randic sums: 64 bits while they stay below 2^63 (their largest terms are a
// count of ends times a sum of Wiener indices, below n^5, so up to 5,000 vertices), 128 bits
// up to 100,000 vertices (n^5 times a small factor, below 10^27). Count holds the Hosoya
// sums: std::int64_t up to kMaxNarrowCountVertices, Int128 up to 128 vertices, NoCount past
// that (engine/hosoya_sums.hpp counts them).
template <typename Int, typename Count>
class ElementSums {
  using RootedMatchings = BasicRootedMatchings<Count>;
  using PathStep = BasicPathStep<Count>;
  using TreeSide = BasicTreeSide<Count>;
  using SubgraphValues = BasicSubgraphValues<Count>;

  // The sum over unordered pairs of one matrix type's elements, each index apart.
  // Int holds the Wiener, Zagreb and Randic sums, Count the Hosoya sums.
  struct PairSums {
    Int wiener = 0;
    Int randicTicks = 0;
    Int zagreb = 0;
    Count hosoya = 0;

    void Add(const SubgraphValues& element) {
      wiener += element.wiener;
      randicTicks += element.randicTicks;
      zagreb += element.zagreb;
      hosoya += element.hosoya;
    }
  };

  // The values of the pair ends i below one vertex c, added up over c's subtree, for pairs
  // whose path climbs from i through c to c's parent a and beyond (End(i, a) in the element
  // builder). The ends fall in three classes: c itself, c's children, and deeper ones.
  struct EndsBelow {
    Int count = 0;
    Int children = 0;
    // PGM: the components of i and of the vertices strictly between i and a.
    Int pathWiener = 0;
    Int pathZagreb = 0;
    Int pathRandicTicks = 0;
    Count pathMatchings = 0;
    // DVGM: the middle component's part strictly between i and a, and its matchings chain
    // times the matchings of i's sides away from the path.
    Int middleZagreb = 0;
    Int middleRandicTicks = 0;
    Count chainAll = 0;
    Count chainLastFree = 0;
    // DVGM: i alone with the sides of its children.
    Int outerWiener = 0;
    Int outerZagreb = 0;
    Int outerRandicTicks = 0;
    // Of i's subtree (size s, distance sum D, Wiener) and the side above i, for the middle
    // component's Wiener index; P is the distance sum of i's parent over the tree.
    Int size = 0;
    Int sizeTimesDepth = 0;
    Int distanceSum = 0;
    Int wienerAbove = 0;
    Int wienerBelow = 0;
    Int sizeTimesParentDistances = 0;
    Int sizeSquared = 0;
    Int sizeTimesDistanceSum = 0;

    Int Deeper() const { return count - 1 - children; }

    EndsBelow& operator+=(const EndsBelow& o) {
      count += o.count;
      children += o.children;
      pathWiener += o.pathWiener;
      pathZagreb += o.pathZagreb;
      pathRandicTicks += o.pathRandicTicks;
      pathMatchings += o.pathMatchings;
      middleZagreb += o.middleZagreb;
      middleRandicTicks += o.middleRandicTicks;
      chainAll += o.chainAll;
      chainLastFree += o.chainLastFree;
      outerWiener += o.outerWiener;
      outerZagreb += o.outerZagreb;
      outerRandicTicks += o.outerRandicTicks;
      size += o.size;
      sizeTimesDepth += o.sizeTimesDepth;
      distanceSum += o.distanceSum;
      wienerAbove += o.wienerAbove;
      wienerBelow += o.wienerBelow;
      sizeTimesParentDistances += o.sizeTimesParentDistances;
      sizeSquared += o.sizeSquared;
      sizeTimesDistanceSum += o.sizeTimesDistanceSum;
      return *this;
    }
  };

  static RootedMatchings Scaled(const RootedMatchings& m, const Count& factor) {
    return {m.free * factor, m.matched * factor};
  }
  static RootedMatchings Plus(const RootedMatchings& a, const RootedMatchings& b) {
    return {a.free + b.free, a.matched + b.matched};
  }

 public:
  std::array<ExactDecimal, 16> Compute(const RootedTree& tree) {
    tree_ = &tree;
    sides_.Compute(tree);
    egm_ = pgm_ = svgm_ = dvgm_ = PairSums{};
    below_.resize(static_cast<std::size_t>(n()) + 1);
    outerAbove_.resize(static_cast<std::size_t>(n()) + 1);
    // One pass for the edges and the ends below each vertex, each side used while at hand.
    for (auto at = tree_->order.rbegin(); at != tree_->order.rend(); ++at) {
      const int v = *at;
      if (tree_->parent[v] == 0) continue;
      SubgraphValues outerBelow;
      FindOuterSides(sides_, v, 0, Subtree(v), outerBelow);
      FindOuterSides(sides_, tree_->parent[v], sides_.PlaceInParent(v), sides_.Side(v, 0),
                     outerAbove_[v]);
      AdjacentPair(v, outerBelow, outerAbove_[v]);
      below_[v] = EndsOf(v, outerBelow);
    }
    for (int v = 1; v <= n(); ++v) {
      if (tree_->parent[v] != 0) PairsUpTo(v);
      if (tree_->ChildrenOf(v).size() >= 2) PairsTurningAt(v);
    }
    std::array<ExactDecimal, 16> result;
    const PairSums* const types[] = {&egm_, &pgm_, &svgm_, &dvgm_};
    for (int type = 0; type < 4; ++type) {
      // Each unordered pair stands for two elements.
      result[4 * type + 0] = ExactDecimal::FromTicks(2 * Int128{types[type]->wiener} * kScale);
      result[4 * type + 1] = ExactDecimal::FromTicks(2 * Int128{types[type]->randicTicks});
      result[4 * type + 2] = ExactDecimal::FromTicks(2 * Int128{types[type]->zagreb} * kScale);
      result[4 * type + 3] = ExactDecimal::FromTicks(HosoyaTicks(types[type]->hosoya));
    }
    return result;
  }

 private:
  static ExactInteger HosoyaTicks(Int128 hosoya) { return 2 * hosoya * kScale; }
  static ExactInteger HosoyaTicks(NoCount) { return 0; }

  int n() const { return tree_->vertexCount(); }
  int Degree(int v) const { return sides_.Degree(v); }
  Int Term(Int product) const { return RandicTerm(randicTerm_, product); }
  const TreeSide& Subtree(int v) const {
    return sides_.Side(tree_->parent[v], sides_.PlaceInParent(v));
  }

  // The edge from u up: its sides, and the sides around it (u's outer sides, below, and
  // its parent's away from u, above).
  void AdjacentPair(int u, const SubgraphValues& outerBelow, const SubgraphValues& outerAbove) {
    SubgraphValues withoutEdge = AloneValues(Subtree(u));
    AddComponents(withoutEdge, AloneValues(sides_.Side(u, 0)));
    SubgraphValues withoutEnds = outerBelow;
    AddComponents(withoutEnds, outerAbove);
    egm_.Add(withoutEdge);
    pgm_.Add(withoutEdge);
    svgm_.Add(withoutEnds);
    dvgm_.Add(withoutEnds);
  }

  // c as an end, then the ends below each child d, carried one step up through c: c's
  // branch without d and a joins the path components, the middle part and its chain. An
  // end at d makes c the middle's first vertex (one edge fewer); an end below d has the
  // path edge d-c inside the middle, d with one edge fewer when the end is its child.
  EndsBelow EndsOf(int c, const SubgraphValues& outer) {
    EndsBelow ends = SingleEnd(c, outer);
    for (const int d : tree_->ChildrenOf(c)) {
      const EndsBelow& b = below_[d];
      const PathStep& step = sides_.StepAbove(d);
      EndsBelow up = b;
      up.children = 0;
      up.pathWiener += b.count * step.wiener;
      up.pathZagreb += b.count * step.zagreb[2];
      up.pathRandicTicks += b.count * step.randicTicks[2];
      up.pathMatchings = b.pathMatchings * step.matchings.All();
      const int dc = Degree(d);
      const int cc = Degree(c);
      up.middleZagreb += step.zagreb[1] + (b.count - 1) * step.zagreb[0] +
                         b.children * (dc - 1) * cc + b.Deeper() * dc * cc;
      up.middleRandicTicks += step.randicTicks[1] + (b.count - 1) * step.randicTicks[0] +
                              b.children * Term(std::int64_t{dc - 1} * cc) +
                              b.Deeper() * Term(std::int64_t{dc} * cc);
      up.chainAll = b.chainAll * step.matchings.All() + b.chainLastFree * step.matchings.free;
      up.chainLastFree = b.chainAll * step.matchings.free;
      ends += up;
      ends.children += 1;
    }
    return ends;
  }

  // c alone as an end; outer: c's sides away from its parent. Every field named: an
  // EndsBelow cleared first is cleared by a string instruction slower than these stores.
  EndsBelow SingleEnd(int c, const SubgraphValues& outer) const {
    const TreeSide& below = Subtree(c);
    const TreeSide& above = sides_.Side(c, 0);
    return {
        .count = 1,
        .children = 0,
        .pathWiener = below.wiener,
        .pathZagreb = below.zagrebAlone,
        .pathRandicTicks = below.randicTicksAlone,
        .pathMatchings = below.matchings,
        .middleZagreb = 0,
        .middleRandicTicks = 0,
        .chainAll = outer.hosoya,  // an empty chain: one way, no last vertex
        .chainLastFree = 0,
        .outerWiener = outer.wiener,
        .outerZagreb = outer.zagreb,
        .outerRandicTicks = outer.randicTicks,
        .size = below.size,
        .sizeTimesDepth = Int{below.size} * tree_->depth[c],
        .distanceSum = below.distanceSum,
        .wienerAbove = above.wiener,
        .wienerBelow = below.wiener,
        .sizeTimesParentDistances = Int{below.size} * sides_.DistanceSumFrom(tree_->parent[c]),
        .sizeSquared = Int{below.size} * below.size,
        .sizeTimesDistanceSum = Int{below.size} * below.distanceSum,
    };
  }

  // The pairs (u, g) with u below a child d of v and g v's parent: the path climbs from u
  // through d and v to g, its upper end.
  void PairsUpTo(int v) {
    const int g = tree_->parent[v];
    const TreeSide& aboveV = sides_.Side(v, 0);  // g's side away from v
    const SubgraphValues& gSides = outerAbove_[v];
    const int vLost = Degree(v) - 1;  // v's degree in the middle: its edge to g is gone
    const Int ys = aboveV.size;
    const Int yd = aboveV.distanceSum;
    for (const int d : tree_->ChildrenOf(v)) {
      const EndsBelow& b = below_[d];
      const PathStep& step = sides_.StepAbove(d);
      pgm_.wiener += b.pathWiener + b.count * (step.wiener + aboveV.wiener);
      pgm_.zagreb += b.pathZagreb + b.count * (step.zagreb[2] + aboveV.zagrebAlone);
      pgm_.randicTicks +=
          b.pathRandicTicks + b.count * (step.randicTicks[2] + aboveV.randicTicksAlone);
      pgm_.hosoya += b.pathMatchings * step.matchings.All() * aboveV.matchings;

      const int dd = Degree(d);
      dvgm_.zagreb += b.middleZagreb + step.zagreb[2] + (b.count - 1) * step.zagreb[1] +
                      b.children * (dd - 1) * vLost + b.Deeper() * dd * vLost + b.outerZagreb +
                      b.count * gSides.zagreb;
      dvgm_.randicTicks += b.middleRandicTicks + step.randicTicks[2] +
                           (b.count - 1) * step.randicTicks[1] +
                           b.children * Term(std::int64_t{dd - 1} * vLost) +
                           b.Deeper() * Term(std::int64_t{dd} * vLost) + b.outerRandicTicks +
                           b.count * gSides.randicTicks;
      dvgm_.hosoya += (b.chainAll * step.matchings.All() + b.chainLastFree * step.matchings.free) *
                      gSides.hosoya;
      // The middle's Wiener index (ElementBuilder::MiddleWiener) with X above u, A below u
      // and Y above v, k = depth(u) - depth(g), added up over u: it is linear in u's values.
      const Int kMinusOneTimesSize = b.sizeTimesDepth - (tree_->depth[g] + 1) * b.size;
      const Int middleDistances = b.count * sides_.DistanceSumFrom(v) - kMinusOneTimesSize -
                                  b.distanceSum - b.count * (ys + yd);
      const Int middleSizes = b.count * n() - b.size - b.count * ys;
      const Int between = ys * middleDistances + middleSizes * (ys + yd);
      dvgm_.wiener += b.wienerAbove - b.count * aboveV.wiener - between + b.outerWiener +
                      b.count * gSides.wiener;
    }
  }

  // What one child x of a turning vertex a brings to the pairs turning there besides its
  // ends: its side's terms in a's branch without two children.
  struct TurnTerms {
    Int wiener = 0;  // W(side) + n reach + D(a) size - 2 size reach
    Int size = 0;
    Int reach = 0;  // distance sum from a
    std::array<Int, 3> zagreb{};
    std::array<Int, 3> randicTicks{};
  };

  TurnTerms TermsOf(int a, int k) const {
    const TreeSide& side = sides_.Side(a, k);
    const int dx = Degree(sides_.Neighbour(a, k));
    TurnTerms terms;
    terms.size = side.size;
    terms.reach = side.distanceSum + side.size;
    terms.wiener = side.wiener + n() * terms.reach + sides_.DistanceSumFrom(a) * terms.size -
                   2 * terms.size * terms.reach;
    for (int lost = 0; lost < 3; ++lost) {
      terms.zagreb[lost] = side.zagreb + Int{Degree(a) - lost} * dx;
      terms.randicTicks[lost] = side.randicTicks + Term(std::int64_t{Degree(a) - lost} * dx);
    }
    return terms;
  }

  // The sums over earlier children x of their values, each as the pairs need it.
  struct EarlierChildren {
    EndsBelow ends;
    Int countTimesWiener = 0;
    Int countTimesSize = 0;
    Int countTimesReach = 0;
    // By class (the child itself, or below it) and lost edges at a.
    std::array<Int, 2> inClass{};
    std::array<std::array<Int, 3>, 2> inClassTimesZagreb{};
    std::array<std::array<Int, 3>, 2> inClassTimesRandic{};
    std::array<std::array<Int, 3>, 2> edgeZagreb{};
    std::array<std::array<Int, 3>, 2> edgeRandic{};
  };

  // The ends in each class and the path edges from a to the child they bring to the
  // middle: none for the child itself, one edge a-x for each deeper end.
  void ClassTerms(int a, int x, const EndsBelow& b, std::array<Int, 2>& inClass,
                  std::array<std::array<Int, 3>, 2>& edgeZagreb,
                  std::array<std::array<Int, 3>, 2>& edgeRandic) const {
    inClass = {1, b.count - 1};
    const int dx = Degree(x);
    for (int lost = 0; lost < 3; ++lost) {
      const int da = Degree(a) - lost;
      edgeZagreb[0][lost] = edgeRandic[0][lost] = 0;
      edgeZagreb[1][lost] = b.children * da * (dx - 1) + b.Deeper() * da * dx;
      edgeRandic[1][lost] =
          b.children * Term(std::int64_t{da} * (dx - 1)) + b.Deeper() * Term(std::int64_t{da} * dx);
    }
  }

  void PairsTurningAt(int a) {
    const PathStep whole = sides_.Whole(a, RootedMatchings{});
    EarlierChildren earlier;
    for (const int y : tree_->ChildrenOf(a)) {
      const EndsBelow& b = below_[y];
      const TurnTerms terms = TermsOf(a, sides_.PlaceInParent(y));
      std::array<Int, 2> inClass;
      std::array<std::array<Int, 3>, 2> edgeZagreb;
      std::array<std::array<Int, 3>, 2> edgeRandic;
      ClassTerms(a, y, b, inClass, edgeZagreb, edgeRandic);
      AddPathPairs(earlier, b, terms, whole);
      AddMiddlePairs(earlier, b, terms, whole, inClass, edgeZagreb, edgeRandic, a);

      earlier.ends += b;
      earlier.countTimesWiener += b.count * terms.wiener;
      earlier.countTimesSize += b.count * terms.size;
      earlier.countTimesReach += b.count * terms.reach;
      for (int c = 0; c < 2; ++c) {
        earlier.inClass[c] += inClass[c];
        for (int lost = 0; lost < 3; ++lost) {
          earlier.inClassTimesZagreb[c][lost] += inClass[c] * terms.zagreb[lost];
          earlier.inClassTimesRandic[c][lost] += inClass[c] * terms.randicTicks[lost];
          earlier.edgeZagreb[c][lost] += edgeZagreb[c][lost];
          earlier.edgeRandic[c][lost] += edgeRandic[c][lost];
        }
      }
    }
    AddTurnMatchings(a);
  }

  // PGM's Wiener, Zagreb and Randic sums of the pairs with one end below an earlier child x
  // and one below y: each end's part, plus a's branch without x and y, which is the whole
  // tree's value less x's and y's terms (and for Wiener the pairs across x and y).
  void AddPathPairs(const EarlierChildren& x, const EndsBelow& y, const TurnTerms& terms,
                    const PathStep& whole) {
    const Int pairs = x.ends.count * y.count;
    pgm_.wiener += x.ends.pathWiener * y.count + x.ends.count * y.pathWiener +
                   pairs * whole.wiener - x.countTimesWiener * y.count - pairs * terms.wiener +
                   x.countTimesSize * y.count * terms.reach +
                   x.countTimesReach * y.count * terms.size;
    pgm_.zagreb += x.ends.pathZagreb * y.count + x.ends.count * y.pathZagreb +
                   pairs * whole.zagreb[2] - x.inClassTimesZagreb[0][2] * y.count -
                   x.inClassTimesZagreb[1][2] * y.count - pairs * terms.zagreb[2];
    pgm_.randicTicks += x.ends.pathRandicTicks * y.count + x.ends.count * y.pathRandicTicks +
                        pairs * whole.randicTicks[2] - x.inClassTimesRandic[0][2] * y.count -
                        x.inClassTimesRandic[1][2] * y.count - pairs * terms.randicTicks[2];
  }

  // DVGM's Wiener, Zagreb and Randic sums of those pairs. a loses the edges to the ends
  // that are its children: `lost` follows the classes of both ends.
  void AddMiddlePairs(const EarlierChildren& x, const EndsBelow& y, const TurnTerms& terms,
                      const PathStep& whole, const std::array<Int, 2>& yClass,
                      const std::array<std::array<Int, 3>, 2>& yEdgeZagreb,
                      const std::array<std::array<Int, 3>, 2>& yEdgeRandic, int a) {
    const EndsBelow& i = x.ends;
    dvgm_.wiener += i.outerWiener * y.count + i.count * y.outerWiener;
    dvgm_.zagreb += i.outerZagreb * y.count + i.count * y.outerZagreb + i.middleZagreb * y.count +
                    i.count * y.middleZagreb;
    dvgm_.randicTicks += i.outerRandicTicks * y.count + i.count * y.outerRandicTicks +
                         i.middleRandicTicks * y.count + i.count * y.middleRandicTicks;
    for (int ci = 0; ci < 2; ++ci) {
      for (int cj = 0; cj < 2; ++cj) {
        const int lost = (ci == 0 ? 1 : 0) + (cj == 0 ? 1 : 0);
        const Int pairs = x.inClass[ci] * yClass[cj];
        dvgm_.zagreb += pairs * whole.zagreb[lost] - x.inClassTimesZagreb[ci][lost] * yClass[cj] -
                        pairs * terms.zagreb[lost] + x.edgeZagreb[ci][lost] * yClass[cj] +
                        x.inClass[ci] * yEdgeZagreb[cj][lost];
        dvgm_.randicTicks += pairs * whole.randicTicks[lost] -
                             x.inClassTimesRandic[ci][lost] * yClass[cj] -
                             pairs * terms.randicTicks[lost] + x.edgeRandic[ci][lost] * yClass[cj] +
                             x.inClass[ci] * yEdgeRandic[cj][lost];
      }
    }
    // The middle's Wiener index (ElementBuilder::MiddleWiener) with X above i, A below i
    // and Y below j, k - 1 = (depth i - depth a) + (depth j - depth a) - 1: a sum of
    // products of a value of i and a value of j.
    const Int depthA = tree_->depth[a];
    const Int kMinusOne = (i.sizeTimesDepth - depthA * i.size) * y.size +
                          i.size * (y.sizeTimesDepth - depthA * y.size) - i.size * y.size;
    const Int between = i.count * y.sizeTimesParentDistances - kMinusOne - i.distanceSum * y.size -
                        i.count * y.sizeSquared - i.count * y.sizeTimesDistanceSum +
                        i.count * n() * (y.size + y.distanceSum) -
                        i.size * (y.size + y.distanceSum) -
                        i.count * (y.sizeSquared + y.sizeTimesDistanceSum);
    dvgm_.wiener += y.count * i.wienerAbove - i.count * y.wienerBelow - between;
  }

  // The matchings parts of the pairs turning at a: PGM multiplies a's branch with both
  // ends' components; DVGM joins the chains from both ends through a. Each is a sum over
  // pairs of children x < y of alpha(x) beta(y) times the matchings of a with the sides of
  // all its neighbours but x and y: a running sum over earlier x, each times the sides
  // since, then times the suffix product after y.
  void AddTurnMatchings(int a) {
    const RootedMatchings none{0, 0};
    RootedMatchings earlierPath = none;
    RootedMatchings earlierAll = none;
    RootedMatchings earlierLastFree = none;
    RootedMatchings pathPairs = none;
    RootedMatchings allPairs = none;
    RootedMatchings oneFreePairs = none;
    const int firstChild = tree_->parent[a] == 0 ? 0 : 1;
    for (int k = 0; k < Degree(a); ++k) {
      const RootedMatchings side = BasicTreeSides<Count>::Joined(sides_.Side(a, k));
      if (k < firstChild) {
        continue;  // the parent's side, before any child: the running sums are still none
      }
      const EndsBelow& y = below_[sides_.Neighbour(a, k)];
      const RootedMatchings& after = sides_.MatchingsAfter(a, k);
      const RootedMatchings allAfter = earlierAll * after;
      pathPairs = Plus(pathPairs, Scaled(earlierPath * after, y.pathMatchings));
      allPairs = Plus(allPairs, Scaled(allAfter, y.chainAll));
      oneFreePairs = Plus(oneFreePairs, Plus(Scaled(allAfter, y.chainLastFree),
                                             Scaled(earlierLastFree * after, y.chainAll)));
      const RootedMatchings& before = sides_.MatchingsBefore(a, k);
      earlierPath = Plus(earlierPath * side, Scaled(before, y.pathMatchings));
      earlierAll = Plus(earlierAll * side, Scaled(before, y.chainAll));
      earlierLastFree = Plus(earlierLastFree * side, Scaled(before, y.chainLastFree));
    }
    pgm_.hosoya += pathPairs.All();
    dvgm_.hosoya += allPairs.All() + oneFreePairs.free;
  }

  const RootedTree* tree_ = nullptr;
  BasicTreeSides<Count> sides_;
  const std::int64_t* randicTerm_ = RandicTermTable();
  std::vector<EndsBelow> below_;
  std::vector<SubgraphValues> outerAbove_;  // v's parent's sides away from v
  PairSums egm_;
  PairSums pgm_;
  PairSums svgm_;
  PairSums dvgm_;
};

}  // namespace

std::array<ExactDecimal, 16> ComputeElementSums(const RootedTree& tree) {
  if (tree.vertexCount() <= kMaxNarrowCountVertices) {
    thread_local ElementSums<std::int64_t, std::int64_t> sums;
    return sums.Compute(tree);
  }
  if (tree.vertexCount() <= kMaxFixedWidthVertices) {
    thread_local ElementSums<std::int64_t, Int128> sums;
    return sums.Compute(tree);
  }
  // Wider sums, and the Hosoya sums apart: their digits grow with the tree.
  ElementSums<Int128, NoCount> sums;
  std::array<ExactDecimal, 16> result = sums.Compute(tree);
  const HosoyaSums hosoya = ComputeHosoyaSums(tree);
  const mpz_class* const pairSums[] = {&hosoya.egm, &hosoya.pgm, &hosoya.svgm, &hosoya.dvgm};
  for (int type = 0; type < 4; ++type) {
    result[4 * type + 3] =
        ExactDecimal::FromTicks(ExactInteger(mpz_class(2 * *pairSums[type] * kScale)));
  }
  return result;
}

}  // namespace korvelant
