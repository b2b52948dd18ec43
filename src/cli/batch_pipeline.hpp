#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/input_formats.hpp"
#include "cli/input_source.hpp"
#include "cli/output_sink.hpp"
#include "input/record_splitter.hpp"
#include "input/table_columns.hpp"

namespace korvelant {

// One input of a batch, opened when its turn comes.
struct BatchInput {
  const InputFormat* format = nullptr;
  std::string where;  // "FILE, " before line numbers when a batch reads several files
  // Opens the input, or gives nothing and sets the message.
  std::function<std::unique_ptr<InputSource>(std::string& failure)> open;
  // What a failed read says: "cannot read \"FILE\"".
  std::string readFailurePrefix;
  // Takes the input's first record, on the reading thread before any row of the input is
  // made, when it may be a header row or a title line: true when it was one (it makes no
  // row), false to leave it a record. Setting `failure` stops the batch there, as an input
  // that cannot be read.
  std::function<bool(const SplitRecord& record, std::string& failure)> takeFirst;
  // A table's columns, as its header row (taken by takeFirst) says; null for other formats.
  const TableColumns* table = nullptr;
};

struct PipelineSettings {
  int jobs = 1;
  std::size_t chunkRecords = 256;
  // Hand each chunk's rows on at once, so that rows come out while input still arrives.
  bool flushEachChunk = false;
};

struct PipelineOutcome {
  std::uint64_t records = 0;
  std::uint64_t refused = 0;
  // An input could not be opened or read, or its header row refused.
  std::optional<std::string> readFailure;
};

// Appends the row of one record; false for a refused row. Called from several threads.
using RowMaker =
    std::function<bool(const SplitRecord& record, const BatchInput& input, std::string& out)>;

// Reads the inputs in order on the calling thread, cuts them into chunks of records, has
// `jobs` threads make the rows, and one thread write them in input order, whatever thread
// finished first. A fixed set of chunks circulates, so memory stays flat however long the
// input: the reader waits for a free chunk when the writer is behind. `progress` is told the
// records written after each chunk. Writing stops at the first failure of `out` (its
// message is left there), and reading stops with it or at the first input that fails.
PipelineOutcome RunBatchPipeline(const std::vector<BatchInput>& inputs, const RowMaker& makeRow,
                                 OutputSink& out, const PipelineSettings& settings,
                                 const std::function<void(std::uint64_t)>& progress);

}  // namespace korvelant
