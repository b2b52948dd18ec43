#include "cli/argument_parser.hpp"

#include <algorithm>

#include "input/quoted_text.hpp"

namespace korvelant {
namespace {

const OptionRule* FindOption(std::span<const OptionRule> options, std::string_view name) {
  const auto found = std::find_if(options.begin(), options.end(),
                                  [&](const OptionRule& option) { return option.name == name; });
  return found == options.end() ? nullptr : &*found;
}

// Whether `argument` is one of this subcommand's own options, written either way.
bool NamesAnOption(std::span<const OptionRule> options, std::string_view argument) {
  if (!argument.starts_with("--")) return false;
  argument.remove_prefix(2);
  return FindOption(options, argument.substr(0, argument.find('='))) != nullptr;
}

class Scanner {
 public:
  Scanner(std::span<const OptionRule> options, bool operands)
      : options_(options), operandsAllowed_(operands) {}

  ScannedArguments Scan(std::span<const std::string> arguments) {
    for (std::size_t k = 0; k < arguments.size(); ++k) {
      const std::string& argument = arguments[k];
      if (argument == "--") {
        for (++k; k < arguments.size(); ++k)
          AddOperand(arguments[k]);
        break;
      }
      if (argument == "--help" || argument == "-h") {
        result_.help = true;
      } else if (argument == "--version") {
        result_.version = true;
      } else if (argument.starts_with("--")) {
        k += ScanOption(argument, k + 1 < arguments.size() ? &arguments[k + 1] : nullptr);
      } else if (argument.size() > 1 && argument.front() == '-') {
        Problem("unknown option " + QuotedText(argument));
      } else {
        AddOperand(argument);
      }
    }
    return std::move(result_);
  }

 private:
  // Reads the option in `argument`, and its value from `next` when it takes one and has no
  // "=". Returns the number of arguments used beyond `argument`.
  std::size_t ScanOption(const std::string& argument, const std::string* next) {
    const auto equals = argument.find('=');
    const std::string name = argument.substr(2, equals == std::string::npos ? equals : equals - 2);
    const OptionRule* option = FindOption(options_, name);
    if (option == nullptr) {
      Problem("unknown option " + QuotedText(argument.substr(0, equals)));
      return 0;
    }
    if (!option->TakesValue()) {
      if (equals != std::string::npos) Problem("--" + name + " takes no value");
      if (!result_.flags.insert(name).second) Problem("--" + name + " is given twice");
      return 0;
    }
    std::size_t used = 0;
    std::string value;
    if (equals != std::string::npos) {
      value = argument.substr(equals + 1);
    } else if (next == nullptr || NamesAnOption(options_, *next)) {
      Problem("--" + name + " needs a value");
      return 0;
    } else {
      value = *next;
      used = 1;
    }
    if (!result_.values.emplace(name, std::move(value)).second) {
      Problem("--" + name + " is given twice");
    }
    return used;
  }

  void AddOperand(const std::string& operand) {
    if (!operandsAllowed_) Problem("unexpected argument " + QuotedText(operand));
    result_.operands.push_back(operand);
  }

  void Problem(std::string text) {
    if (!result_.problem) result_.problem = std::move(text);
  }

  std::span<const OptionRule> options_;
  bool operandsAllowed_;
  ScannedArguments result_;
};

}  // namespace

ScannedArguments ScanArguments(std::span<const std::string> arguments,
                               std::span<const OptionRule> options, bool operands) {
  return Scanner(options, operands).Scan(arguments);
}

}  // namespace korvelant
