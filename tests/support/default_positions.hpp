#pragma once

#include <array>
#include <utility>
#include <vector>

namespace korvelant::testing {

// Where a new tree of n vertices places vertices 1..n: 0-based grid positions (X, Y), the
// lists showing one more. Written out by hand, so the circle's 6.28 and the rounding of
// halves to even are checked against known values, not against the same formula.
inline const std::array<std::vector<std::pair<int, int>>, 9> kDefaultPositions = {{
    {},
    {{18, 10}},
    {{2, 10}, {18, 10}},
    {{6, 17}, {6, 3}, {18, 10}},
    {{10, 18}, {2, 10}, {10, 2}, {18, 10}},
    {{12, 18}, {4, 15}, {4, 5}, {12, 2}, {18, 10}},
    {{14, 17}, {6, 17}, {2, 10}, {6, 3}, {14, 3}, {18, 10}},
    {{15, 16}, {8, 18}, {3, 13}, {3, 7}, {8, 2}, {15, 4}, {18, 10}},
    {{16, 16}, {10, 18}, {4, 16}, {2, 10}, {4, 4}, {10, 2}, {16, 4}, {18, 10}},
}};

}  // namespace korvelant::testing
