#pragma once

#include <string>

// Inside the molecules layer only: RDKit made quiet and ready for parallel readers.
namespace korvelant::rdkit_setup {

// Once per process, before RDKit is used: no RDKit logger writes to the terminal any more,
// the error logger's lines are kept per thread for TakeReason, and the parsers have run
// once, so lazily built tables exist before threads race to build them. Every entry point
// of the layer calls it; later calls cost an atomic load.
void PrepareRdkit();

// Forgets what RDKit logged on this thread so far.
void ClearReason();

// The first line RDKit's error logger wrote on this thread since ClearReason, without its
// time stamp and "SMILES Parse Error: " prefix; `fallback` when it wrote none.
std::string TakeReason(const std::string& fallback);

}  // namespace korvelant::rdkit_setup
