#pragma once

#include <map>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace korvelant {

// An option a subcommand takes: the one declaration that both the parser and the help
// read. `value` names the option's value in the help ("N", "EDGES"), empty for an option
// that takes none; `help` is its description, lines separated by '\n', as the help prints
// them beside the name.
struct OptionRule {
  std::string_view name;  // without its dashes
  std::string_view value;
  std::string_view help;

  bool TakesValue() const { return !value.empty(); }
};

// A subcommand's arguments, sorted out.
struct ScannedArguments {
  std::map<std::string, std::string, std::less<>> values;  // option -> value
  std::set<std::string, std::less<>> flags;                // options without a value
  std::vector<std::string> operands;                       // the rest, in order
  bool help = false;
  bool version = false;
  std::optional<std::string> problem;  // the first thing wrong, for a usage message

  bool Has(std::string_view option) const {
    return values.contains(option) || flags.contains(option);
  }
};

// Sorts out the arguments after a subcommand's name, the way every subcommand reads them:
//  * "--name value" and "--name=value" alike; "--" ends the options;
//  * a value may be anything, "--help" and "-" included (--output --help names a file
//    "--help"), except another of this subcommand's options: "--output --vertices 3" is
//    a missing value, not a file named "--vertices" (write --output=--vertices for that);
//  * "--help" / "-h" and "--version" elsewhere ask for the help or the version;
//  * an option given twice, an unknown option, a value for an option that takes none, and
//    operands where `operands` is false are problems.
ScannedArguments ScanArguments(std::span<const std::string> arguments,
                               std::span<const OptionRule> options, bool operands);

}  // namespace korvelant
