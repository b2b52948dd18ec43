#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "cli/input_source.hpp"
#include "cli/output_sink.hpp"

namespace korvelant {

enum ExitStatus : int {
  kSuccess = 0,
  kNotATree = 1,
  kSomeRecordsRefused = 1,  // batch
  kBadInput = 2,
  kCannotWrite = 3,
};

// The program's standard streams.
struct CliStreams {
  InputSource& in;
  OutputSink& out;
  std::ostream& err;
  bool errIsTerminal = false;  // a progress line may be shown there
};

// Runs korvelant-cli with the arguments after the program name; returns the exit status.
int RunCli(const std::vector<std::string>& arguments, const CliStreams& streams);

// The same with an empty standard input, for running commands inside a test.
int RunCli(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

}  // namespace korvelant
