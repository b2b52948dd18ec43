#pragma once

#include <string>

#include "engine/graphical_matrices.hpp"

namespace korvelant {

// The bytes of the matrix file: sixteen blocks, the four indices W, R, Z, H of EGM, then of
// PGM, SVGM and DVGM, each named like "WIEGM" and written as nested braces with CR LF line
// ends, every number in its number text (a blank, then the digits). "HIEGM" and "HIDVGM"
// stand on a line of their own.
std::string MatrixFileText(const GraphicalMatrices& matrices);

}  // namespace korvelant
