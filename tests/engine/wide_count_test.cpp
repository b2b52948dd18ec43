// Trees past 128 vertices, where Hosoya counts pass 128 bits: the O(n) half-sums against the
// O(n^2) matrices, elements against an independent count of matchings, and closed forms for
// paths and stars of up to 100,000 vertices, every Fibonacci number computed here with GMP.
#include <gmpxx.h>
#include <gtest/gtest.h>

#include <pthread.h>

#include <functional>
#include <random>
#include <vector>

#include "engine/element_sums.hpp"
#include "engine/graphical_matrices.hpp"
#include "engine/hosoya_sums.hpp"
#include "engine/randic_term.hpp"
#include "engine/whole_tree_indices.hpp"
#include "input/tree_problem.hpp"
#include "support/fibonacci.hpp"
#include "support/tree_generators.hpp"

namespace korvelant {
namespace {

using testing::Fibonacci;
using testing::Path;
using testing::RandomTrees;
using testing::Star;

mpz_class Ticks(const ExactDecimal& value) {
  return value.Ticks().Wide();
}

// Half a matrix sum of a whole-number index, as an integer.
mpz_class HalfWhole(const ExactDecimal& sum) {
  const mpz_class ticks = Ticks(sum);
  EXPECT_EQ(ticks % (2 * ExactDecimal::kScale), 0);
  return ticks / (2 * ExactDecimal::kScale);
}

// The matchings of a forest on 1..n, counted from scratch: each component from a leaf up,
// a vertex matched to at most one free child.
mpz_class MatchingsOf(int n, const std::vector<Edge>& edges) {
  std::vector<std::vector<int>> next(static_cast<std::size_t>(n) + 1);
  for (const auto& [a, b] : edges) {
    next[a].push_back(b);
    next[b].push_back(a);
  }
  std::vector<int> parent(static_cast<std::size_t>(n) + 1, -1), order;
  for (int root = 1; root <= n; ++root) {
    if (parent[root] != -1) continue;
    parent[root] = 0;
    std::vector<int> stack{root};
    while (!stack.empty()) {
      const int v = stack.back();
      stack.pop_back();
      order.push_back(v);
      for (const int w : next[v]) {
        if (parent[w] == -1) {
          parent[w] = v;
          stack.push_back(w);
        }
      }
    }
  }
  std::vector<mpz_class> free(static_cast<std::size_t>(n) + 1, 1), all(free);
  mpz_class product = 1;
  for (auto it = order.rbegin(); it != order.rend(); ++it) {
    const int v = *it;
    all[v] = free[v];
    for (const int w : next[v]) {
      if (parent[w] == v) all[v] += free[v] / all[w] * free[w];
    }
    if (parent[v] == 0) product *= all[v];
    if (parent[v] > 0) free[parent[v]] *= all[v];
  }
  return product;
}

// The edges of the path from i to j, by walking up from both ends.
std::vector<Edge> PathEdges(const Graph& tree, int i, int j) {
  const RootedTree rooted = RootTree(tree).value();
  std::vector<Edge> path;
  while (i != j) {
    if (rooted.depth[i] >= rooted.depth[j]) {
      path.emplace_back(i, rooted.parent[i]);
      i = rooted.parent[i];
    } else {
      path.emplace_back(j, rooted.parent[j]);
      j = rooted.parent[j];
    }
  }
  return path;
}

bool Touches(const Edge& e, int v) {
  return e.first == v || e.second == v;
}
bool Same(const Edge& e, const Edge& f) {
  return e == f || e == Edge{f.second, f.first};
}

// The Hosoya element of each type for the pair (i, j), from its definition: the tree less
// the edge (EGM) or the path's edges (PGM), less both ends' edges (SVGM, DVGM).
mpz_class ExpectedHosoya(const Graph& tree, MatrixType type, int i, int j) {
  const std::vector<Edge> path = PathEdges(tree, i, j);
  const bool joined = path.size() == 1;
  if (!joined && (type == MatrixType::EGM || type == MatrixType::SVGM)) return 0;
  std::vector<Edge> kept;
  for (const Edge& e : tree.edges) {
    const bool onPath =
        std::any_of(path.begin(), path.end(), [&](const Edge& f) { return Same(e, f); });
    const bool atEnd = Touches(e, i) || Touches(e, j);
    const bool vertexType = type == MatrixType::SVGM || type == MatrixType::DVGM;
    if (vertexType ? !atEnd : !onPath) kept.push_back(e);
  }
  return MatchingsOf(tree.vertexCount, kept);
}

TEST(WideCountTest, HosoyaSumsOfTheLeavesUpPassEqualTheMatrixSums) {
  std::vector<Graph> trees = {Path(2),   Path(3),   Star(5), testing::Spider(4, 6),
                              Path(128), Star(128), Path(1)};
  for (const int n : {4, 9, 17, 60, 128}) {
    for (const Graph& tree : RandomTrees(n, 4, 31u + n))
      trees.push_back(tree);
  }
  for (const Graph& graph : trees) {
    const RootedTree tree = RootTree(graph).value();
    const GraphicalMatrices m = ComputeGraphicalMatrices(tree);
    const HosoyaSums sums = ComputeHosoyaSums(tree);
    const auto h = TopologicalIndex::Hosoya;
    EXPECT_EQ(HalfWhole(m.Of(MatrixType::EGM, h).Sum()), sums.egm) << EdgeListText(graph);
    EXPECT_EQ(HalfWhole(m.Of(MatrixType::PGM, h).Sum()), sums.pgm) << EdgeListText(graph);
    EXPECT_EQ(HalfWhole(m.Of(MatrixType::SVGM, h).Sum()), sums.svgm) << EdgeListText(graph);
    EXPECT_EQ(HalfWhole(m.Of(MatrixType::DVGM, h).Sum()), sums.dvgm) << EdgeListText(graph);
  }
}

// Past 128 vertices the matrices count with GMP and the half-sums take the O(n) path: the
// two agree on all sixteen sums, for random trees and the named shapes.
void ExpectHalfSumsEqualMatrixSums(const std::vector<Graph>& trees) {
  for (const Graph& graph : trees) {
    const RootedTree tree = RootTree(graph).value();
    const GraphicalMatrices m = ComputeGraphicalMatrices(tree);
    const std::array<ExactDecimal, 16> sums = ComputeElementSums(tree);
    for (int block = 0; block < 16; ++block) {
      const ExactDecimal fromMatrix =
          m.Of(kMatrixTypes[block / 4], kTopologicalIndices[block % 4]).Sum();
      EXPECT_EQ(sums[block], fromMatrix) << "block " << block << " of " << EdgeListText(graph);
    }
  }
}

TEST(WideCountTest, HalfSumsEqualTheSumsOfTheMatricesPast128Vertices) {
  ExpectHalfSumsEqualMatrixSums({Path(129), Path(200), Star(300), testing::Caterpillar(40, 3),
                                 testing::Broom(100, 60), testing::DoubleStar(100, 90),
                                 testing::Spider(7, 25), RandomTrees(150, 1, 8u).front(),
                                 RandomTrees(260, 1, 9u).front()});
}

TEST(WideCountSlowTest, HalfSumsEqualTheSumsOfTheMatricesUpTo1000Vertices) {
  std::vector<Graph> trees = {Path(400),
                              Star(300),
                              testing::Caterpillar(60, 3),
                              testing::Broom(150, 60),
                              testing::DoubleStar(120, 90),
                              testing::Spider(7, 40),
                              Path(1000)};
  for (const int n : {250, 700})
    trees.push_back(RandomTrees(n, 1, 7u + n).front());
  ExpectHalfSumsEqualMatrixSums(trees);
}

TEST(WideCountTest, HosoyaElementsPast128BitsCountTheMatchingsOfTheirSubgraphs) {
  // A random tree and a broom of 250 vertices, and a path of 300: its counts are products
  // of Fibonacci numbers, the largest F(301) ~ 2^207.
  const std::vector<Graph> trees = {RandomTrees(250, 1, 5u).front(), testing::Broom(200, 50),
                                    Path(300)};
  std::mt19937 random(99);
  for (const Graph& graph : trees) {
    const RootedTree tree = RootTree(graph).value();
    const GraphicalMatrices m = ComputeGraphicalMatrices(tree);
    const int n = graph.vertexCount;
    std::vector<std::pair<int, int>> pairs;
    for (const auto& [a, b] : graph.edges)
      pairs.emplace_back(a, b);
    std::uniform_int_distribution<int> vertex(1, n);
    for (int k = 0; k < 60; ++k) {
      const int i = vertex(random), j = vertex(random);
      if (i != j) pairs.emplace_back(i, j);
    }
    bool wide = false;
    for (const auto& [i, j] : pairs) {
      for (const MatrixType type : kMatrixTypes) {
        const ExactDecimal element = m.Of(type, TopologicalIndex::Hosoya)(i, j);
        wide = wide || element.IsWide();
        EXPECT_EQ(Ticks(element), ExpectedHosoya(graph, type, i, j) * ExactDecimal::kScale)
            << ShortName(type) << " (" << i << ", " << j << ") of " << EdgeListText(graph);
      }
    }
    EXPECT_TRUE(wide) << "no element past 128 bits in " << EdgeListText(graph);
  }
}

TEST(WideCountTest, PathOf300HasFibonacciProductsForElements) {
  const int n = 300;
  const std::vector<mpz_class> f = Fibonacci(n + 2);
  const GraphicalMatrices m = ComputeGraphicalMatrices(RootTree(Path(n)).value());
  const auto h = TopologicalIndex::Hosoya;
  for (int i = 1; i <= n; ++i) {
    for (int j = i + 1; j <= n; ++j) {
      // PGM keeps the paths 1..i and j..n; DVGM the paths 1..i-1, i+1..j-1 and j+1..n.
      EXPECT_EQ(Ticks(m.Of(MatrixType::PGM, h)(i, j)), f[i + 1] * f[n - j + 2] * 10000);
      EXPECT_EQ(Ticks(m.Of(MatrixType::DVGM, h)(j, i)), f[i] * f[j - i] * f[n - j + 1] * 10000);
    }
  }
}

// The whole tree's indices and the half-sums of a path and a star of 100,000 vertices, in
// closed form: W(P_n) = (n^3 - n) / 6, Z(P_n) = F(n + 1), W(S_n) = (n - 1)^2, Z(S_n) = n.
void ExpectPathAndStarClosedForms(int n) {
  {
    const std::vector<mpz_class> f = Fibonacci(n + 2);
    const RootedTree path = RootTree(Path(n)).value();
    const WholeTreeIndices pathIndices = ComputeWholeTreeIndices(path);
    const mpz_class big = n;
    EXPECT_EQ(pathIndices.wiener, ExactInteger(mpz_class((big * big * big - big) / 6)));
    EXPECT_EQ(pathIndices.hosoya.Wide(), f[n + 1]) << n;
    const std::array<ExactDecimal, 16> sums = ComputeElementSums(path);
    // EGM: the edge k-(k+1) leaves paths of k and n - k vertices; SVGM: k - 1 and n - k - 1.
    mpz_class egm = 0, svgm = 0, wiener = 0;
    for (int k = 1; k < n; ++k) {
      egm += f[k + 1] * f[n - k + 1];
      svgm += f[k] * f[n - k];
      const mpz_class a = k, b = n - k;
      wiener += (a * a * a - a) / 6 + (b * b * b - b) / 6;
    }
    EXPECT_EQ(HalfWhole(sums[3]), egm) << n;
    EXPECT_EQ(HalfWhole(sums[11]), svgm) << n;
    EXPECT_EQ(HalfWhole(sums[0]), wiener) << n;

    const RootedTree star = RootTree(Star(n)).value();
    const WholeTreeIndices starIndices = ComputeWholeTreeIndices(star);
    EXPECT_EQ(starIndices.wiener, ExactInteger(Int128{n - 1} * (n - 1)));
    EXPECT_EQ(starIndices.hosoya, ExactInteger(Int128{n}));
    EXPECT_EQ(starIndices.firstZagreb, ExactInteger(Int128{n - 1} * (n - 1) + (n - 1)));
    const std::array<ExactDecimal, 16> starSums = ComputeElementSums(star);
    // A leaf pair loses two edges (a star of n - 2 vertices), a centre pair one edge, or,
    // for the vertex types, every edge.
    const mpz_class leaves = big - 1, leafPairs = leaves * (leaves - 1) / 2;
    EXPECT_EQ(HalfWhole(starSums[3]), leaves * leaves) << n;
    EXPECT_EQ(HalfWhole(starSums[7]), leaves * leaves + leafPairs * (big - 2)) << n;
    EXPECT_EQ(HalfWhole(starSums[11]), leaves) << n;
    EXPECT_EQ(HalfWhole(starSums[15]), leaves + leafPairs * (big - 2)) << n;
  }
}

TEST(WideCountTest, PathsAndStarsPast128VerticesInClosedForm) {
  for (const int n : {129, 183, 1000, 5000})
    ExpectPathAndStarClosedForms(n);
}

TEST(WideCountSlowTest, PathsAndStarsOf100000VerticesInClosedForm) {
  ExpectPathAndStarClosedForms(100000);
}

// A product whose term lies exactly halfway between two ten-thousandths goes to the even
// one; products past the table (degrees past 127) are computed, ties included.
TEST(WideCountTest, RandicTermsPastTheTableRoundHalvesToEven) {
  EXPECT_EQ(RandicTermTicks(1024), 312);           // 0.03125 -> 0.0312
  EXPECT_EQ(RandicTermTicks(25600), 62);           // 0.00625 -> 0.0062
  EXPECT_EQ(RandicTermTicks(640000), 12);          // 0.00125 -> 0.0012
  EXPECT_EQ(RandicTermTicks(16000000), 2);         // 0.00025 -> 0.0002
  EXPECT_EQ(RandicTermTicks(99999LL * 99999), 0);  // 0.0000100002 -> 0.0000
  EXPECT_EQ(RandicTermTicks(4), 5000);
  // Elsewhere the nearest, as long double finds it far from a tie.
  std::mt19937_64 random(3);
  std::uniform_int_distribution<std::int64_t> product(1, 2'500'000'000LL);
  for (int k = 0; k < 20000; ++k) {
    const std::int64_t p = k < 5000 ? k + 16000 : product(random);
    const long double scaled = 10000.0L / std::sqrt(static_cast<long double>(p));
    if (std::fabs(scaled - std::floor(scaled) - 0.5L) < 1e-9L) continue;
    EXPECT_EQ(RandicTermTicks(p), std::llround(scaled)) << p;
  }
  // A star whose centre keeps degree 25,600 once an EGM element takes a leaf edge away:
  // each of the other edges' terms is the tie 0.00625, taken to 0.0062.
  const int n = 25602;
  const std::array<ExactDecimal, 16> sums = ComputeElementSums(RootTree(Star(n)).value());
  EXPECT_EQ(Ticks(sums[1]), mpz_class(2) * (n - 1) * (n - 2) * 62);
  // SVGM takes away every edge at both ends: nothing is left.
  EXPECT_EQ(sums[9], ExactDecimal());
}

// Runs `work` on a thread of a 256 KiB stack: any recursion as deep as a path of 100,000
// vertices would overflow it.
void OnSmallStack(const std::function<void()>& work) {
  pthread_attr_t attributes;
  pthread_attr_init(&attributes);
  pthread_attr_setstacksize(&attributes, 256 * 1024);
  pthread_t thread;
  auto* task = new std::function<void()>(work);
  ASSERT_EQ(pthread_create(
                &thread, &attributes,
                [](void* argument) -> void* {
                  auto* job = static_cast<std::function<void()>*>(argument);
                  (*job)();
                  delete job;
                  return nullptr;
                },
                task),
            0);
  pthread_join(thread, nullptr);
  pthread_attr_destroy(&attributes);
}

TEST(WideCountSlowTest, NoRecursionDeeperThanAFewFramesOnAPathOf100000Vertices) {
  const int n = 100000;
  Graph cycle = Path(n);
  cycle.edges.emplace_back(n, 1);
  Graph twoParts = Path(n);
  twoParts.edges.pop_back();
  bool done = false;
  OnSmallStack([&] {
    const RootedTree path = RootTree(Path(n)).value();
    const std::array<ExactDecimal, 16> sums = ComputeElementSums(path);
    const WholeTreeIndices indices = ComputeWholeTreeIndices(path);
    mpz_class wiener = 0;  // EGM: the edge k-(k+1) leaves paths of k and n - k vertices
    for (int k = 1; k < n; ++k) {
      const mpz_class a = k, b = n - k;
      wiener += (a * a * a - a) / 6 + (b * b * b - b) / 6;
    }
    EXPECT_EQ(HalfWhole(sums[0]), wiener);
    EXPECT_EQ(indices.hosoya.Wide(), Fibonacci(n + 1).back());
    EXPECT_FALSE(RootTree(cycle));
    EXPECT_NE(TreeProblem(cycle).find("1 cycle"), std::string::npos);
    EXPECT_NE(TreeProblem(twoParts).find("vertex 100000 has no edge"), std::string::npos);
    done = true;
  });
  EXPECT_TRUE(done);
}

}  // namespace
}  // namespace korvelant
