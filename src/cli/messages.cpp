#include "cli/messages.hpp"

#include "input/quoted_text.hpp"

namespace korvelant {

void ReportProblem(std::ostream& err, std::string_view message) {
  err << "korvelant-cli: " << WithControlsEscaped(message) << '\n' << std::flush;
}

}  // namespace korvelant
