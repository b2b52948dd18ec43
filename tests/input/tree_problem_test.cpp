#include "input/tree_problem.hpp"

#include <gtest/gtest.h>

namespace korvelant {
namespace {

TEST(TreeProblem, NamesWhatMakesAGraphNoTree) {
  const std::pair<Graph, std::string> cases[] = {
      {{3, {{1, 2}, {2, 3}}}, ""},
      {{1, {}}, ""},
      {{0, {}}, "no vertices"},
      {{3, {{1, 2}, {2, 3}, {3, 1}}}, "1 ring"},
      {{4, {{1, 2}, {3, 4}}}, "2 fragments"},
      {{5, {{1, 2}}}, "4 fragments"},
      {{7, {{1, 2}, {2, 3}, {3, 1}, {4, 5}, {5, 6}, {6, 4}, {4, 7}, {7, 6}}},
       "3 rings, 2 fragments"},
      {{3, {{1, 2}, {2, 2}}}, "a loop at vertex 2"},
      {{3, {{1, 2}, {2, 1}}}, "edge 1-2 given twice"},
      {{3, {{1, 4}}}, "vertex 4 outside 1..3"},
  };
  for (const auto& [graph, problem] : cases)
    EXPECT_EQ(TreeProblem(graph), problem);
}

}  // namespace
}  // namespace korvelant
