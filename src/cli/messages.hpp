#pragma once

#include <ostream>
#include <string_view>

namespace korvelant {

// Writes "korvelant-cli: MESSAGE" and a line end to standard error, with control characters
// and bytes that are not UTF-8 escaped (see WithControlsEscaped): the one way every message
// of the program reaches a terminal. Values quoted inside a message come from QuotedText.
void ReportProblem(std::ostream& err, std::string_view message);

}  // namespace korvelant
