#pragma once

#include <string_view>

#include "input/tree_record.hpp"

namespace korvelant::fuzz {

// Whether a reader always says why a graph it read is not a tree (the molecule readers do),
// or may leave that to the batch.
enum class TreeProblems { AlwaysNamed, MayBeUnnamed };

// What every batch reader promises of the record it returns, whatever the input: a graph or
// a one-line error, never both; a graph within kMaxHalfSumVertices on vertices 1..n that
// RootTree roots exactly when the reader found no tree problem.
void CheckTreeRecord(const TreeRecord& record, TreeProblems problems);

}  // namespace korvelant::fuzz
