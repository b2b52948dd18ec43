#pragma once

#include <string>
#include <string_view>

namespace korvelant {

// The text of --help: the program's overview for an empty command, else the usage of the
// subcommand "file", "calc" or "batch".
std::string HelpText(std::string_view command);

// "korvelant-cli VERSION" and a line end.
std::string VersionText();

}  // namespace korvelant
