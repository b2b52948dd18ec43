#pragma once

#include <array>

#include "engine/rooted_tree.hpp"
#include "model/exact_decimal.hpp"

namespace korvelant {

// The sums of the elements of the sixteen graphical matrices, in the file's order (EGM with
// W, R, Z and H, then PGM, SVGM and DVGM), without the matrices: each twice its matrix's
// half-sum, exactly what MatrixView::Sum gives, in O(n).
//
// A matrix is symmetric with a zero diagonal, so its sum is twice the sum over unordered
// pairs. EGM and SVGM pairs are the edges. A PGM or DVGM pair is counted where its path
// turns, as in the matrices (engine/element_builder.hpp), but with the values of all the
// pairs below one child of the turning vertex added up: every part of an element is a sum
// of a value of one end, a value of the other end and a value of the turning vertex
// without the two children toward the ends, or a product of such values. The sums over
// pairs of children come from running (prefix) sums, and for the matchings of the turning
// vertex without two children's sides, from prefix and suffix products of its sides.
std::array<ExactDecimal, 16> ComputeElementSums(const RootedTree& tree);

}  // namespace korvelant
