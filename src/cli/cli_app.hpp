#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace korvelant {

enum ExitStatus : int { kSuccess = 0, kNotATree = 1, kBadInput = 2, kCannotWrite = 3 };

// Runs korvelant-cli with the arguments after the program name; returns the exit status.
int RunCli(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

}  // namespace korvelant
