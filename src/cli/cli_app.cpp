#include "cli/cli_app.hpp"

#include "engine/rooted_tree.hpp"

#include "cli/command_line.hpp"
#include "cli/help_text.hpp"
#include "cli/messages.hpp"
#include "cli/subcommands.hpp"

namespace korvelant {
namespace {

int WriteText(const std::string& text, const CliStreams& streams) {
  streams.out.Write(text);
  return FinishOutput(streams);
}

}  // namespace

int FinishOutput(const CliStreams& streams) {
  if (streams.out.Flush()) return kSuccess;
  if (!streams.out.readerGone()) ReportProblem(streams.err, streams.out.failure());
  return kCannotWrite;
}

int ReportNotATree(const TreeInput& tree, const CliStreams& streams) {
  ReportProblem(streams.err, kNotATreeMessage);
  if (!tree.notATreeReason.empty()) ReportProblem(streams.err, tree.notATreeReason);
  return kNotATree;
}

int RunCli(const std::vector<std::string>& arguments, const CliStreams& streams) {
  const CliRequest request = ParseCommandLine(arguments);
  if (const auto* error = std::get_if<UsageError>(&request)) {
    ReportProblem(streams.err, error->message);
    return kBadInput;
  }
  if (const auto* help = std::get_if<HelpRequest>(&request)) {
    return WriteText(HelpText(help->command), streams);
  }
  if (std::holds_alternative<VersionRequest>(request)) return WriteText(VersionText(), streams);
  if (const auto* file = std::get_if<FileRequest>(&request)) return RunFile(*file, streams);
  if (const auto* calc = std::get_if<CalcRequest>(&request)) return RunCalc(*calc, streams);
  return RunBatch(std::get<BatchRequest>(request), streams);
}

int RunCli(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
  TextSource noInput("");
  StreamSink sink(out);
  return RunCli(arguments, CliStreams{noInput, sink, err, false});
}

}  // namespace korvelant
