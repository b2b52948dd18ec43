#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace korvelant {

// An undirected edge between two vertex numbers.
using Edge = std::pair<int, int>;

// The largest tree the engine computes. Every value of every matrix of a tree this size is
// exact in 128 bits, in ten-thousandths, and so is the sum of a whole matrix: the Hosoya
// count of the path on 128 vertices, F(129) ~ 4.1e26, the largest element there is.
inline constexpr int kMaxTreeVertices = 128;

// A graph on the vertices 1..vertexCount, each edge listed once in either orientation.
// Every input (the window's grid, an edge list, a graph6 record, a molecule) becomes one;
// the engine accepts it once RootTree has found it a tree.
struct Graph {
  int vertexCount = 0;
  std::vector<Edge> edges;

  friend bool operator==(const Graph&, const Graph&) = default;
};

// True when an edge joins a and b, in either orientation.
bool Joined(const Graph& graph, int a, int b);

// The graph with the edge {a, b} added, or taken away when it is there.
Graph WithEdgeToggled(Graph graph, int a, int b);

// The edges as "1-2,2-3,2-4", in the graph's order, smaller vertex first; "" for none.
std::string EdgeListText(const Graph& graph);
// The same appended to `out`.
void AppendEdgeListText(std::string& out, const Graph& graph);

// What the window and the file command say of a graph that is not a tree.
inline constexpr std::string_view kNotATreeMessage =
    "Graph is not a tree and this program works only with trees";

// "Korvelant computes trees of up to 128 vertices; this one has N."
std::string TooLargeMessage(int vertexCount);

}  // namespace korvelant
