#pragma once

#include <span>
#include <utility>

#include "model/bounded_array.hpp"
#include "model/int16.hpp"
#include "model/vertex_positions.hpp"  // kMaxVertices

namespace korvelant {

// The tree the user entered and the scratch arrays of the graph procedures. Everything
// starts at 0: the empty graph with no vertices. Only indices 1..VertexCount carry meaning;
// entries above it may hold leftovers of a larger tree and are never read.
struct TreeModel {
  Int16 VertexCount = 0;
  BoundedMatrix<Int16> Adjacency;     // 1 where an edge joins i and j
  BoundedMatrix<Int16> Distance;      // edges on a shortest path; 9 when unreachable
  BoundedMatrix<Int16> SubAdjacency;  // the subgraph of the matrix element under work
  BoundedMatrix<Int16> SubDistance;   // distances inside that subgraph
  BoundedVector<Int16> Used;          // -1 where the matching count has decided a vertex
  BoundedVector<Int16> NbrCount;      // neighbours of each vertex in the subgraph
  BoundedMatrix<Int16> NbrList;       // those neighbours, ascending, from position 1
  Int16 MatchCount = 0;               // matchings counted by the last Izbroji run
};

// A model of `vertices` vertices joined by the given edges, each stored both ways.
TreeModel TreeFromEdges(int vertices, std::span<const std::pair<int, int>> edges);

// The distance that marks a pair no path joins. No tree of at most 8 vertices has a path
// of 9 edges, so the marker is never a real distance.
inline constexpr int kUnreachable = 9;

}  // namespace korvelant
