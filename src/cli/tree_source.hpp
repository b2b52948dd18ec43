#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/cli_app.hpp"
#include "model/graph.hpp"
#include "model/plane_point.hpp"

namespace korvelant {

// The tree as the command line gives it: a graph from --vertices and --edges, or the text
// of --smiles, which is read when the command runs.
struct TreeSource {
  std::optional<Graph> graph;
  std::string smiles;
};

// The tree a command computes. A molecule that is no tree comes with the reason ("1 ring",
// "2 fragments"), and with RDKit's 2D depiction ([v - 1] for vertex v) when one was asked.
struct TreeInput {
  Graph graph;
  std::string notATreeReason;
  std::vector<PlanePoint> depiction;
};

// The tree of `source`: the graph as given, or the SMILES's hydrogen-suppressed skeleton,
// vertices in the SMILES's atom order, depicted when `depict`. A SMILES that cannot be read,
// or one past the matrices' vertex limit, is bad input: its message goes to standard error and
// nothing is returned (the command then exits with kBadInput).
std::optional<TreeInput> ReadTreeOrReport(const TreeSource& source, const CliStreams& streams,
                                          bool depict = false);

}  // namespace korvelant
