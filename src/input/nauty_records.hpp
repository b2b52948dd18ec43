#pragma once

#include <string_view>

#include "input/tree_record.hpp"

namespace korvelant {

// Read one line of the formats nauty's generators write (geng, gentreeg): graph6, or
// sparse6 which starts with ":". The record is checked (CheckNautyRecord) and then decoded
// by nauty's own library; vertex k of nauty is vertex k + 1 here, and the edges are listed
// in order. The name is the record as written, without the header.
TreeRecord Graph6Record(std::string_view line);
TreeRecord Sparse6Record(std::string_view line);

}  // namespace korvelant
