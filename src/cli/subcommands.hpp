#pragma once

#include "cli/cli_app.hpp"
#include "cli/command_line.hpp"

namespace korvelant {

int RunFile(const FileRequest& request, const CliStreams& streams);
int RunCalc(const CalcRequest& request, const CliStreams& streams);
int RunBatch(const BatchRequest& request, const CliStreams& streams);
// Only in a build with the window (KORVELANT_DRAW).
int RunDraw(const DrawRequest& request, const CliStreams& streams);

// Hands on what is left in standard output: kSuccess, or kCannotWrite after one message
// (none when the reader has gone, as `| head` does).
int FinishOutput(const CliStreams& streams);

// The refusal of a graph that is not a tree: the message, then the reason ("1 ring" for a
// molecule, "1 cycle: 1-2-3-1" for edges). Returns kNotATree.
int ReportNotATree(const TreeInput& tree, const CliStreams& streams);

}  // namespace korvelant
