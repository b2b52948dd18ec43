#include "engine/element_builder.hpp"

#include <cstdint>
#include <vector>

#include "engine/randic_term.hpp"
#include "engine/tree_sides.hpp"

namespace korvelant {
namespace {

// The matchings of a path of vertices, each with its branch off the path, counted as the
// path grows at one end: all of them, and those that leave the newest vertex free. A new
// vertex with branch (free F, all H) is free or takes the edge back to the last one:
// all' = all H + lastFree F, lastFree' = all F.
struct ChainMatchings {
  Int128 all = 1;
  Int128 lastFree = 0;  // an empty chain has no vertex to take an edge

  ChainMatchings Then(const RootedMatchings& branch) const {
    return {all * branch.All() + lastFree * branch.free, all * branch.free};
  }
  // Two chains joined by an edge between their newest vertices.
  Int128 JoinedTo(const ChainMatchings& other) const {
    return all * other.all + lastFree * other.lastFree;
  }
};

// What is known of the path from a vertex u up to one of its ancestors a.
struct PathEnd {
  // The PGM components of u and of the vertices strictly between u and a.
  SubgraphValues pathComponents;
  // The vertices strictly between u and a as part of a DVGM middle component: the Zagreb and
  // Randic sums of their branches and of the path edges among them, the first one's degree
  // lowered for its edge to u, and the chain of their matchings.
  std::int64_t middleZagreb = 0;
  std::int64_t middleRandicTicks = 0;
  ChainMatchings middle;
};

void AddUp(SubgraphValues& sum, const SubgraphValues& part) {
  sum.wiener += part.wiener;
  sum.zagreb += part.zagreb;
  sum.randicTicks += part.randicTicks;
  sum.hosoya *= part.hosoya;
}

SubgraphValues AloneValues(const TreeSide& side) {
  return {side.wiener, side.randicTicksAlone, side.zagrebAlone, side.matchings};
}

SubgraphValues BranchValuesOf(const BranchValues& branch, Int128 matchings) {
  return {branch.wiener, branch.randicTicks, branch.zagreb, matchings};
}

class ElementBuilder {
 public:
  ElementBuilder(const RootedTree& tree, GraphicalMatrices& matrices)
      : tree_(tree), sides_(tree), matrices_(matrices), randicTerm_(RandicTermTable()) {
    const int n = tree.vertexCount();
    endStart_.assign(static_cast<std::size_t>(n) + 2, 0);
    for (int v = 1; v <= n; ++v)
      endStart_[v + 1] = endStart_[v] + tree.depth[v];
    ends_.resize(static_cast<std::size_t>(endStart_[n + 1]));
    Preorder();
  }

  void Build() {
    for (int u = 1; u <= tree_.vertexCount(); ++u) {
      if (tree_.parent[u] != 0) Climb(u);
    }
    if (!Wanted(MatrixType::PGM) && !Wanted(MatrixType::DVGM)) return;
    for (int a = 1; a <= tree_.vertexCount(); ++a)
      PairsMeetingAt(a);
  }

 private:
  // Vertices in depth-first order, so that each subtree is a run of them.
  void Preorder() {
    const int n = tree_.vertexCount();
    preorder_.reserve(static_cast<std::size_t>(n));
    subtreeEnd_.assign(static_cast<std::size_t>(n) + 1, 0);
    subtreeStart_.assign(static_cast<std::size_t>(n) + 1, 0);
    std::vector<int> stack = {tree_.order.front()};
    while (!stack.empty()) {
      const int v = stack.back();
      stack.pop_back();
      subtreeStart_[v] = static_cast<int>(preorder_.size());
      preorder_.push_back(v);
      const auto children = tree_.ChildrenOf(v);
      for (auto child = children.rbegin(); child != children.rend(); ++child)
        stack.push_back(*child);
    }
    for (auto at = preorder_.rbegin(); at != preorder_.rend(); ++at) {
      const int v = *at;
      int end = subtreeStart_[v] + 1;
      for (const int child : tree_.ChildrenOf(v))
        end = std::max(end, subtreeEnd_[child]);
      subtreeEnd_[v] = end;
    }
  }

  PathEnd& End(int u, int ancestor) { return ends_[endStart_[u] + tree_.depth[ancestor]]; }

  bool Wanted(MatrixType type) const { return matrices_.types[static_cast<int>(type)].size() != 0; }

  void Store(MatrixType type, int i, int j, const SubgraphValues& values) {
    TypeMatrices& matrices = matrices_.types[static_cast<int>(type)];
    if (matrices.size() != 0) matrices.SetElement(i, j, values);
  }

  // An edge kept in a component, with the degrees its ends have there.
  void AddEdge(std::int64_t& zagreb, std::int64_t& randicTicks, int degree, int otherDegree) const {
    zagreb += std::int64_t{degree} * otherDegree;
    randicTicks += randicTerm_[degree * otherDegree];
  }

  // Where a DVGM subgraph takes away every edge at v: v alone, and the sides of v's
  // neighbours but the one at place k, toward the other end.
  SubgraphValues OuterSides(int v, int k) const {
    const TreeSide& toward = sides_.Side(v, k);
    return {sides_.WienerAround(v) - toward.wiener,
            sides_.RandicTicksAloneAround(v) - toward.randicTicksAlone,
            sides_.ZagrebAloneAround(v) - toward.zagrebAlone,
            sides_.SideFacing(v, k).matchingsXFree};
  }

  // The Wiener index of the middle component M of a DVGM element (i, j) at distance k >= 2,
  // from sides alone. X, the side of i's path neighbour away from i, is M and Y (the side of
  // j away from j's path neighbour q) joined by the edge q-j, so W(X) = W(M) + W(Y) + the
  // distances between M and Y, which pass through q and j: |Y| D_M(q) + |M||Y| + |M| D_Y(j).
  // D_M(q) is q's distance sum over the tree less those to Y and to A, the side of i away
  // from X, whose vertices lie k - 1 beyond i.
  std::int64_t MiddleWiener(int i, int ki, int j, int kj, int q, int k) const {
    const TreeSide& x = sides_.Side(i, ki);
    const TreeSide& a = sides_.SideFacing(i, ki);
    const TreeSide& y = sides_.SideFacing(j, kj);
    const std::int64_t middleSize = x.size - y.size;
    const std::int64_t middleDistancesFromQ =
        sides_.DistanceSumFrom(q) - ((k - 1) * a.size + a.distanceSum) - (y.size + y.distanceSum);
    const std::int64_t between =
        y.size * middleDistancesFromQ + middleSize * y.size + middleSize * y.distanceSum;
    return x.wiener - y.wiener - between;
  }

  // A DVGM element of vertices not joined: the middle component, then both ends' sides.
  SubgraphValues DenseVertexElement(std::int64_t middleWiener, std::int64_t middleZagreb,
                                    std::int64_t middleRandicTicks, Int128 middleMatchings,
                                    const SubgraphValues& iSides,
                                    const SubgraphValues& jSides) const {
    SubgraphValues values{middleWiener, middleRandicTicks, middleZagreb, middleMatchings};
    AddUp(values, iSides);
    AddUp(values, jSides);
    return values;
  }

  void StoreAdjacent(int u, int p) {
    const int place = sides_.PlaceInParent(u);
    SubgraphValues withoutEdge = AloneValues(sides_.Side(p, place));
    AddUp(withoutEdge, AloneValues(sides_.Side(u, 0)));
    Store(MatrixType::EGM, u, p, withoutEdge);
    Store(MatrixType::PGM, u, p, withoutEdge);
    SubgraphValues withoutEnds = OuterSides(u, 0);
    AddUp(withoutEnds, OuterSides(p, place));
    Store(MatrixType::SVGM, u, p, withoutEnds);
    Store(MatrixType::DVGM, u, p, withoutEnds);
  }

  // Climbs from u to the root. At each ancestor `next` above the vertex `at` it stores the
  // PGM and DVGM elements (u, next), and it keeps the running values for the pairs whose
  // paths turn higher.
  void Climb(int u) {
    const int p = tree_.parent[u];
    PathEnd end;
    end.pathComponents = AloneValues(sides_.Side(p, sides_.PlaceInParent(u)));
    End(u, p) = end;
    StoreAdjacent(u, p);
    int previous = u;
    int at = p;
    for (int m = 1; tree_.parent[at] != 0; ++m) {  // m: edges from u to `at`
      const int next = tree_.parent[at];
      const int below = sides_.PlaceInParent(previous);  // among at's neighbours; 0 is next
      const RootedMatchings matchings = sides_.MatchingsWithout(at, 0, below);
      const bool firstInner = m == 1;
      // The edge previous-at inside the middle component, when previous is no end.
      const int previousDegree = sides_.Degree(previous) - (m == 2 ? 1 : 0);

      SubgraphValues path = end.pathComponents;
      AddUp(path, BranchValuesOf(sides_.Branch(at, 0, below, 2), matchings.All()));
      SubgraphValues withoutPath = path;
      AddUp(withoutPath, AloneValues(sides_.Side(at, 0)));
      Store(MatrixType::PGM, u, next, withoutPath);

      const BranchValues lastInner = sides_.Branch(at, 0, below, firstInner ? 2 : 1);
      std::int64_t zagreb = end.middleZagreb + lastInner.zagreb;
      std::int64_t randic = end.middleRandicTicks + lastInner.randicTicks;
      if (!firstInner) AddEdge(zagreb, randic, previousDegree, sides_.Degree(at) - 1);
      const ChainMatchings middle = end.middle.Then(matchings);
      Store(MatrixType::DVGM, u, next,
            DenseVertexElement(MiddleWiener(u, 0, next, sides_.PlaceInParent(at), at, m + 1),
                               zagreb, randic, middle.all, OuterSides(u, 0),
                               OuterSides(next, sides_.PlaceInParent(at))));

      const BranchValues inner = sides_.Branch(at, 0, below, firstInner ? 1 : 0);
      end.pathComponents = path;
      end.middleZagreb += inner.zagreb;
      end.middleRandicTicks += inner.randicTicks;
      if (!firstInner) {
        AddEdge(end.middleZagreb, end.middleRandicTicks, previousDegree, sides_.Degree(at));
      }
      end.middle = middle;
      End(u, next) = end;
      previous = at;
      at = next;
    }
  }

  // The pairs (i, j) with i and j below different children of a.
  void PairsMeetingAt(int a) {
    const auto children = tree_.ChildrenOf(a);
    for (std::size_t x = 0; x < children.size(); ++x) {
      for (std::size_t y = x + 1; y < children.size(); ++y)
        PairsThrough(a, children[x], children[y]);
    }
  }

  void PairsThrough(int a, int ci, int cj) {
    const int ki = sides_.PlaceInParent(ci);
    const int kj = sides_.PlaceInParent(cj);
    const RootedMatchings matchings = sides_.MatchingsWithout(a, ki, kj);
    const SubgraphValues turn = BranchValuesOf(sides_.Branch(a, ki, kj, 2), matchings.All());
    const BranchValues middleTurn[3] = {sides_.Branch(a, ki, kj, 0), sides_.Branch(a, ki, kj, 1),
                                        sides_.Branch(a, ki, kj, 2)};
    for (int at = subtreeStart_[ci]; at < subtreeEnd_[ci]; ++at) {
      const int i = preorder_[at];
      const PathEnd& fromI = End(i, a);
      SubgraphValues path = fromI.pathComponents;
      AddUp(path, turn);
      const ChainMatchings throughA = fromI.middle.Then(matchings);
      const SubgraphValues iSides = OuterSides(i, 0);
      for (int bt = subtreeStart_[cj]; bt < subtreeEnd_[cj]; ++bt) {
        const int j = preorder_[bt];
        const PathEnd& fromJ = End(j, a);
        SubgraphValues withoutPath = path;
        AddUp(withoutPath, fromJ.pathComponents);
        Store(MatrixType::PGM, i, j, withoutPath);

        const int lost = (i == ci ? 1 : 0) + (j == cj ? 1 : 0);
        const int degreeOfA = sides_.Degree(a) - lost;
        std::int64_t zagreb = fromI.middleZagreb + fromJ.middleZagreb + middleTurn[lost].zagreb;
        std::int64_t randic =
            fromI.middleRandicTicks + fromJ.middleRandicTicks + middleTurn[lost].randicTicks;
        if (i != ci) AddEdge(zagreb, randic, degreeOfA, InnerDegree(ci, i));
        if (j != cj) AddEdge(zagreb, randic, degreeOfA, InnerDegree(cj, j));
        const int distance = tree_.depth[i] + tree_.depth[j] - 2 * tree_.depth[a];
        Store(
            MatrixType::DVGM, i, j,
            DenseVertexElement(MiddleWiener(i, 0, j, 0, tree_.parent[j], distance), zagreb, randic,
                               throughA.JoinedTo(fromJ.middle), iSides, OuterSides(j, 0)));
      }
    }
  }

  // The degree of the path's inner vertex c in the middle component of a pair with end v.
  int InnerDegree(int c, int v) const { return sides_.Degree(c) - (tree_.parent[v] == c ? 1 : 0); }

  const RootedTree& tree_;
  TreeSides sides_;
  GraphicalMatrices& matrices_;
  const std::int64_t* randicTerm_;
  // The PathEnd of u and its ancestor at depth t is at endStart_[u] + t.
  std::vector<int> endStart_;
  std::vector<PathEnd> ends_;
  std::vector<int> preorder_;
  std::vector<int> subtreeStart_;  // the run of v's subtree in preorder_
  std::vector<int> subtreeEnd_;
};

}  // namespace

void BuildElements(const RootedTree& tree, GraphicalMatrices& matrices) {
  ElementBuilder(tree, matrices).Build();
}

}  // namespace korvelant
