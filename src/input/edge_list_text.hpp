#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "model/graph.hpp"

namespace korvelant {

// A vertex number or count as the user writes it: decimal digits only, at most nine.
std::optional<int> ReadCount(std::string_view text);

// Reads an edge list such as "1-2,2-3,2-4" on the vertices 1..vertices: each edge as two
// vertex numbers joined by "-", edges separated by ",", "" or "-" for none. Gives the edges in
// the order written, smaller vertex first, or a one-line reason naming the faulty edge
// (malformed, a vertex outside 1..vertices, a loop, an edge given twice).
std::variant<std::vector<Edge>, std::string> ReadEdgeList(std::string_view text, int vertices);

}  // namespace korvelant
