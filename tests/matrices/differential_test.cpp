// The engine against two slow references (one written from the definitions, one the
// window's procedures written literally): every element of all sixteen matrices, the
// drawing's edge classification, the half-sum and the file bytes, over every labelled tree
// of up to 8 vertices (up to 7 in the sanitizer build) and thousands of random ones.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "engine/element_subgraph.hpp"
#include "engine/graphical_matrices.hpp"
#include "matrices/numeric_display.hpp"
#include "model/number_text.hpp"
#include "output/matrix_file.hpp"
#include "reference/distance_matrix.hpp"
#include "reference/topological_index.hpp"
#include "support/named_trees.hpp"
#include "support/slow_reference.hpp"
#include "support/tree_generators.hpp"

namespace korvelant::testing {
namespace {

constexpr MatrixType kTypes[] = {MatrixType::EGM, MatrixType::PGM, MatrixType::SVGM,
                                 MatrixType::DVGM};
constexpr TopologicalIndex kIndices[] = {TopologicalIndex::Wiener, TopologicalIndex::Randic,
                                         TopologicalIndex::Zagreb, TopologicalIndex::Hosoya};

EdgeListTree ToEdgeList(const Graph& graph) {
  return EdgeListTree{graph.vertexCount, graph.edges};
}

std::vector<EdgeListTree> ToEdgeLists(const std::vector<Graph>& graphs) {
  std::vector<EdgeListTree> trees;
  for (const Graph& graph : graphs)
    trees.push_back(ToEdgeList(graph));
  return trees;
}

std::vector<EdgeListTree> AllTrees(int n) {
  return ToEdgeLists(AllLabelledTrees(n));
}

std::vector<EdgeListTree> Random(int n, int count, unsigned seed) {
  return ToEdgeLists(RandomTrees(n, count, seed));
}

RootedTree Rooted(const EdgeListTree& tree) {
  return RootTree(Graph{tree.vertices, tree.edges}).value();
}

TreeModel ToModel(const EdgeListTree& tree) {
  TreeModel model = MakeTree(tree.vertices, {});
  for (const auto& [a, b] : tree.edges) {
    model.Adjacency(a, b) = 1;
    model.Adjacency(b, a) = 1;
  }
  NadjiMatricuUdaljenosti(model);
  return model;
}

std::string Describe(const EdgeListTree& tree) {
  std::ostringstream text;
  text << "tree n=" << tree.vertices << " edges";
  for (const auto& [a, b] : tree.edges)
    text << " " << a << "-" << b;
  return text.str();
}

std::string Describe(const EdgeListTree& tree, MatrixType type, int i, int j) {
  return Describe(tree) + ", " + std::string(ShortName(type)) + " element (" + std::to_string(i) +
         ", " + std::to_string(j) + ")";
}

// The first difference between engine and reference for this tree, or "" when none.
std::string FirstMismatch(const EdgeListTree& tree) {
  const int n = tree.vertices;
  const RootedTree rooted = Rooted(tree);
  const GraphicalMatrices matrices = ComputeGraphicalMatrices(rooted);
  for (MatrixType type : kTypes) {
    for (int i = 1; i <= n; ++i) {
      for (int j = 1; j <= n; ++j) {
        const ReferenceValues expected = ReferenceElement(tree, i, j, type);
        for (TopologicalIndex index : kIndices) {
          const std::int64_t want = expected.Of(index);
          const auto got = static_cast<std::int64_t>(matrices.Of(type, index)(i, j).ticks());
          if (got == want) continue;
          return Describe(tree, type, i, j) + ", index " + std::string(Letter(index)) +
                 ": engine " + std::to_string(got) + " reference " + std::to_string(want) +
                 " (ten-thousandths)";
        }
        const bool empty = ReferenceIsEmpty(tree, i, j, type);
        if (IsEmptyElement(rooted, i, j, type) != empty) {
          return Describe(tree, type, i, j) + ": IsEmptyElement differs, reference says " +
                 (empty ? "empty" : "non-empty");
        }
        if (empty) continue;
        const std::vector<bool> want = ReferenceRemovedEdges(tree, i, j, type);
        if (RemovedEdges(rooted, i, j, type) != want) {
          return Describe(tree, type, i, j) + ": RemovedEdges differs";
        }
      }
    }
  }
  return "";
}

// The window's procedures, written literally, against the engine: every element and the
// half-sum text the remarks label shows.
std::string FirstLiteralMismatch(const EdgeListTree& tree) {
  TreeModel model = ToModel(tree);
  CommandValues values;
  const GraphicalMatrices matrices = ComputeGraphicalMatrices(Rooted(tree));
  for (MatrixType type : kTypes) {
    for (TopologicalIndex index : kIndices) {
      ComputeMatrix(model, values, type, index);
      const MatrixView engine = matrices.Of(type, index);
      FixedDecimal sum;
      for (int i = 1; i <= tree.vertices; ++i) {
        for (int j = 1; j <= tree.vertices; ++j) {
          sum += values.MatrixElement(i, j);
          if (values.MatrixElement(i, j).ticks() == engine(i, j).ticks()) continue;
          return Describe(tree, type, i, j) + ", index " + std::string(Letter(index)) +
                 ": the literal procedures differ";
        }
      }
      const std::string literalHalfSum =
          "Half-sum of matrix elements is: " + ReferenceDoubleText(sum.ToDouble() / 2.0);
      if (literalHalfSum != HalfSumText(engine.Sum())) {
        return Describe(tree) + ": half-sum " + literalHalfSum + " vs " + HalfSumText(engine.Sum());
      }
    }
  }
  return "";
}

std::string FirstFileMismatch(const EdgeListTree& tree) {
  const std::string got = MatrixFileText(ComputeGraphicalMatrices(Rooted(tree)));
  const std::string want = ReferenceFileText(tree);
  if (got == want) return "";
  const auto at = std::mismatch(got.begin(), got.end(), want.begin(), want.end());
  const std::size_t offset = static_cast<std::size_t>(at.first - got.begin());
  const std::size_t from = offset < 30 ? 0 : offset - 30;
  return Describe(tree) + ": file differs at byte " + std::to_string(offset) +
         "\nengine:    " + ::testing::PrintToString(got.substr(from, 60)) +
         "\nreference: " + ::testing::PrintToString(want.substr(from, 60));
}

// Checks the trees in turn and reports only the first one that differs.
void ExpectNoMismatch(const std::vector<EdgeListTree>& trees,
                      std::string (*check)(const EdgeListTree&)) {
  for (const EdgeListTree& tree : trees) {
    const std::string mismatch = check(tree);
    if (!mismatch.empty()) {
      ADD_FAILURE() << mismatch;
      return;
    }
  }
}

TEST(SlowReferenceTest, KnownValuesOfSmallTrees) {
  const EdgeListTree path4{4, {{1, 2}, {2, 3}, {3, 4}}};
  const ReferenceValues egm12 = ReferenceElement(path4, 1, 2, MatrixType::EGM);
  EXPECT_EQ(egm12.wiener, 40000);
  EXPECT_EQ(egm12.zagreb, 40000);
  EXPECT_EQ(egm12.randic, 14142);
  EXPECT_EQ(egm12.hosoya, 30000);
  const ReferenceValues egm23 = ReferenceElement(path4, 3, 2, MatrixType::EGM);
  EXPECT_EQ(egm23.wiener, 20000);
  EXPECT_EQ(egm23.randic, 20000);
  EXPECT_EQ(egm23.hosoya, 40000);
  EXPECT_EQ(ReferenceElement(path4, 1, 3, MatrixType::EGM).hosoya, 0);
  EXPECT_EQ(ReferenceElement(path4, 1, 3, MatrixType::SVGM).hosoya, 0);
  EXPECT_EQ(ReferenceElement(path4, 1, 4, MatrixType::PGM).hosoya, 10000);
  EXPECT_EQ(ReferenceElement(path4, 1, 4, MatrixType::DVGM).wiener, 10000);

  const EdgeListTree branched{5, {{1, 2}, {1, 3}, {1, 4}, {4, 5}}};
  EXPECT_EQ(ReferenceElement(branched, 4, 5, MatrixType::EGM).randic, 17322);
  EXPECT_EQ(ReferenceElement(branched, 2, 5, MatrixType::PGM).zagreb, 10000);
  EXPECT_EQ(ReferenceElement(branched, 2, 3, MatrixType::DVGM).zagreb, 40000);

  const EdgeListTree path8 = ToEdgeList(Path(8));
  const EdgeListTree star8 = ToEdgeList(Star(8));
  EXPECT_EQ(ReferenceIndices(path8).hosoya, 340000);
  EXPECT_EQ(ReferenceIndices(path8).wiener, 840000);
  EXPECT_EQ(ReferenceIndices(star8).hosoya, 80000);
  EXPECT_EQ(ReferenceIndices(star8).zagreb, 490000);
  EXPECT_EQ(ReferenceElement(star8, 1, 5, MatrixType::SVGM).hosoya, 10000);

  const std::pair<int, int> kTerms[] = {{1, 10000}, {2, 7071}, {3, 5774},  {4, 5000},
                                        {7, 3780},  {8, 3536}, {12, 2887}, {15, 2582}};
  for (const auto& [product, ticks] : kTerms)
    EXPECT_EQ(ReferenceRandicTerm(product), ticks) << product;
}

TEST(SlowReferenceTest, FileFormat) {
  EXPECT_EQ(ReferenceNumberText(0), " 0");
  EXPECT_EQ(ReferenceNumberText(120000), " 12");
  EXPECT_EQ(ReferenceNumberText(22360), " 2.236");
  EXPECT_EQ(ReferenceNumberText(10001), " 1.0001");
  const std::string single = ReferenceFileText(EdgeListTree{1, {}});
  EXPECT_TRUE(single.starts_with("WIEGM= { { 0} }\r\nRIEGM= { { 0} }\r\n")) << single;
  EXPECT_NE(single.find("ZIEGM= { { 0} }\r\nHIEGM\r\n= { { 0} }\r\nWIPGM"), std::string::npos);
  EXPECT_TRUE(single.ends_with("ZIDVGM= { { 0} }\r\nHIDVGM\r\n= { { 0} }\r\n")) << single;
  const std::string path3 = ReferenceFileText(EdgeListTree{3, {{1, 2}, {2, 3}}});
  EXPECT_NE(path3.find("HIPGM= { { 0,  2,  1}, \r\n{ 2,  0,  2}, \r\n{ 1,  2,  0} }\r\nWISVGM"),
            std::string::npos)
      << path3;
  const std::string star4 = ReferenceFileText(EdgeListTree{4, {{1, 2}, {1, 3}, {1, 4}}});
  EXPECT_NE(star4.find("RIEGM= { { 0,  1.4142,  1.4142,  1.4142}, \r\n{ 1.4142,  0,  0,  0}, "
                       "\r\n{ 1.4142,  0,  0,  0}, \r\n{ 1.4142,  0,  0,  0} }\r\nZIEGM"),
            std::string::npos)
      << star4;
}

// One test per vertex count, so that a parallel test run spreads them.
class EveryLabelledTree : public ::testing::TestWithParam<int> {};

TEST_P(EveryLabelledTree, MatchesReference) {
  const int n = GetParam();
  const std::vector<EdgeListTree> trees = AllTrees(n);
  std::set<std::set<std::pair<int, int>>> distinct;
  for (const EdgeListTree& tree : trees) {
    std::set<std::pair<int, int>> edges;
    for (const auto& [a, b] : tree.edges)
      edges.emplace(std::min(a, b), std::max(a, b));
    ASSERT_EQ(static_cast<int>(edges.size()), n - 1) << Describe(tree);
    distinct.insert(edges);
  }
  int cayley = 1;  // n^(n - 2) labelled trees
  for (int k = 0; k < n - 2; ++k)
    cayley *= n;
  ASSERT_EQ(static_cast<int>(distinct.size()), cayley);
  ExpectNoMismatch(trees, FirstMismatch);
}

#ifdef KORVELANT_SANITIZED_BUILD
constexpr int kLargestExhaustive = 7;  // the 262,144 trees of 8 take minutes here
#else
constexpr int kLargestExhaustive = 8;
#endif

INSTANTIATE_TEST_SUITE_P(DifferentialTest, EveryLabelledTree,
                         ::testing::Range(1, kLargestExhaustive + 1),
                         [](const auto& info) { return std::to_string(info.param) + "Vertices"; });

TEST(DifferentialTest, RandomEightVertexTrees) {
  std::vector<EdgeListTree> trees = Random(8, 3000, 20240611u);
  trees.push_back(ToEdgeList(Path(8)));
  trees.push_back(ToEdgeList(Star(8)));
  ExpectNoMismatch(trees, FirstMismatch);
}

TEST(DifferentialTest, LiteralProcedures) {
  std::vector<EdgeListTree> trees = Random(8, 1500, 99u);
  for (int n = 1; n <= 6; ++n) {
    const std::vector<EdgeListTree> all = AllTrees(n);
    trees.insert(trees.end(), all.begin(), all.end());
  }
  ExpectNoMismatch(trees, FirstLiteralMismatch);
}

TEST(DifferentialTest, MatrixFileBytes) {
  std::vector<EdgeListTree> trees = {ToEdgeList(Path(8)), ToEdgeList(Star(8))};
  for (int n = 1; n <= 6; ++n) {
    const std::vector<EdgeListTree> all = AllTrees(n);
    trees.insert(trees.end(), all.begin(), all.end());
  }
  const std::vector<EdgeListTree> random = Random(8, 2000, 77u);
  trees.insert(trees.end(), random.begin(), random.end());
  ExpectNoMismatch(trees, FirstFileMismatch);
}

}  // namespace
}  // namespace korvelant::testing
