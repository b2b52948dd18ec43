#pragma once

#include <string>
#include <variant>

#include "model/matrix_kind.hpp"

namespace korvelant {

// A matrix type as a user writes it: "EGM", "PGM", "SVGM" or "DVGM" in any letter case; else
// the message "unknown matrix type "X": use EGM, PGM, SVGM or DVGM".
std::variant<MatrixType, std::string> ReadMatrixType(const std::string& text);

// An index by its letter (W, R, Z, H) or its name (Wiener, Randic, Zagreb, Hosoya), in any
// letter case; else the message "unknown index "X": use W, R, Z or H".
std::variant<TopologicalIndex, std::string> ReadTopologicalIndex(const std::string& text);

}  // namespace korvelant
