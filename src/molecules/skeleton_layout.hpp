#pragma once

#include <vector>

#include "model/graph.hpp"
#include "model/plane_point.hpp"

namespace korvelant {

// Where a chemist's drawing of the carbon skeleton puts each vertex of `tree` ([v - 1] for
// vertex v): RDKit's 2D depiction of a molecule with a carbon per vertex and a single bond
// per edge; a vertex of more than four edges is a dummy atom, which takes any number of
// bonds. Where that depiction still puts two vertices nearer than half a bond (a vertex of a
// dozen edges) or RDKit fails, the tree's radial layout instead.
std::vector<PlanePoint> SkeletonLayout(const Graph& tree);

}  // namespace korvelant
