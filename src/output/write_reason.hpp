#pragma once

#include <string>

namespace korvelant {

// The system's description of `error` (an errno value) in English, whatever the user's
// locale, like every other text of the program.
std::string SystemReason(int error);

// The one shape of every refusal of the writer: `Cannot write "PATH": REASON`. The path is
// named as the user gave it; making control characters visible is the caller's job.
std::string CannotWriteMessage(const std::string& path, const std::string& reason);

}  // namespace korvelant
