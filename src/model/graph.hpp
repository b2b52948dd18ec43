#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace korvelant {

// An undirected edge between two vertex numbers.
using Edge = std::pair<int, int>;

// The largest trees the engine computes: all sixteen matrices, n^2 elements each, up to
// kMaxMatrixVertices; the half-sums and the whole tree's indices, which take O(n), up to
// kMaxHalfSumVertices. Every input reader refuses a tree past the larger one; whatever
// shows a matrix refuses one past the smaller. Counts past 128 bits (the Hosoya count of
// the path on n vertices is F(n + 1), 2^127 at 183 vertices) are exact through GMP.
inline constexpr int kMaxMatrixVertices = 1000;
inline constexpr int kMaxHalfSumVertices = 100000;

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

// "Korvelant computes matrices of trees of up to 1,000 vertices", and the same of the
// half-sums: the start of every message that refuses a tree too large.
std::string MatrixLimitText();
std::string HalfSumLimitText();
// "Korvelant computes matrices of trees of up to 1,000 vertices; this one has N."
std::string MatrixTooLargeMessage(int vertexCount);
// "Korvelant computes half-sums and indices of trees of up to 100,000 vertices; this one
// has N."
std::string HalfSumTooLargeMessage(int vertexCount);

}  // namespace korvelant
