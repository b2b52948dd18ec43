#include <unistd.h>

#include <csignal>
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli_app.hpp"

int main(int argc, char** argv) {
  // A file-size limit or a closed pipe then fail the write with an error we handle (one
  // message, or none for a reader that has gone), instead of killing us mid-row.
  std::signal(SIGXFSZ, SIG_IGN);
  std::signal(SIGPIPE, SIG_IGN);
  std::ios::sync_with_stdio(false);
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  korvelant::DescriptorSource standardInput(STDIN_FILENO);
  korvelant::DescriptorSink standardOutput(STDOUT_FILENO, "cannot write to standard output");
  return korvelant::RunCli(
      arguments, {standardInput, standardOutput, std::cerr, ::isatty(STDERR_FILENO) == 1});
}
