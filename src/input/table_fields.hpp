#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace korvelant {

// The fields of one table row as the quoted-line splitter cut it, split at `separator`
// (',' or '\t') outside quotes. Quotes follow the splitter's rule, so that a row and its
// fields always agree: every '"' opens or closes a quoted stretch, and inside one a doubled
// '"' stands for itself; separators and line ends inside quotes belong to the field. A row
// of RFC 4180 CSV reads as that RFC says. Bytes are passed as they are (NUL included).
void SplitTableFields(std::string_view row, char separator, std::vector<std::string>& fields);

}  // namespace korvelant
