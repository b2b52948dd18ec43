#include "engine/element_builder.hpp"

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
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
    pathless_ =
        Wanted(MatrixType::PGM) ? &matrices.types[static_cast<int>(MatrixType::PGM)] : nullptr;
    dense_ =
        Wanted(MatrixType::DVGM) ? &matrices.types[static_cast<int>(MatrixType::DVGM)] : nullptr;
    pairIds_ = pathless_ ? pathless_->Row(1) : dense_ ? dense_->Row(1) : nullptr;
    sides_.Compute(tree);
    Prepare();
    BuildAll();
  }

 private:
  void Prepare() {
    const RootedTree& tree = *tree_;
    const int n = tree.vertexCount();
    vertex_.resize(static_cast<std::size_t>(n) + 1);
    int ends = 0;
    for (int v = 1; v <= n; ++v) {
      Vertex& here = vertex_[v];
      here.endStart = ends;
      ends += tree.depth[v];
      if (tree.parent[v] == 0) continue;
      here.subtree = &sides_.Side(tree.parent[v], sides_.PlaceInParent(v));
      here.parentDistanceSum = sides_.DistanceSumFrom(tree.parent[v]);
      FindOuterSides(sides_, v, 0, *here.subtree, here.outerBelow);
      FindOuterSides(sides_, tree.parent[v], sides_.PlaceInParent(v), sides_.Side(v, 0),
                     here.outerAbove);
    }
    ends_.resize(static_cast<std::size_t>(ends));
    for (int v = 1; v <= n; ++v) {
      if (tree.parent[v] != 0 && tree.parent[tree.parent[v]] != 0)
        FindPassing(v, vertex_[v].passing);
    }
    Preorder();
  }

  void BuildAll() {
    const int n = tree_->vertexCount();
    for (int u = 1; u <= n; ++u) {
      if (tree_->parent[u] != 0) Climb(u);
    }
    if (pairIds_) {
      for (int a = 1; a <= n; ++a)
        PairsMeetingAt(a);
    }
  }

  // Vertices in depth-first order, so that each subtree is a run of them: from the root
  // down, each child's run follows its parent and its earlier siblings' runs, whose lengths
  // are the sizes of the sides below them.
  void Preorder() {
    const int n = tree_->vertexCount();
    preorder_.resize(static_cast<std::size_t>(n));
    Vertex& root = vertex_[tree_->order.front()];
    root.subtreeStart = 0;
    root.subtreeEnd = n;
    for (const int v : tree_->order) {
      int next = vertex_[v].subtreeStart;
      preorder_[next++] = v;
      for (const int child : tree_->ChildrenOf(v)) {
        Vertex& below = vertex_[child];
        below.subtreeStart = next;
        next += static_cast<int>(below.subtree->size);
        below.subtreeEnd = next;
      }
    }
  }

  PathEnd& End(int u, int ancestor) { return ends_[vertex_[u].endStart + tree_->depth[ancestor]]; }

  bool Wanted(MatrixType type) const {
    return matrices_->types[static_cast<int>(type)].size() != 0;
  }

  void StoreEdge(MatrixType type, int i, int j, const SubgraphValues& values) {
    TypeMatrices& matrices = matrices_->types[static_cast<int>(type)];
    if (matrices.size() != 0) matrices.SetElement(i, j, values);
  }

  // PGM and DVGM number their pairs alike (TypeMatrices::EveryPair): the subgraphs of row i,
  // (i, j) at j - 1.
  const std::uint32_t* PairsOf(int i) const {
    return pairIds_ + static_cast<std::size_t>(i - 1) * tree_->vertexCount();
  }
  void StorePair(std::uint32_t id, const SubgraphValues& withoutPath,
                 const SubgraphValues& withoutEnds) {
    if (pathless_) pathless_->SetSubgraph(id, withoutPath);
    if (dense_) dense_->SetSubgraph(id, withoutEnds);
  }

  // An edge kept in a component, with the degrees its ends have there.
  void AddEdge(std::int64_t& zagreb, std::int64_t& randicTicks, int degree, int otherDegree) const {
    zagreb += std::int64_t{degree} * otherDegree;
    randicTicks += RandicTerm(randicTerm_, std::int64_t{degree} * otherDegree);
  }

  // The Wiener index of the middle component M of a DVGM element (i, j) at distance k >= 2
  // comes from sides alone. X, the side of i's path neighbour away from i, is M and Y (the
  // side of j away from j's path neighbour q) joined by the edge q-j, so W(X) = W(M) + W(Y) +
  // the distances between M and Y, which pass through q and j: |Y| D_M(q) + |M||Y| +
  // |M| D_Y(j). D_M(q) is q's distance sum over the tree, D(q), less those to Y and to A, the
  // side of i away from X, whose vertices lie k - 1 beyond i. With |M| = |X| - |Y|:
  //   W(M) = W(X) - W(Y) - |Y| D(q) + 2 |Y| (|Y| + D_Y(j))
  //          + |Y| ((k - 1) |A| + D_A(i)) - |X| (|Y| + D_Y(j)),
  // terms of i's end alone, of j's end alone and three products of one of each. Climb and
  // PairsThrough gather each end's terms once and take a few products per pair.

  // What the climb from a lower end u adds on passing c's parent `at` to reach at's parent
  // `next`, the same for every u below c: found once for each c with a grandparent.
  struct Passing {
    SubgraphValues pathComponent;  // at with its sides off the path
    SubgraphValues withoutPath;    // that and next's side away from at: PGM (u, next) less u's
    // The DVGM middle's Zagreb and Randic terms of at's component and the edge c-at when at is
    // the last inner vertex (last) or passed on (inner), by where c is: c = u, c = u's parent,
    // c higher. With `last` come the far end next's sides.
    std::array<std::int64_t, 3> lastZagreb{};
    std::array<std::int64_t, 3> lastRandicTicks{};
    std::array<std::int64_t, 3> innerZagreb{};
    std::array<std::int64_t, 3> innerRandicTicks{};
    RootedMatchings matchings;  // of at's component
    // next's end: the sides away from at (Y and the others) in the DVGM's Wiener terms.
    std::int64_t wiener = 0;  // W(next's sides) - W(Y) - |Y| D(at) + 2 |Y| (|Y| + D_Y(next))
    std::int64_t size = 0;    // |Y|
    std::int64_t reach = 0;   // |Y| + D_Y(next)
    Count farMatchings = 0;   // of next's sides
  };

  // Fills `passing` in place: it is a few hundred bytes, one per vertex of every tree.
  void FindPassing(int c, Passing& passing) const {
    const int at = tree_->parent[c];
    const PathStep& step = sides_.StepAbove(c);
    const TreeSide& y = sides_.Side(at, 0);
    const SubgraphValues& farEnds = vertex_[at].outerAbove;
    // Each of the two from the step itself: a copy of the one just stored would wait for it.
    passing.pathComponent = PathComponent(step);
    passing.withoutPath = PathComponent(step);
    AddComponents(passing.withoutPath, AloneValues(y));
    // Only the climb from c itself passes a leaf c.
    const int places = tree_->ChildrenOf(c).empty() ? 1 : 3;
    for (int where = 0; where < places; ++where) {
      // c = u is an end: at loses both path edges as a last inner vertex, one passed on.
      const int lastLost = where == 0 ? 2 : 1;
      const int innerLost = where == 0 ? 1 : 0;
      passing.lastZagreb[where] = step.zagreb[lastLost] + farEnds.zagreb;
      passing.lastRandicTicks[where] = step.randicTicks[lastLost] + farEnds.randicTicks;
      passing.innerZagreb[where] = step.zagreb[innerLost];
      passing.innerRandicTicks[where] = step.randicTicks[innerLost];
      if (where == 0) continue;
      // The edge c-at in the middle, c's degree lowered where c's edge to the end u is gone.
      const int cDegree = sides_.Degree(c) - (where == 1 ? 1 : 0);
      AddEdge(passing.lastZagreb[where], passing.lastRandicTicks[where], cDegree,
              sides_.Degree(at) - 1);
      AddEdge(passing.innerZagreb[where], passing.innerRandicTicks[where], cDegree,
              sides_.Degree(at));
    }
    passing.matchings = step.matchings;
    passing.wiener = farEnds.wiener - y.wiener - y.size * sides_.DistanceSumFrom(at) +
                     2 * y.size * (y.size + y.distanceSum);
    passing.size = y.size;
    passing.reach = y.size + y.distanceSum;
    passing.farMatchings = farEnds.hosoya;
  }

  void StoreAdjacent(int u, int p) {
    const int place = sides_.PlaceInParent(u);
    SubgraphValues withoutEdge = AloneValues(sides_.Side(p, place));
    AddComponents(withoutEdge, AloneValues(sides_.Side(u, 0)));
    SubgraphValues withoutEnds = vertex_[u].outerBelow;
    AddComponents(withoutEnds, vertex_[u].outerAbove);
    StoreEdge(MatrixType::EGM, u, p, withoutEdge);
    StoreEdge(MatrixType::SVGM, u, p, withoutEnds);
    if (pairIds_) StorePair(PairsOf(u)[p - 1], withoutEdge, withoutEnds);
  }

  // Climbs from u to the root. At each ancestor `next` above the vertex `at` it stores the
  // PGM and DVGM elements (u, next), and it keeps the running values for the pairs whose
  // paths turn higher.
  void Climb(int u) {
    const int p = tree_->parent[u];
    const TreeSide& x = sides_.Side(u, 0);
    const TreeSide& below = *vertex_[u].subtree;
    const SubgraphValues& ends = vertex_[u].outerBelow;
    PathEnd end;
    end.pathComponents = AloneValues(below);
    PathEnd* slot = &End(u, p);  // End(u, next) is the one before it
    *slot = end;
    StoreAdjacent(u, p);
    // u's terms of the DVGM Wiener index; (k - 1) |A| + D_A(u) grows by |A| a step.
    const std::int64_t wiener = x.wiener + ends.wiener;
    std::int64_t reachBeyond = below.size + below.distanceSum;
    const std::uint32_t* const pairs = pairIds_ ? PairsOf(u) : nullptr;
    int where = 0;
    for (int c = u, at = p; tree_->parent[at] != 0; c = at, at = tree_->parent[at]) {
      const int next = tree_->parent[at];
      const Passing& passing = vertex_[c].passing;
      const ChainMatchings middle = end.middle.Then(passing.matchings);
      if (pairIds_) {
        SubgraphValues withoutPath = end.pathComponents;
        AddComponents(withoutPath, passing.withoutPath);
        const SubgraphValues withoutEnds{
            wiener + passing.wiener + passing.size * reachBeyond - x.size * passing.reach,
            end.middleRandicTicks + passing.lastRandicTicks[where] + ends.randicTicks,
            end.middleZagreb + passing.lastZagreb[where] + ends.zagreb,
            middle.all * ends.hosoya * passing.farMatchings};
        StorePair(pairs[next - 1], withoutPath, withoutEnds);
      }
      AddComponents(end.pathComponents, passing.pathComponent);
      end.middleZagreb += passing.innerZagreb[where];
      end.middleRandicTicks += passing.innerRandicTicks[where];
      end.middle = middle;
      *--slot = end;
      reachBeyond += below.size;
      where = std::min(where + 1, 2);
    }
  }

  // The pairs (i, j) with i and j below different children of a. The matchings of a without
  // two children's sides: the product before the first, between the two (a running product)
  // and after the second.
  void PairsMeetingAt(int a) {
    const auto children = tree_->ChildrenOf(a);
    if (children.size() < 2) return;
    FarEndsBelow(a, children);
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

  // A pair (i, j) whose path turns at a, i below a's child ci and j below cj, has elements
  //   PGM:  i's part of the path (its PathEnd and a's component) and j's part;
  //   DVGM: the middle component and the sides at both ends. The middle's Wiener index is
  //         the one above with k - 1 = di + dj - 1, di and dj the steps from a down to i and
  //         to j, which splits |Y| (k - 1) |A| into |A| (dj - 1) |Y| + di |A| |Y|.
  // So each end is gathered once (NearEnd, FarEnd), and each pair takes a few sums and
  // products.
  struct FarEnd {  // j's part, for every i
    int vertex = 0;
    int isChild = 0;  // j == cj: a's edge to it is on the path, none of the middle
    SubgraphValues path;
    std::int64_t wiener = 0;
    std::array<std::int64_t, 2> zagreb{};  // by whether i is a's child too
    std::array<std::int64_t, 2> randicTicks{};
    std::int64_t size = 0;  // of Y
    std::int64_t distanceSum = 0;
    std::int64_t sizeTimesSteps = 0;  // |Y| (dj - 1)
    Count matchings = 0;              // of the middle's chain from j and j's ends
    Count matchingsLastFree = 0;
  };
  struct NearEnd {  // i's part, for every j
    SubgraphValues path;
    std::int64_t wiener = 0;
    std::array<std::int64_t, 2> zagreb{};  // by whether j is a's child
    std::array<std::int64_t, 2> randicTicks{};
    std::int64_t size = 0;       // of A
    std::int64_t timesSize = 0;  // di |A| + D_A(i) - |X|
    std::int64_t aboveSize = 0;  // |X|
    Count matchings = 0;         // of the middle's chain from i through a and i's ends
    Count matchingsLastFree = 0;
  };

  // The far ends of every vertex below a but those below its first child, which is never far,
  // by their place in preorder_ less farEndStart_.
  void FarEndsBelow(int a, std::span<const int> children) {
    farEndStart_ = vertex_[children[1]].subtreeStart;
    farEnds_.resize(static_cast<std::size_t>(vertex_[a].subtreeEnd - farEndStart_));
    for (const int c : children.subspan(1)) {
      for (int at = vertex_[c].subtreeStart; at < vertex_[c].subtreeEnd; ++at)
        farEnds_[at - farEndStart_] = FarEndOf(a, c, preorder_[at]);
    }
  }

  FarEnd FarEndOf(int a, int c, int j) {
    const PathEnd& fromJ = End(j, a);
    const SubgraphValues& ends = vertex_[j].outerBelow;
    const TreeSide& y = *vertex_[j].subtree;
    const EdgesAtTurn edge = EdgeAtTurn(a, c, j);
    FarEnd far;
    far.vertex = j;
    far.isChild = j == c ? 1 : 0;
    far.path = fromJ.pathComponents;
    far.wiener = ends.wiener - y.wiener - y.size * vertex_[j].parentDistanceSum +
                 2 * y.size * (y.size + y.distanceSum);
    for (int lost = 0; lost < 2; ++lost) {
      far.zagreb[lost] = fromJ.middleZagreb + edge.zagreb[lost] + ends.zagreb;
      far.randicTicks[lost] = fromJ.middleRandicTicks + edge.randicTicks[lost] + ends.randicTicks;
    }
    far.size = y.size;
    far.distanceSum = y.distanceSum;
    far.sizeTimesSteps = y.size * (tree_->depth[j] - tree_->depth[a] - 1);
    far.matchings = fromJ.middle.all * ends.hosoya;
    far.matchingsLastFree = fromJ.middle.lastFree * ends.hosoya;
    return far;
  }

  NearEnd NearEndOf(int a, int c, int i, const PathStep& turn) {
    const PathEnd& fromI = End(i, a);
    const SubgraphValues& ends = vertex_[i].outerBelow;
    const TreeSide& x = sides_.Side(i, 0);
    const TreeSide& below = *vertex_[i].subtree;
    const EdgesAtTurn edge = EdgeAtTurn(a, c, i);
    const int iLost = i == c ? 1 : 0;
    NearEnd near;
    near.path = fromI.pathComponents;
    AddComponents(near.path, PathComponent(turn));
    near.wiener = x.wiener + ends.wiener;
    for (int jLost = 0; jLost < 2; ++jLost) {
      near.zagreb[jLost] =
          fromI.middleZagreb + turn.zagreb[iLost + jLost] + edge.zagreb[jLost] + ends.zagreb;
      near.randicTicks[jLost] = fromI.middleRandicTicks + turn.randicTicks[iLost + jLost] +
                                edge.randicTicks[jLost] + ends.randicTicks;
    }
    near.size = below.size;
    near.timesSize = (tree_->depth[i] - tree_->depth[a]) * below.size + below.distanceSum - x.size;
    near.aboveSize = x.size;
    const ChainMatchings throughA = fromI.middle.Then(turn.matchings);
    near.matchings = throughA.all * ends.hosoya;
    near.matchingsLastFree = throughA.lastFree * ends.hosoya;
    return near;
  }

  void PairsThrough(int a, int ci, int cj, const PathStep& turn) {
    const FarEnd* const firstFar = farEnds_.data() + (vertex_[cj].subtreeStart - farEndStart_);
    const FarEnd* const lastFar = firstFar + (vertex_[cj].subtreeEnd - vertex_[cj].subtreeStart);
    for (int at = vertex_[ci].subtreeStart; at < vertex_[ci].subtreeEnd; ++at) {
      const int i = preorder_[at];
      const NearEnd near = NearEndOf(a, ci, i, turn);
      const int iLost = i == ci ? 1 : 0;
      const std::uint32_t* const pairs = PairsOf(i);
      for (const FarEnd* far = firstFar; far != lastFar; ++far) {
        SubgraphValues withoutPath = near.path;
        AddComponents(withoutPath, far->path);
        const SubgraphValues withoutEnds{
            near.wiener + far->wiener + near.size * far->sizeTimesSteps +
                near.timesSize * far->size - near.aboveSize * far->distanceSum,
            near.randicTicks[far->isChild] + far->randicTicks[iLost],
            near.zagreb[far->isChild] + far->zagreb[iLost],
            near.matchings * far->matchings + near.matchingsLastFree * far->matchingsLastFree};
        StorePair(pairs[far->vertex - 1], withoutPath, withoutEnds);
      }
    }
  }

  // The degree of the path's inner vertex c in the middle component of a pair with end v.
  int InnerDegree(int c, int v) const { return sides_.Degree(c) - (tree_->parent[v] == c ? 1 : 0); }

  const RootedTree* tree_ = nullptr;
  GraphicalMatrices* matrices_ = nullptr;
  TypeMatrices* pathless_ = nullptr;  // PGM, DVGM when wanted
  TypeMatrices* dense_ = nullptr;
  const std::uint32_t* pairIds_ = nullptr;  // their numbering of pairs, when either is
  TreeSides sides_;
  const std::int64_t* randicTerm_ = RandicTermTable();
  // What is known of each vertex v, gathered before the elements.
  struct Vertex {
    int endStart = 0;      // the PathEnd of v and its ancestor at depth t is at endStart + t
    int subtreeStart = 0;  // the run of v's subtree in preorder_
    int subtreeEnd = 0;
    // Where v has a parent: the side below the edge up and the parent's distance sum over
    // the tree; DVGM's part at an end, v's sides away from its parent and the parent's sides
    // away from v.
    const TreeSide* subtree = nullptr;
    std::int64_t parentDistanceSum = 0;
    SubgraphValues outerBelow;
    SubgraphValues outerAbove;
    Passing passing;  // where v has a grandparent: what passing v's parent adds to a climb
  };
  std::vector<Vertex> vertex_;
  std::vector<PathEnd> ends_;
  std::vector<int> preorder_;
  std::vector<FarEnd> farEnds_;  // PairsMeetingAt's, for the vertex a of the moment
  int farEndStart_ = 0;
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
