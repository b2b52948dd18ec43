#pragma once

#include <map>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace korvelant {

// An option a subcommand takes, named without its dashes.
struct OptionRule {
  std::string_view name;
  bool takesValue = true;
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
