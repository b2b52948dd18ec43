#pragma once

#include <span>
#include <string>
#include <string_view>

#include "input/record_splitter.hpp"
#include "input/tree_record.hpp"

namespace korvelant {

// A batch input format: its --from name, the file name endings that imply it, how its
// records lie in a file, the reader of one record, and its lines in the batch's --help.
// A table (CSV, TSV) has no reader of its own: its rows are read by its header row.
struct InputFormat {
  std::string_view name;
  std::string_view extensions;  // blank-separated, without the dot: "sdf mol"
  TreeRecord (*read)(std::string_view record);
  SplitRules rules;
  bool smilesColumn = false;   // molecule formats add the SMILES column
  std::string_view help;       // lines of at most 76 characters, each ending in "\n"
  char tableSeparator = '\0';  // ',' or '\t' for a table
  bool titleLine = false;      // a first line whose first field is "smiles" may be a title

  bool IsTable() const { return tableSeparator != '\0'; }
};

std::span<const InputFormat> InputFormats();

// The format named by --from (any letter case), or null.
const InputFormat* FindInputFormat(std::string_view name);

// The format a file name's ending implies (any letter case), or null.
const InputFormat* FormatOfPath(std::string_view path);

// "edges, graph6 or sparse6": the names, for help and messages.
std::string InputFormatNames();

// The formats as the batch's --help lists them: each name with its help, the file name
// endings that imply it, and how vertices are numbered.
std::string InputFormatHelp();

}  // namespace korvelant
