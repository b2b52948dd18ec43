#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

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

}  // namespace korvelant::fuzz
