#include <csignal>
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli_app.hpp"

int main(int argc, char** argv) {
  // A file-size limit then fails the write with an error we report, instead of killing us.
  std::signal(SIGXFSZ, SIG_IGN);
  std::ios::sync_with_stdio(false);
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  return korvelant::RunCli(arguments, std::cout, std::cerr);
}
