#pragma once

#include "engine/graphical_matrices.hpp"
#include "engine/rooted_tree.hpp"

namespace korvelant {

// Sets every element of the matrices that `matrices` has room for (a TypeMatrices of size
// 0 is skipped; EGM and SVGM made by TypeMatrices::EveryEdge, PGM and DVGM by EveryPair),
// each in a constant number of steps from the sides of the tree's edges
// (engine/tree_sides.hpp), O(n^2) for all sixteen:
//  - EGM (i, j): the two sides of the edge.
//  - SVGM (i, j): i and j alone, and the sides of their other neighbours.
//  - PGM (i, j): one component per path vertex, the vertex with the sides of all its
//    neighbours off the path; summed for Wiener, Zagreb and Randic, multiplied for Hosoya.
//  - DVGM (i, j) with i, j not joined: i and j alone, the sides of their neighbours off the
//    path, and the middle component around the path's inner vertices, whose matchings
//    follow a chain along the path and whose Wiener index has a closed form.
// Each pair is counted once, where its path turns: at its upper end, met while climbing
// from the lower end, or at the vertex where the paths from both ends meet, from the
// running values kept for each vertex and each of its ancestors.
void BuildElements(const RootedTree& tree, GraphicalMatrices& matrices);

}  // namespace korvelant
