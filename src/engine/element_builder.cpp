#include "engine/element_builder.hpp"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "engine/randic_term.hpp"
#include "engine/subgraph_parts.hpp"
#include "engine/tree_sides.hpp"

namespace korvelant {
namespace {

// The matchings of a path of vertices, each with its branch off the path, counted as the
// path grows at one end: all of them, and those that leave the newest vertex free. A new
// vertex with branch (free F, all H) is free or takes the edge back to the last one:
// all' = all H + lastFree F, lastFree' = all F.
template <typename Count>
struct ChainMatchings {
  Count all = 1;
  Count lastFree = 0;  // an empty chain has no vertex to take an edge

  ChainMatchings Then(const BasicRootedMatchings<Count>& branch) const {
    return {all * branch.All() + lastFree * branch.free, all * branch.free};
  }
  // Two chains joined by an edge between their newest vertices.
  Count JoinedTo(const ChainMatchings& other) const {
    return all * other.all + lastFree * other.lastFree;
  }
};

// What is known of the path from a vertex u up to one of its ancestors a.
template <typename Count>
struct PathEnd {
  // The PGM components of u and of the vertices strictly between u and a.
  BasicSubgraphValues<Count> pathComponents;
  // The vertices strictly between u and a as part of a DVGM middle component: the Zagreb and
  // Randic sums of their branches and of the path edges among them, the first one's degree
  // lowered for its edge to u, and the chain of their matchings.
  std::int64_t middleZagreb = 0;
  std::int64_t middleRandicTicks = 0;
  ChainMatchings<Count> middle;
};

// A path step's component where the subgraph takes away both its path edges.
template <typename Count>
BasicSubgraphValues<Count> PathComponent(const BasicPathStep<Count>& step) {
  return {step.wiener, step.randicTicks[2], step.zagreb[2], step.matchings.All()};
}

// Its storage serves tree after tree: a batch of small trees would otherwise spend as
// much on allocations as on the elements. Count holds the Hosoya counts.
template <typename Count>
class ElementBuilder {
  using SubgraphValues = BasicSubgraphValues<Count>;
  using TreeSide = BasicTreeSide<Count>;
  using TreeSides = BasicTreeSides<Count>;
  using RootedMatchings = BasicRootedMatchings<Count>;
  using PathStep = BasicPathStep<Count>;
  using ChainMatchings = korvelant::ChainMatchings<Count>;
  using PathEnd = korvelant::PathEnd<Count>;

 public:
  void Build(const RootedTree& tree, GraphicalMatrices& matrices) {
    tree_ = &tree;
    matrices_ = &matrices;
    sides_.Compute(tree);
    Prepare();
    BuildAll();
  }

 private:
  void Prepare() {
    const RootedTree& tree = *tree_;
    const int n = tree.vertexCount();
    endStart_.assign(static_cast<std::size_t>(n) + 2, 0);
    for (int v = 1; v <= n; ++v)
      endStart_[v + 1] = endStart_[v] + tree.depth[v];
    ends_.resize(static_cast<std::size_t>(endStart_[n + 1]));
    outerBelow_.resize(static_cast<std::size_t>(n) + 1);
    outerAbove_.resize(static_cast<std::size_t>(n) + 1);
    subtree_.resize(static_cast<std::size_t>(n) + 1);
    parentDistanceSum_.resize(static_cast<std::size_t>(n) + 1);
    for (int v = 1; v <= n; ++v) {
      if (tree.parent[v] == 0) continue;
      subtree_[v] = &sides_.Side(tree.parent[v], sides_.PlaceInParent(v));
      parentDistanceSum_[v] = sides_.DistanceSumFrom(tree.parent[v]);
      outerBelow_[v] = OuterSides(sides_, v, 0);
      outerAbove_[v] = OuterSides(sides_, tree.parent[v], sides_.PlaceInParent(v));
    }
    Preorder();
  }

  void BuildAll() {
    const int n = tree_->vertexCount();
    for (const MatrixType type : {MatrixType::PGM, MatrixType::DVGM}) {
      if (Wanted(type)) matrices_->types[static_cast<int>(type)].NumberEveryPair();
    }
    for (int u = 1; u <= n; ++u) {
      if (tree_->parent[u] != 0) Climb(u);
    }
    if (Wanted(MatrixType::PGM) || Wanted(MatrixType::DVGM)) {
      for (int a = 1; a <= n; ++a)
        PairsMeetingAt(a);
    }
  }

  // Vertices in depth-first order, so that each subtree is a run of them.
  void Preorder() {
    const int n = tree_->vertexCount();
    preorder_.clear();
    subtreeEnd_.assign(static_cast<std::size_t>(n) + 1, 0);
    subtreeStart_.assign(static_cast<std::size_t>(n) + 1, 0);
    std::vector<int>& stack = stack_;
    stack.assign(1, tree_->order.front());
    while (!stack.empty()) {
      const int v = stack.back();
      stack.pop_back();
      subtreeStart_[v] = static_cast<int>(preorder_.size());
      preorder_.push_back(v);
      const auto children = tree_->ChildrenOf(v);
      for (auto child = children.rbegin(); child != children.rend(); ++child)
        stack.push_back(*child);
    }
    for (auto at = preorder_.rbegin(); at != preorder_.rend(); ++at) {
      const int v = *at;
      int end = subtreeStart_[v] + 1;
      for (const int child : tree_->ChildrenOf(v))
        end = std::max(end, subtreeEnd_[child]);
      subtreeEnd_[v] = end;
    }
  }

  PathEnd& End(int u, int ancestor) { return ends_[endStart_[u] + tree_->depth[ancestor]]; }

  bool Wanted(MatrixType type) const {
    return matrices_->types[static_cast<int>(type)].size() != 0;
  }

  void Store(MatrixType type, int i, int j, const SubgraphValues& values) {
    TypeMatrices& matrices = matrices_->types[static_cast<int>(type)];
    if (matrices.size() == 0) return;
    if (IsEdgeType(type)) {
      matrices.SetElement(i, j, values);  // one element per edge
    } else {
      matrices.SetPair(i, j, values);
    }
  }

  // An edge kept in a component, with the degrees its ends have there.
  void AddEdge(std::int64_t& zagreb, std::int64_t& randicTicks, int degree, int otherDegree) const {
    zagreb += std::int64_t{degree} * otherDegree;
    randicTicks += RandicTerm(randicTerm_, std::int64_t{degree} * otherDegree);
  }

  // The Wiener index of the middle component M of a DVGM element (i, j) at distance k >= 2,
  // from sides alone. X, the side of i's path neighbour away from i, is M and Y (the side of
  // j away from j's path neighbour q) joined by the edge q-j, so W(X) = W(M) + W(Y) + the
  // distances between M and Y, which pass through q and j: |Y| D_M(q) + |M||Y| + |M| D_Y(j).
  // D_M(q) is q's distance sum over the tree less those to Y and to A, the side of i away
  // from X, whose vertices lie k - 1 beyond i.
  // x, a, y: the sides X, A and Y; distancesFromQ: q's distance sum over the tree.
  static std::int64_t MiddleWiener(const TreeSide& x, const TreeSide& a, const TreeSide& y,
                                   std::int64_t distancesFromQ, int k) {
    const std::int64_t middleSize = x.size - y.size;
    const std::int64_t middleDistancesFromQ =
        distancesFromQ - ((k - 1) * a.size + a.distanceSum) - (y.size + y.distanceSum);
    const std::int64_t between =
        y.size * middleDistancesFromQ + middleSize * y.size + middleSize * y.distanceSum;
    return x.wiener - y.wiener - between;
  }

  // A DVGM element of vertices not joined: the middle component, then both ends' sides.
  SubgraphValues DenseVertexElement(std::int64_t middleWiener, std::int64_t middleZagreb,
                                    std::int64_t middleRandicTicks, const Count& middleMatchings,
                                    const SubgraphValues& iSides,
                                    const SubgraphValues& jSides) const {
    SubgraphValues values{middleWiener, middleRandicTicks, middleZagreb, middleMatchings};
    AddComponents(values, iSides);
    AddComponents(values, jSides);
    return values;
  }

  void StoreAdjacent(int u, int p) {
    const int place = sides_.PlaceInParent(u);
    SubgraphValues withoutEdge = AloneValues(sides_.Side(p, place));
    AddComponents(withoutEdge, AloneValues(sides_.Side(u, 0)));
    Store(MatrixType::EGM, u, p, withoutEdge);
    Store(MatrixType::PGM, u, p, withoutEdge);
    SubgraphValues withoutEnds = OuterSides(sides_, u, 0);
    AddComponents(withoutEnds, OuterSides(sides_, p, place));
    Store(MatrixType::SVGM, u, p, withoutEnds);
    Store(MatrixType::DVGM, u, p, withoutEnds);
  }

  // Climbs from u to the root. At each ancestor `next` above the vertex `at` it stores the
  // PGM and DVGM elements (u, next), and it keeps the running values for the pairs whose
  // paths turn higher.
  void Climb(int u) {
    const int p = tree_->parent[u];
    PathEnd end;
    end.pathComponents = AloneValues(*subtree_[u]);
    End(u, p) = end;
    StoreAdjacent(u, p);
    const SubgraphValues& uSides = outerBelow_[u];
    int previous = u;
    int at = p;
    for (int m = 1; tree_->parent[at] != 0; ++m) {  // m: edges from u to `at`
      const int next = tree_->parent[at];
      const PathStep& step = sides_.StepAbove(previous);
      const bool firstInner = m == 1;
      // The edge previous-at inside the middle component, when previous is no end.
      const int previousDegree = sides_.Degree(previous) - (m == 2 ? 1 : 0);

      SubgraphValues path = end.pathComponents;
      AddComponents(path, PathComponent(step));
      SubgraphValues withoutPath = path;
      AddComponents(withoutPath, AloneValues(sides_.Side(at, 0)));
      Store(MatrixType::PGM, u, next, withoutPath);

      const int lastLost = firstInner ? 2 : 1;
      std::int64_t zagreb = end.middleZagreb + step.zagreb[lastLost];
      std::int64_t randic = end.middleRandicTicks + step.randicTicks[lastLost];
      if (!firstInner) AddEdge(zagreb, randic, previousDegree, sides_.Degree(at) - 1);
      const ChainMatchings middle = end.middle.Then(step.matchings);
      Store(MatrixType::DVGM, u, next,
            DenseVertexElement(MiddleWiener(sides_.Side(u, 0), *subtree_[u], sides_.Side(at, 0),
                                            sides_.DistanceSumFrom(at), m + 1),
                               zagreb, randic, middle.all, uSides, outerAbove_[at]));

      const int innerLost = firstInner ? 1 : 0;
      end.pathComponents = path;
      end.middleZagreb += step.zagreb[innerLost];
      end.middleRandicTicks += step.randicTicks[innerLost];
      if (!firstInner) {
        AddEdge(end.middleZagreb, end.middleRandicTicks, previousDegree, sides_.Degree(at));
      }
      end.middle = middle;
      End(u, next) = end;
      previous = at;
      at = next;
    }
  }

  // The pairs (i, j) with i and j below different children of a. The matchings of a without
  // two children's sides: the product before the first, between the two (a running product)
  // and after the second.
  void PairsMeetingAt(int a) {
    const auto children = tree_->ChildrenOf(a);
    for (std::size_t x = 0; x < children.size(); ++x) {
      const int kx = sides_.PlaceInParent(children[x]);
      RootedMatchings between;
      for (std::size_t y = x + 1; y < children.size(); ++y) {
        const int ky = sides_.PlaceInParent(children[y]);
        const RootedMatchings matchings =
            sides_.MatchingsBefore(a, kx) * between * sides_.MatchingsAfter(a, ky);
        PairsThrough(a, children[x], children[y], sides_.Between(a, kx, ky, matchings));
        between = between * TreeSides::Joined(sides_.Side(a, ky));
      }
    }
  }

  // The DVGM middle's Zagreb and Randic terms of a pair's path edges at a, toward the child on
  // each side: none where the end is the child itself, and a's degree lowers by one for each
  // end that is a's child (index `lost`).
  struct EdgesAtTurn {
    std::array<std::int64_t, 2> zagreb{};
    std::array<std::int64_t, 2> randicTicks{};
  };
  EdgesAtTurn EdgeAtTurn(int a, int c, int v) const {
    EdgesAtTurn edge;
    if (v == c) return edge;
    for (int lost = 0; lost < 2; ++lost)
      AddEdge(edge.zagreb[lost], edge.randicTicks[lost], sides_.Degree(a) - lost,
              InnerDegree(c, v));
    return edge;
  }

  void PairsThrough(int a, int ci, int cj, const PathStep& turn) {
    const SubgraphValues turnComponent = PathComponent(turn);
    // The terms of the ends below cj, found once for all the ends below ci.
    edgeAtTurn_.resize(static_cast<std::size_t>(subtreeEnd_[cj] - subtreeStart_[cj]));
    for (int bt = subtreeStart_[cj]; bt < subtreeEnd_[cj]; ++bt)
      edgeAtTurn_[bt - subtreeStart_[cj]] = EdgeAtTurn(a, cj, preorder_[bt]);
    for (int at = subtreeStart_[ci]; at < subtreeEnd_[ci]; ++at) {
      const int i = preorder_[at];
      const PathEnd& fromI = End(i, a);
      SubgraphValues path = fromI.pathComponents;
      AddComponents(path, turnComponent);
      const ChainMatchings throughA = fromI.middle.Then(turn.matchings);
      const SubgraphValues& iSides = outerBelow_[i];
      const TreeSide& iAbove = sides_.Side(i, 0);
      const TreeSide& iBelow = *subtree_[i];
      const EdgesAtTurn iEdge = EdgeAtTurn(a, ci, i);
      const int iLost = i == ci ? 1 : 0;
      const int iDistance = tree_->depth[i] - 2 * tree_->depth[a];
      for (int bt = subtreeStart_[cj]; bt < subtreeEnd_[cj]; ++bt) {
        const int j = preorder_[bt];
        const PathEnd& fromJ = End(j, a);
        SubgraphValues withoutPath = path;
        AddComponents(withoutPath, fromJ.pathComponents);
        Store(MatrixType::PGM, i, j, withoutPath);

        const int jLost = j == cj ? 1 : 0;
        const int lost = iLost + jLost;
        const EdgesAtTurn& jEdge = edgeAtTurn_[bt - subtreeStart_[cj]];
        const std::int64_t zagreb = fromI.middleZagreb + fromJ.middleZagreb + turn.zagreb[lost] +
                                    iEdge.zagreb[jLost] + jEdge.zagreb[iLost];
        const std::int64_t randic = fromI.middleRandicTicks + fromJ.middleRandicTicks +
                                    turn.randicTicks[lost] + iEdge.randicTicks[jLost] +
                                    jEdge.randicTicks[iLost];
        Store(MatrixType::DVGM, i, j,
              DenseVertexElement(MiddleWiener(iAbove, iBelow, *subtree_[j], parentDistanceSum_[j],
                                              iDistance + tree_->depth[j]),
                                 zagreb, randic, throughA.JoinedTo(fromJ.middle), iSides,
                                 outerBelow_[j]));
      }
    }
  }

  // The degree of the path's inner vertex c in the middle component of a pair with end v.
  int InnerDegree(int c, int v) const { return sides_.Degree(c) - (tree_->parent[v] == c ? 1 : 0); }

  const RootedTree* tree_ = nullptr;
  GraphicalMatrices* matrices_ = nullptr;
  TreeSides sides_;
  const std::int64_t* randicTerm_ = RandicTermTable();
  // The PathEnd of u and its ancestor at depth t is at endStart_[u] + t.
  std::vector<int> endStart_;
  std::vector<PathEnd> ends_;
  // For each vertex v with a parent, DVGM's part at an end: v's sides away from its parent,
  // and the parent's sides away from v.
  std::vector<SubgraphValues> outerBelow_;
  std::vector<SubgraphValues> outerAbove_;
  // For each vertex v with a parent: the side below the edge up, and the parent's distance
  // sum over the tree.
  std::vector<const TreeSide*> subtree_;
  std::vector<std::int64_t> parentDistanceSum_;
  std::vector<int> preorder_;
  std::vector<int> stack_;
  std::vector<EdgesAtTurn> edgeAtTurn_;  // PairsThrough's, by place in cj's subtree
  std::vector<int> subtreeStart_;        // the run of v's subtree in preorder_
  std::vector<int> subtreeEnd_;
};

}  // namespace

void BuildElements(const RootedTree& tree, GraphicalMatrices& matrices) {
  if (tree.vertexCount() <= kMaxNarrowCountVertices) {
    thread_local ElementBuilder<std::int64_t> builder;
    builder.Build(tree, matrices);
  } else if (tree.vertexCount() <= kMaxFixedWidthVertices) {
    thread_local ElementBuilder<Int128> builder;
    builder.Build(tree, matrices);
  } else {
    ElementBuilder<mpz_class> builder;
    builder.Build(tree, matrices);
  }
}

}  // namespace korvelant
