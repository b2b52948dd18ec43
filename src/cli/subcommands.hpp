#pragma once

#include "cli/cli_app.hpp"
#include "cli/command_line.hpp"

namespace korvelant {

int RunFile(const FileRequest& request, const CliStreams& streams);
int RunCalc(const CalcRequest& request, const CliStreams& streams);
int RunBatch(const BatchRequest& request, const CliStreams& streams);

// Hands on what is left in standard output: kSuccess, or kCannotWrite after one message
// (none when the reader has gone, as `| head` does).
int FinishOutput(const CliStreams& streams);

// The refusal of a graph that is not a tree: the message, then the reason when it is known
// ("1 ring" for a molecule). Returns kNotATree.
int ReportNotATree(const TreeInput& tree, const CliStreams& streams);

}  // namespace korvelant
