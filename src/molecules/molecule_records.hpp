#pragma once

#include <string_view>

#include "input/tree_record.hpp"

namespace korvelant {

// Batch records from molecules. A molecule that is read but is not a tree keeps its
// skeleton in `graph` and the reason in `treeProblem` ("1 ring", "2 fragments", "0
// vertices: hydrogen atoms only"), for the batch to report as not a tree. A molecule RDKit
// cannot read, an empty one and one past kMaxHalfSumVertices heavy atoms have no graph and
// say why in `error`.

// One line of a .smi file: a SMILES, then after white space (blanks or tabs) an optional
// name, the rest of the line trimmed. `smiles` is the SMILES as written. Callers skip blank
// lines; given one, the record says it holds no SMILES.
TreeRecord SmilesLineRecord(std::string_view line);

// Whether a .smi file's first line is a title line rather than a molecule: its first
// field is "smiles" in any letter case, as tools that write such files head them.
bool IsSmilesTitleLine(std::string_view line);

// A SMILES and a name given apart, as a table's row gives them.
TreeRecord SmilesRecord(std::string_view smiles, std::string_view name);

// One SD file record, without its "$$$$" line: named by its title line; `smiles` is the
// SMILES RDKit writes for it, absent when it cannot be read.
TreeRecord SdfRecord(std::string_view block);

}  // namespace korvelant
