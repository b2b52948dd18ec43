#include "input/tree_problem.hpp"

#include <gtest/gtest.h>

namespace korvelant {
namespace {

TEST(TreeProblem, NamesWhatMakesAGraphNoTree) {
  const std::pair<Graph, std::string> cases[] = {
      {{3, {{1, 2}, {2, 3}}}, ""},
      {{1, {}}, ""},
      {{0, {}}, "no vertices"},
      {{3, {{1, 2}, {2, 3}, {3, 1}}}, "1 cycle: 1-2-3-1"},
      // The cycle the first closing edge closes, through the edges before it.
      {{5, {{1, 2}, {2, 3}, {3, 4}, {4, 5}, {5, 2}, {1, 3}}}, "2 cycles: 2-3-4-5-2"},
      {{4, {{1, 2}, {3, 4}}}, "2 components"},
      {{5, {{1, 2}, {2, 3}, {3, 4}}}, "vertex 5 has no edge"},
      {{5, {{1, 2}}}, "4 components"},
      {{7, {{1, 2}, {2, 3}, {3, 1}, {4, 5}, {5, 6}, {6, 4}, {4, 7}, {7, 6}}},
       "3 cycles: 1-2-3-1; 2 components"},
      {{4, {{2, 3}, {3, 4}, {4, 2}}}, "1 cycle: 2-3-4-2; vertex 1 has no edge"},
      {{3, {{1, 2}, {2, 2}}}, "a loop at vertex 2"},
      {{3, {{1, 2}, {2, 1}}}, "edge 1-2 given twice"},
      {{3, {{1, 4}}}, "vertex 4 outside 1..3"},
  };
  for (const auto& [graph, problem] : cases)
    EXPECT_EQ(TreeProblem(graph), problem);
}

TEST(TreeProblem, AMoleculeHasRingsAndFragments) {
  const std::pair<Graph, std::string> cases[] = {
      {{3, {{1, 2}, {2, 3}}}, ""},
      {{0, {}}, "0 vertices"},
      {{3, {{1, 2}, {2, 3}, {3, 1}}}, "1 ring"},
      {{5, {{1, 2}, {2, 3}, {3, 4}}}, "2 fragments"},
      {{7, {{1, 2}, {2, 3}, {3, 1}, {4, 5}, {5, 6}, {6, 4}, {4, 7}, {7, 6}}},
       "3 rings, 2 fragments"},
  };
  for (const auto& [graph, problem] : cases)
    EXPECT_EQ(TreeProblem(graph, TreeWording::kMolecule), problem);
}

}  // namespace
}  // namespace korvelant
