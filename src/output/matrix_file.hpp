#pragma once

#include <string>

#include "matrices/command_values.hpp"
#include "model/tree_model.hpp"

namespace korvelant {

// The bytes of the matrix file: sixteen blocks, the four indices W, R, Z, H of EGM, then of
// PGM, SVGM and DVGM, each named like "WIEGM" and written as nested braces with CR LF line
// ends. "HIEGM" and "HIDVGM" stand on a line of their own. Distance must be current and the
// graph a tree; MatrixElement is left holding the last block.
std::string MatrixFileText(TreeModel& model, CommandValues& values);

}  // namespace korvelant
