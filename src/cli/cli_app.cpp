#include "cli/cli_app.hpp"

#include "engine/rooted_tree.hpp"
#include "input/tree_problem.hpp"

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
  // A molecule comes with its reason in a chemist's words; edges are judged here.
  const std::string reason =
      tree.notATreeReason.empty() ? TreeProblem(tree.graph) : tree.notATreeReason;
  if (!reason.empty()) ReportProblem(streams.err, reason);
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
#ifdef KORVELANT_DRAW
  if (const auto* draw = std::get_if<DrawRequest>(&request)) return RunDraw(*draw, streams);
#endif
  return RunBatch(std::get<BatchRequest>(request), streams);
}

int RunCli(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
  TextSource noInput("");
  StreamSink sink(out);
  return RunCli(arguments, CliStreams{noInput, sink, err, false});
}

}  // namespace korvelant
