#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "model/graph.hpp"

namespace korvelant {

// One record of a batch input, read: a graph to compute, or why there is none. Readers of
// every format (edge lines, graph6, sparse6, SMILES, molfiles) produce it from the text of
// one record; the batch computes and prints it without knowing where it came from.
struct TreeRecord {
  std::string name;                   // the record's name; empty when it has none
  std::optional<std::string> smiles;  // for molecules: the input SMILES, or RDKit's for a molfile
  std::optional<Graph> graph;         // absent when the record could not be read
  std::string error;                  // why it could not be read; empty when it was
  // A graph that was read but is not a tree carries the reason in `treeProblem` ("1 ring",
  // "2 fragments") when the reader knows one; the batch reports "not a tree" with it.
  std::string treeProblem;
};

}  // namespace korvelant
