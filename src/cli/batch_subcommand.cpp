#include <algorithm>
#include <thread>

#include "cli/batch_pipeline.hpp"
#include "cli/batch_row.hpp"
#include "cli/messages.hpp"
#include "cli/progress_line.hpp"
#include "cli/subcommands.hpp"
#include "input/quoted_text.hpp"
#include "molecules/molecule_records.hpp"
#include "output/streaming_file_writer.hpp"

namespace korvelant {
namespace {

constexpr std::size_t kChunkRecords = 256;
// Rows with all sixteen matrices of a large tree run to megabytes: fewer of them at once.
constexpr std::size_t kChunkRecordsWithMatrices = 4;

// Standard input, lent to the pipeline, which owns the files it opens.
class BorrowedSource : public InputSource {
 public:
  explicit BorrowedSource(InputSource& source) : source_(source) {}
  long Read(char* buffer, std::size_t size, int& error) override {
    return source_.Read(buffer, size, error);
  }
  bool Trickles() const override { return source_.Trickles(); }

 private:
  InputSource& source_;
};

std::vector<BatchInput> MakeInputs(const BatchRequest& request, InputSource& standardInput) {
  std::vector<BatchInput> inputs;
  const bool several = request.inputs.size() > 1;
  for (const NamedInput& named : request.inputs) {
    const bool isStandardInput = named.path == "-";
    BatchInput input;
    input.format = named.format;
    if (several) input.where = (isStandardInput ? "standard input" : named.path) + ", ";
    input.readFailurePrefix =
        "cannot read " + (isStandardInput ? "standard input" : QuotedText(named.path));
    if (isStandardInput) {
      input.open = [&standardInput](std::string&) -> std::unique_ptr<InputSource> {
        return std::make_unique<BorrowedSource>(standardInput);
      };
    } else {
      input.open = [path = named.path](std::string& failure) -> std::unique_ptr<InputSource> {
        return FileSource::Open(path, failure);
      };
    }
    inputs.push_back(std::move(input));
  }
  return inputs;
}

// Opens every named input once before any row is written, so that a misspelt name is a
// usage error with nothing written. Returns whether one of them may trickle in.
std::optional<std::string> CheckInputs(const BatchRequest& request, InputSource& standardInput,
                                       bool& trickles) {
  trickles = false;
  for (const NamedInput& named : request.inputs) {
    if (named.path == "-") {
      trickles = trickles || standardInput.Trickles();
      continue;
    }
    std::string failure;
    const auto source = FileSource::Open(named.path, failure);
    if (!source) return failure;
    trickles = trickles || source->Trickles();
  }
  return std::nullopt;
}

// The output's header: written before the first row, which for tables is when the first
// header row has fixed the carried columns; later tables must carry the same ones.
class OutputHeader {
 public:
  OutputHeader(const BatchRequest& request, const RowFormat& rows, RowLayout& layout,
               OutputSink& out)
      : request_(request),
        rows_(rows),
        layout_(layout),
        out_(out),
        ownColumns_(ColumnNames(layout)) {}

  // Writes the header now unless tables are to fix it; the message when --columns names a
  // column there is not.
  std::optional<std::string> Start() {
    if (request_.inputs.front().format->IsTable()) return std::nullopt;
    return FixColumnsAndWrite();
  }

  // Takes a table's header row into `table`; false with the reason when it is refused.
  bool TakeTable(const SplitRecord& record, const InputFormat& format, TableColumns& table,
                 std::string& failure) {
    if (record.tooLong || record.openQuote) {
      failure = record.openQuote ? "its header row opens a quote it never closes"
                                 : "its header row is longer than " +
                                       std::to_string(format.rules.maxRecordBytes) + " bytes";
      return false;
    }
    auto header =
        ReadTableHeader(record.text, format.tableSeparator, request_.columns, ownColumns_);
    if (auto* problem = std::get_if<std::string>(&header)) {
      failure = std::move(*problem);
      return false;
    }
    table = std::move(std::get<TableColumns>(header));
    if (written_) {
      if (table.carriedNames == layout_.carried) return true;
      failure = "its columns besides the SMILES and name differ from the first table's";
      return false;
    }
    layout_.carried = table.carriedNames;
    if (auto problem = FixColumnsAndWrite()) {
      failure = std::move(*problem);
      return false;
    }
    return true;
  }

  // A batch whose tables were all empty still gets its header.
  std::optional<std::string> Finish() {
    if (written_) return std::nullopt;
    return FixColumnsAndWrite();
  }

 private:
  // The columns once the carried ones are known: all, or those --columns names.
  std::optional<std::string> FixColumnsAndWrite() {
    if (request_.outputColumns) {
      auto chosen = ChooseColumns(layout_, *request_.outputColumns);
      if (auto* problem = std::get_if<std::string>(&chosen)) return std::move(*problem);
      layout_.columns = std::move(std::get<std::vector<RowColumn>>(chosen));
    } else {
      layout_.columns = AllColumns(layout_);
    }
    Write();
    return std::nullopt;
  }

  void Write() {
    written_ = true;
    if (request_.header) out_.Write(rows_.Header(layout_));
  }

  const BatchRequest& request_;
  const RowFormat& rows_;
  RowLayout& layout_;
  OutputSink& out_;
  const std::vector<std::string> ownColumns_;
  bool written_ = false;
};

// Gives each input that may start with a header row or title line the hook that takes it.
void TakeFirstRecords(const BatchRequest& request, OutputHeader& header,
                      std::vector<BatchInput>& inputs, std::vector<TableColumns>& tables) {
  tables.resize(inputs.size());
  for (std::size_t k = 0; k < inputs.size(); ++k) {
    BatchInput& input = inputs[k];
    const NamedInput& named = request.inputs[k];
    const std::string shown = named.path == "-" ? "standard input" : QuotedText(named.path);
    if (input.format->IsTable()) {
      input.table = &tables[k];
      input.takeFirst = [&header, &table = tables[k], format = input.format, shown](
                            const SplitRecord& record, std::string& failure) {
        if (!header.TakeTable(record, *format, table, failure)) failure = shown + ": " + failure;
        return true;
      };
    } else if (input.format->titleLine) {
      input.takeFirst = [titleLine = request.titleLine](const SplitRecord& record, std::string&) {
        return titleLine ? *titleLine : IsSmilesTitleLine(record.text);
      };
    }
  }
}

int Jobs(const BatchRequest& request) {
  if (request.jobs > 0) return request.jobs;
  return static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
}

}  // namespace

int RunBatch(const BatchRequest& request, const CliStreams& streams) {
  bool trickles = false;
  if (auto failure = CheckInputs(request, streams.in, trickles)) {
    ReportProblem(streams.err, *failure);
    return kBadInput;
  }
  std::optional<StreamingFileWriter> file;
  std::optional<DescriptorSink> fileSink;
  OutputSink* out = &streams.out;
  if (request.output) {
    file.emplace(*request.output, StopSignals::kRemoveTemporary);
    if (file->failure()) {
      ReportProblem(streams.err, *file->failure());
      return kCannotWrite;
    }
    out = &fileSink.emplace(file->fd(), file->FailurePrefix());
  }

  const std::unique_ptr<RowFormat> rows =
      request.format == RowFormatKind::kCsv ? CsvRows() : JsonLineRows();
  RowLayout layout{std::any_of(request.inputs.begin(), request.inputs.end(),
                               [](const NamedInput& named) { return named.format->smilesColumn; }),
                   request.matrices,
                   {}};
  OutputHeader header(request, *rows, layout, *out);
  if (auto problem = header.Start()) {
    ReportProblem(streams.err, *problem);
    return kBadInput;
  }

  std::vector<BatchInput> inputs = MakeInputs(request, streams.in);
  std::vector<TableColumns> tables;
  TakeFirstRecords(request, header, inputs, tables);
  const RowMaker makeRow = [&](const SplitRecord& record, const BatchInput& input,
                               std::string& text) {
    return AppendBatchRow(record, *input.format, input.table, input.where, *rows, layout, text);
  };
  PipelineSettings settings;
  settings.jobs = Jobs(request);
  settings.chunkRecords = request.matrices ? kChunkRecordsWithMatrices : kChunkRecords;
  settings.flushEachChunk = trickles || out->IsTerminal();
  std::optional<ProgressLine> progress;
  if (streams.errIsTerminal) progress.emplace(streams.err);
  const PipelineOutcome outcome =
      RunBatchPipeline(inputs, makeRow, *out, settings, [&](std::uint64_t records) {
        if (progress) progress->Update(records);
      });
  // The summary closes a batch that ran through; a failure's message stands alone.
  if (progress && !outcome.readFailure && !out->failed()) {
    progress->Finish(outcome.records, outcome.refused);
  } else if (progress) {
    progress->Clear();
  }
  std::optional<std::string> readFailure = outcome.readFailure;
  if (!readFailure) readFailure = header.Finish();

  if (!out->Flush()) {
    if (!out->readerGone()) ReportProblem(streams.err, out->failure());
    return kCannotWrite;
  }
  if (readFailure) {
    ReportProblem(streams.err, *readFailure);
    return kBadInput;
  }
  if (file) {
    if (auto failure = file->Commit()) {
      ReportProblem(streams.err, *failure);
      return kCannotWrite;
    }
  }
  return outcome.refused > 0 ? kSomeRecordsRefused : kSuccess;
}

}  // namespace korvelant
