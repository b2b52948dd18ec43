#pragma once

#include <vector>

#include "model/graph.hpp"

// Trees to test with: every labelled tree of a size, random ones, and the named shapes.
namespace korvelant::testing {

// The tree of a Pruefer code over 1..n (n >= 3, a code of n - 2 vertex numbers).
Graph FromPruefer(int n, const std::vector<int>& code);

// All n^(n-2) labelled trees on 1..n, by their Pruefer codes.
std::vector<Graph> AllLabelledTrees(int n);

// `count` uniformly random labelled trees on 1..n, reproducible from `seed`.
std::vector<Graph> RandomTrees(int n, int count, unsigned seed);

// The same tree with its vertices 2..n numbered anew at random, reproducibly from `seed`:
// vertex 1, where the engine roots a tree, stays.
Graph Relabelled(const Graph& graph, unsigned seed);

Graph Path(int n);  // 1-2-...-n
Graph Star(int n);  // centre 1, leaves 2..n
// The path 1..spine with `legs` leaves on each spine vertex.
Graph Caterpillar(int spine, int legs);
// The path 1..handle with `bristles` leaves on its last vertex.
Graph Broom(int handle, int bristles);
// Two joined centres 1 and 2, with `left` and `right` leaves: adjacent high degrees.
Graph DoubleStar(int left, int right);
// `legs` paths of `length` vertices each hung from centre 1.
Graph Spider(int legs, int length);

}  // namespace korvelant::testing
