#pragma once

#include <string>
#include <vector>

#include "model/graph.hpp"

// What the batch tests share: running the batch inside the test, reading its CSV back, and
// trees written as edge lines.
namespace korvelant::testing {

struct BatchRun {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs "korvelant-cli batch ARGUMENTS" with `input` as standard input.
BatchRun RunBatch(const std::vector<std::string>& arguments, const std::string& input);

// The records of an RFC 4180 CSV text, each a list of fields, read independently of the
// program's writer: quoted fields may hold commas, doubled quotes and line ends.
std::vector<std::vector<std::string>> ReadCsv(const std::string& text);

// "N EDGES NAME" for the batch's edge lines.
std::string EdgeLine(const Graph& graph, const std::string& name);

}  // namespace korvelant::testing
