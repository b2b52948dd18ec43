#pragma once

#include "molecules/molecule_reading.hpp"

namespace korvelant::fuzz {

// What ReadSmiles and ReadMolBlock promise of every reading: a tree to compute within the
// limit (with one finite depiction point per vertex when one was asked for), or a refusal
// of the kind that fits, told in one line.
void CheckMoleculeReading(const MoleculeReading& reading, Depiction depiction);

}  // namespace korvelant::fuzz
