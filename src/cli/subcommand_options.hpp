#pragma once

#include <span>
#include <string>
#include <string_view>

#include "cli/argument_parser.hpp"

namespace korvelant {

// The options of each subcommand (file, calc, batch, draw), declared once: the parser
// takes exactly these and the help describes exactly these. Empty for an unknown name.
std::span<const OptionRule> OptionsOf(std::string_view subcommand);

// The "Options:" block of a subcommand's help: each option as "  --name VALUE" with its
// description beside it, from the 18th column or after one blank, its further lines
// indented to that column.
std::string OptionsHelp(std::span<const OptionRule> options);

}  // namespace korvelant
