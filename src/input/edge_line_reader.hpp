#pragma once

#include <string_view>

#include "input/tree_record.hpp"

namespace korvelant {

// Reads one line "N EDGES [NAME]": the vertex count, the edge list as --edges takes it
// ("1-2,2-3"; "-" or nothing for none, so "1" alone is the one-vertex tree) and an optional
// name, the rest of the line. Fields are separated by spaces or tabs. Vertices are numbered
// as given. A record that cannot be read carries the reason, without the line number.
TreeRecord EdgeLineRecord(std::string_view line);

}  // namespace korvelant
