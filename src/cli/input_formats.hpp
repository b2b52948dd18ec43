#pragma once

#include <span>
#include <string>
#include <string_view>

#include "input/record_splitter.hpp"
#include "input/tree_record.hpp"

namespace korvelant {

// A batch input format: its --from name, the file name endings that imply it, how its
// records lie in a file and the reader of one record.
struct InputFormat {
  std::string_view name;
  std::string_view extensions;  // blank-separated, without the dot: "sdf mol"
  TreeRecord (*read)(std::string_view record);
  SplitRules rules;
  bool smilesColumn = false;  // molecule formats add the SMILES column
};

std::span<const InputFormat> InputFormats();

// The format named by --from (any letter case), or null.
const InputFormat* FindInputFormat(std::string_view name);

// The format a file name's ending implies (any letter case), or null.
const InputFormat* FormatOfPath(std::string_view path);

// "edges, graph6 or sparse6": the names, for help and messages.
std::string InputFormatNames();

}  // namespace korvelant
