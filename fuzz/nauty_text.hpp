#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "input/tree_record.hpp"
#include "model/graph.hpp"

namespace korvelant::fuzz {

// graph6 and sparse6 decoded the slow, plain way, straight from the formats' description,
// to judge the readers that hand records to nauty. Each takes a record without header and
// blanks (sparse6 with its ":") and gives the vertex count and the edges, vertices from 1,
// each edge smaller vertex first, sorted; nothing when the record is malformed.
struct DecodedGraph {
  std::uint64_t vertices = 0;
  std::vector<Edge> edges;
};

// `line` without the blanks (spaces, tabs) around it and the header, if it starts with it.
std::string_view WithoutBlanksAndHeader(std::string_view line, std::string_view header);

std::optional<DecodedGraph> DecodeGraph6(std::string_view record);
std::optional<DecodedGraph> DecodeSparse6(std::string_view record);

// The demand of the graph6 and sparse6 targets: `read` takes `line` exactly when `decode`
// finds a well-formed record (after `header`, if any) of at most kMaxHalfSumVertices vertices,
// and then as the same graph, named by the record. nauty's decoder, which trusts its input
// and is not instrumented, is judged by its answer.
void CheckNautyReader(std::string_view line, std::string_view header,
                      TreeRecord (*read)(std::string_view),
                      std::optional<DecodedGraph> (*decode)(std::string_view));

}  // namespace korvelant::fuzz
