// The sums of the sixteen matrices without the matrices, against the sums of the matrices'
// elements (themselves held to the slow forest-by-forest computation elsewhere), and
// against closed forms for paths and stars.
#include <gtest/gtest.h>

#include <numeric>
#include <random>
#include <string>

#include "engine/element_sums.hpp"
#include "engine/graphical_matrices.hpp"
#include "engine/randic_term.hpp"
#include "model/number_text.hpp"
#include "support/tree_generators.hpp"

namespace korvelant::testing {
namespace {

// The first matrix whose element sum differs, or "".
std::string FirstMismatch(const Graph& graph) {
  const RootedTree tree = RootTree(graph).value();
  const GraphicalMatrices matrices = ComputeGraphicalMatrices(tree);
  const std::array<ExactDecimal, 16> sums = ComputeElementSums(tree);
  for (std::size_t block = 0; block < 16; ++block) {
    const MatrixType type = kMatrixTypes[block / 4];
    const TopologicalIndex index = kTopologicalIndices[block % 4];
    const ExactDecimal want = matrices.Of(type, index).Sum();
    if (sums[block] == want) continue;
    return EdgeListText(graph) + ": " + std::string(Letter(index)) + "I" +
           std::string(ShortName(type)) + " sum " + ToDecimalString(sums[block].ticks()) +
           ", matrix " + ToDecimalString(want.ticks()) + " (ten-thousandths)";
  }
  return "";
}

#ifdef KORVELANT_SANITIZED_BUILD
constexpr int kLargestExhaustive = 6;  // the 16,807 trees of 7 take seconds there
#else
constexpr int kLargestExhaustive = 7;
#endif

TEST(ElementSumsTest, EqualTheMatrixSumsOnEveryLabelledTreeUpTo7Vertices) {
  for (int n = 1; n <= kLargestExhaustive; ++n) {
    for (const Graph& graph : AllLabelledTrees(n))
      ASSERT_EQ(FirstMismatch(graph), "");
  }
}

TEST(ElementSumsTest, EqualTheMatrixSumsOnRandomTreesAndShapesUpTo128Vertices) {
  for (int n = 8; n <= 128; n += n < 30 ? 1 : 7) {
    for (const Graph& graph : RandomTrees(n, n < 30 ? 20 : 3, 900u + n))
      ASSERT_EQ(FirstMismatch(graph), "");
  }
  const Graph shapes[] = {Path(128),     Star(128),          Caterpillar(20, 3),
                          Broom(60, 68), DoubleStar(63, 63), Spider(9, 14),
                          Spider(42, 3), DoubleStar(31, 31)};
  for (const Graph& shape : shapes) {
    for (unsigned seed = 0; seed < 3; ++seed)
      ASSERT_EQ(FirstMismatch(Relabelled(shape, seed)), "");
  }
}

Int128 Ticks(Int128 whole) {
  return whole * 10000;
}

// On the path 1..n, taking away edge k-(k+1) leaves paths of k and n - k vertices, and the
// PGM element (i, j), i < j, the paths 1..i and j..n with single vertices between. With
// W(path of m) = C(m + 1, 3) and sum_{m<=M} C(m+1, 3) = C(M+2, 4) (the hockey stick):
//   EGM W sum = 2 sum_k [C(k+1, 3) + C(n-k+1, 3)] = 4 sum_{k<n} C(k+1, 3) = 4 C(n+1, 4)
//   PGM W sum = 2 sum_{i<j} [C(i+1, 3) + C(n-j+2, 3)] = 4 sum_i (n - i) C(i+1, 3)
//             = 4 C(n+2, 5) (the hockey stick once more).
Int128 Choose(Int128 n, int k) {
  Int128 result = 1;
  for (int i = 0; i < k; ++i)
    result = result * (n - i) / (i + 1);
  return result;
}

TEST(ElementSumsTest, PathsInClosedForm) {
  for (const int n : {2, 3, 10, 57, 128}) {
    const auto sums = ComputeElementSums(RootTree(Path(n)).value());
    // EGM: every cut; the two parts are paths.
    EXPECT_EQ(sums[0].ticks(), Ticks(4 * Choose(n + 1, 4))) << n;
    // PGM: the pair (i, j) keeps the paths 1..i and j..n; sum over i < j of C(i+1, 3) is
    // sum_i (n - i) C(i+1, 3) = C(n+2, 5) (hockey stick twice), and the same for j's side.
    EXPECT_EQ(sums[4].ticks(), Ticks(4 * Choose(n + 2, 5))) << n;
    // Zagreb of a path of m >= 3 vertices alone: 4 (m - 3) + 2 + 2 = 4m - 8; of 2: 1.
    // EGM Hosoya: F(k + 1) F(n - k + 1) summed over the cuts.
    Int128 hosoya = 0;
    Int128 fibonacci[131] = {0, 1};
    for (int k = 2; k <= 130; ++k)
      fibonacci[k] = fibonacci[k - 1] + fibonacci[k - 2];
    for (int k = 1; k < n; ++k)
      hosoya += fibonacci[k + 1] * fibonacci[n - k + 1];
    EXPECT_EQ(sums[3].ticks(), Ticks(2 * hosoya)) << n;
  }
}

// The star with centre 1 and n - 1 leaves: an EGM element leaves a star of n - 1 vertices and
// a vertex; an SVGM element leaves n single vertices; a PGM element of two leaves leaves a
// star of n - 2 vertices; a DVGM element of two leaves leaves the star of n - 2 vertices too.
TEST(ElementSumsTest, StarsInClosedForm) {
  for (const int n : {4, 9, 64, 128}) {
    const auto sums = ComputeElementSums(RootTree(Star(n)).value());
    const Int128 leaves = n - 1;
    const Int128 leafPairs = leaves * (leaves - 1) / 2;
    const auto starWiener = [](Int128 m) { return (m - 1) * (m - 1); };  // m vertices
    EXPECT_EQ(sums[0].ticks(), Ticks(2 * leaves * starWiener(n - 1)));
    EXPECT_EQ(sums[4].ticks(),
              Ticks(2 * (leaves * starWiener(n - 1) + leafPairs * starWiener(n - 2))));
    EXPECT_EQ(sums[12].ticks(), Ticks(2 * leafPairs * starWiener(n - 2)));
    // Zagreb: a star of m vertices has (m - 1) edges of product m - 1.
    EXPECT_EQ(sums[14].ticks(), Ticks(2 * leafPairs * (n - 3) * (n - 3)));
    // Hosoya: a star of m vertices has m matchings; SVGM leaves single vertices only.
    EXPECT_EQ(sums[3].ticks(), Ticks(2 * leaves * (n - 1)));
    EXPECT_EQ(sums[11].ticks(), Ticks(2 * leaves));
    EXPECT_EQ(sums[15].ticks(), Ticks(2 * (leaves + leafPairs * (n - 2))));
  }
}

// A term of 1 / sqrt(1024) = 0.03125 lies halfway between two ten-thousandths: it is taken
// to 0.0312, the even one. Centres 1 and 2 are joined, 1 with 31 leaves (degree 32), 2 with
// 30 leaves and the path 2-3-4 (degree 32). The EGM element (3, 4) keeps both centres whole:
// the middle edge's tie, 31 + 30 leaf edges at degree 32 and the edge 2-3 with 3 now a leaf,
// each 1 / sqrt(32) = 0.17677... -> 0.1768: 0.0312 + 62 * 0.1768 = 10.9928.
TEST(ElementSumsTest, RandicTermHalfwayIsRoundedToEven) {
  EXPECT_EQ(RandicTermTicks(1024), 312);
  Graph graph{4, {{1, 2}, {2, 3}, {3, 4}}};
  for (int leaf = 0; leaf < 31; ++leaf)
    graph.edges.emplace_back(1, ++graph.vertexCount);
  for (int leaf = 0; leaf < 30; ++leaf)
    graph.edges.emplace_back(2, ++graph.vertexCount);
  const RootedTree tree = RootTree(graph).value();
  const GraphicalMatrices matrices = ComputeGraphicalMatrices(tree);
  const MatrixView randic = matrices.Of(MatrixType::EGM, TopologicalIndex::Randic);
  EXPECT_EQ(randic(3, 4).ticks(), 312 + 62 * 1768);
  EXPECT_EQ(ComputeElementSums(tree)[1], randic.Sum());
}

}  // namespace
}  // namespace korvelant::testing
