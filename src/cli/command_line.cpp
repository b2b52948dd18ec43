#include "cli/command_line.hpp"

#include <algorithm>
#include <cctype>
#include <span>

#include "cli/argument_parser.hpp"
#include "cli/matrix_names.hpp"
#include "cli/subcommand_options.hpp"
#include "input/edge_list_text.hpp"
#include "input/ignoring_case.hpp"
#include "input/quoted_text.hpp"

namespace korvelant {
namespace {

constexpr int kMaxJobs = 256;
constexpr int kLargestDrawScale = 8;
constexpr int kLargestPictureSide = 10000;

std::variant<int, UsageError> ParseVertexCount(const std::string& text) {
  const auto count = ReadCount(text);
  if (!count) return UsageError{"--vertices needs a whole number, not " + QuotedText(text)};
  if (*count > kMaxMatrixVertices) return UsageError{MatrixTooLargeMessage(*count)};
  return *count;
}

// The tree: a graph from --vertices and --edges, read here, or a SMILES, which the command
// reads when it runs.
std::variant<TreeSource, UsageError> ParseTree(const ScannedArguments& scanned) {
  if (scanned.Has("smiles")) {
    if (scanned.Has("vertices") || scanned.Has("edges")) {
      return UsageError{
          "--smiles takes the place of --vertices and --edges; give one or the other"};
    }
    return TreeSource{std::nullopt, scanned.values.find("smiles")->second};
  }
  if (!scanned.Has("vertices")) return UsageError{"--vertices (or --smiles) is missing"};
  if (!scanned.Has("edges")) return UsageError{"--edges is missing (use --edges - for none)"};
  const auto count = ParseVertexCount(scanned.values.find("vertices")->second);
  if (auto* error = std::get_if<UsageError>(&count)) return *error;
  auto edges = ReadEdgeList(scanned.values.find("edges")->second, std::get<int>(count));
  if (auto* error = std::get_if<std::string>(&edges)) return UsageError{*error};
  return TreeSource{Graph{std::get<int>(count), std::move(std::get<std::vector<Edge>>(edges))}, {}};
}

std::variant<MatrixType, UsageError> ParseType(const std::string& text) {
  auto type = ReadMatrixType(text);
  if (auto* message = std::get_if<std::string>(&type)) return UsageError{std::move(*message)};
  return std::get<MatrixType>(type);
}

std::variant<TopologicalIndex, UsageError> ParseIndex(const std::string& text) {
  auto index = ReadTopologicalIndex(text);
  if (auto* message = std::get_if<std::string>(&index)) return UsageError{std::move(*message)};
  return std::get<TopologicalIndex>(index);
}

// One of a few words, in any letter case; a clear refusal naming them otherwise.
template <typename Choice, std::size_t N>
std::optional<UsageError> ParseChoice(const ScannedArguments& scanned, const char* option,
                                      const std::pair<std::string_view, Choice> (&names)[N],
                                      Choice& choice) {
  const auto found = scanned.values.find(option);
  if (found == scanned.values.end()) return std::nullopt;
  auto read = ReadChoice(names, std::string("--") + option, found->second);
  if (auto* message = std::get_if<std::string>(&read)) return UsageError{std::move(*message)};
  choice = std::get<Choice>(read);
  return std::nullopt;
}

// --width and --height: a picture side of 1 to kLargestPictureSide pixels or points.
std::optional<UsageError> ParsePictureSide(const ScannedArguments& scanned, const char* option,
                                           std::optional<int>& side) {
  const auto found = scanned.values.find(option);
  if (found == scanned.values.end()) return std::nullopt;
  const auto value = ReadCount(found->second);
  if (!value || *value < 1 || *value > kLargestPictureSide) {
    return UsageError{std::string("--") + option + " needs a whole number from 1 to " +
                      std::to_string(kLargestPictureSide) + ", not " + QuotedText(found->second)};
  }
  side = *value;
  return std::nullopt;
}

// How the picture looks: layout, background, numbers, caption and size.
std::optional<UsageError> ParseDrawLooks(const ScannedArguments& scanned, DrawRequest& request) {
  PaperPictureRequest& picture = request.picture;
  if (auto error = ParseChoice(scanned, "layout", kLayoutNames, request.layout)) return error;
  if (auto error = ParseChoice(scanned, "background", kBackgroundNames, picture.background))
    return error;
  if (auto error = ParsePictureSide(scanned, "width", picture.width)) return error;
  if (auto error = ParsePictureSide(scanned, "height", picture.height)) return error;
  picture.options.numbers = !scanned.flags.contains("no-numbers");
  if (const auto caption = scanned.values.find("caption"); caption != scanned.values.end())
    picture.options.caption = caption->second;
  return std::nullopt;
}

// The picture file draw writes: a name whose suffix says the kind; no standard output,
// which has no suffix to tell it.
std::optional<UsageError> ParseDrawOutput(const ScannedArguments& scanned, DrawRequest& request) {
  const auto found = scanned.values.find("output");
  if (found == scanned.values.end()) return UsageError{"--output is missing"};
  const std::string& path = found->second;
  const auto dot = path.find_last_of("./");
  const std::string suffix = dot == std::string::npos || path[dot] != '.' ? "" : path.substr(dot);
  if (SameIgnoringCase(suffix, ".svg")) {
    request.picture.kind = DrawFileKind::kSvg;
  } else if (SameIgnoringCase(suffix, ".png")) {
    request.picture.kind = DrawFileKind::kPng;
  } else if (SameIgnoringCase(suffix, ".pdf")) {
    request.picture.kind = DrawFileKind::kPdf;
  } else {
    return UsageError{"--output " + QuotedText(path) +
                      ": the name must end in .svg, .png or .pdf, the kind of picture to make"};
  }
  request.output = path;
  return std::nullopt;
}

CliRequest ParseDraw(const ScannedArguments& scanned) {
  if (!CanDraw()) {
    return UsageError{
        "this korvelant-cli was built without the window's drawing code, so "
        "without draw"};
  }
  auto tree = ParseTree(scanned);
  if (auto* error = std::get_if<UsageError>(&tree)) return *error;
  DrawRequest request;
  request.tree = std::move(std::get<TreeSource>(tree));
  request.preview = scanned.flags.contains("preview");
  if (request.preview && scanned.Has("type"))
    return UsageError{"--preview draws the tree, not a matrix: leave out --type"};
  if (!request.preview) {
    if (!scanned.Has("type")) return UsageError{"--type is missing (or --preview for the tree)"};
    const auto type = ParseType(scanned.values.find("type")->second);
    if (auto* error = std::get_if<UsageError>(&type)) return *error;
    request.type = std::get<MatrixType>(type);
  }
  if (const auto scale = scanned.values.find("scale"); scale != scanned.values.end()) {
    const auto value = ReadCount(scale->second);
    if (!value || *value < 1 || *value > kLargestDrawScale) {
      return UsageError{"--scale needs a whole number from 1 to " +
                        std::to_string(kLargestDrawScale) + ", not " + QuotedText(scale->second)};
    }
    request.picture.scale = *value;
  }
  if (auto error = ParseDrawLooks(scanned, request)) return *error;
  if (auto error = ParseDrawOutput(scanned, request)) return *error;
  if (!request.preview) request.picture.type = request.type;
  return request;
}

// --output: a file name, "-" for standard output; "" is refused rather than guessed at.
std::variant<std::optional<std::string>, UsageError> ParseOutput(const ScannedArguments& scanned) {
  const auto found = scanned.values.find("output");
  if (found == scanned.values.end() || found->second == "-") return std::optional<std::string>();
  if (found->second.empty())
    return UsageError{"--output needs a file name (\"-\" for standard output)"};
  return std::optional<std::string>(found->second);
}

CliRequest ParseFile(const ScannedArguments& scanned) {
  auto tree = ParseTree(scanned);
  if (auto* error = std::get_if<UsageError>(&tree)) return *error;
  auto output = ParseOutput(scanned);
  if (auto* error = std::get_if<UsageError>(&output)) return *error;
  return FileRequest{std::move(std::get<TreeSource>(tree)),
                     std::move(std::get<std::optional<std::string>>(output))};
}

std::variant<CalcFormat, UsageError> ParseCalcFormat(const std::string& text) {
  constexpr std::pair<std::string_view, CalcFormat> kFormats[] = {
      {"text", CalcFormat::kText}, {"csv", CalcFormat::kCsv},     {"tsv", CalcFormat::kTsv},
      {"json", CalcFormat::kJson}, {"latex", CalcFormat::kLatex},
  };
  for (const auto& [name, format] : kFormats) {
    if (SameIgnoringCase(text, name)) return format;
  }
  return UsageError{"unknown --format " + QuotedText(text) + ": use text, csv, tsv, json or latex"};
}

CliRequest ParseCalc(const ScannedArguments& scanned) {
  auto tree = ParseTree(scanned);
  if (auto* error = std::get_if<UsageError>(&tree)) return *error;
  if (!scanned.Has("type")) return UsageError{"--type is missing"};
  if (!scanned.Has("index")) return UsageError{"--index is missing"};
  const auto type = ParseType(scanned.values.find("type")->second);
  if (auto* error = std::get_if<UsageError>(&type)) return *error;
  const auto index = ParseIndex(scanned.values.find("index")->second);
  if (auto* error = std::get_if<UsageError>(&index)) return *error;
  CalcFormat format = CalcFormat::kText;
  if (const auto found = scanned.values.find("format"); found != scanned.values.end()) {
    const auto parsed = ParseCalcFormat(found->second);
    if (auto* error = std::get_if<UsageError>(&parsed)) return *error;
    format = std::get<CalcFormat>(parsed);
  }
  return CalcRequest{std::move(std::get<TreeSource>(tree)), std::get<MatrixType>(type),
                     std::get<TopologicalIndex>(index), format};
}

std::variant<const InputFormat*, UsageError> InputFormatOf(const std::string& path,
                                                           const InputFormat* from) {
  if (from != nullptr) return from;
  if (path == "-") {
    return UsageError{"reading standard input needs --from " + InputFormatNames()};
  }
  if (const InputFormat* format = FormatOfPath(path)) return format;
  return UsageError{"cannot tell the format of " + QuotedText(path) +
                    " from its name; use --from " + InputFormatNames()};
}

std::optional<UsageError> ReadBatchOptions(const ScannedArguments& scanned, BatchRequest& request) {
  if (const auto format = scanned.values.find("format"); format != scanned.values.end()) {
    if (SameIgnoringCase(format->second, "csv")) {
      request.format = RowFormatKind::kCsv;
    } else if (SameIgnoringCase(format->second, "jsonl")) {
      request.format = RowFormatKind::kJsonLines;
    } else {
      return UsageError{"unknown --format " + QuotedText(format->second) + ": use csv or jsonl"};
    }
  }
  request.matrices = scanned.flags.contains("matrices");
  request.header = !scanned.flags.contains("no-header");
  if (request.matrices && request.format != RowFormatKind::kJsonLines) {
    return UsageError{"--matrices needs --format jsonl: a CSV row has no room for matrices"};
  }
  if (const auto columns = scanned.values.find("columns"); columns != scanned.values.end()) {
    std::vector<std::string> names;
    for (std::size_t start = 0;;) {
      const std::size_t comma = std::min(columns->second.find(',', start), columns->second.size());
      names.push_back(columns->second.substr(start, comma - start));
      if (names.back().empty()) {
        return UsageError{
            "--columns needs column names between commas, such as name,WIPGM,H, not " +
            QuotedText(columns->second)};
      }
      if (comma == columns->second.size()) break;
      start = comma + 1;
    }
    request.outputColumns = std::move(names);
  }
  if (const auto jobs = scanned.values.find("jobs"); jobs != scanned.values.end()) {
    const auto count = ReadCount(jobs->second);
    if (!count || *count < 1 || *count > kMaxJobs) {
      return UsageError{"--jobs needs a whole number from 1 to " + std::to_string(kMaxJobs) +
                        ", not " + QuotedText(jobs->second)};
    }
    request.jobs = *count;
  }
  if (const auto column = scanned.values.find("smiles-column"); column != scanned.values.end())
    request.columns.smiles = column->second;
  if (const auto column = scanned.values.find("name-column"); column != scanned.values.end())
    request.columns.name = column->second;
  if (scanned.flags.contains("title-line") && scanned.flags.contains("no-title-line"))
    return UsageError{"--title-line and --no-title-line contradict each other; give one"};
  if (scanned.flags.contains("title-line")) request.titleLine = true;
  if (scanned.flags.contains("no-title-line")) request.titleLine = false;
  return std::nullopt;
}

// Tables fix the output's columns by their header rows, so they cannot share a batch with
// formats that have none; the options for tables and titles need an input they apply to.
std::optional<UsageError> CheckInputMix(const BatchRequest& request) {
  const auto count = [&](bool (*test)(const InputFormat&)) {
    return std::count_if(request.inputs.begin(), request.inputs.end(),
                         [&](const NamedInput& named) { return test(*named.format); });
  };
  const auto tables = count([](const InputFormat& format) { return format.IsTable(); });
  const auto titled = count([](const InputFormat& format) { return format.titleLine; });
  if (tables > 0 && tables < static_cast<long>(request.inputs.size()))
    return UsageError{"a table (csv, tsv) cannot share a batch with inputs of other formats"};
  if (tables == 0 && (request.columns.smiles || request.columns.name))
    return UsageError{"--smiles-column and --name-column are for tables (csv, tsv)"};
  if (titled == 0 && request.titleLine)
    return UsageError{"--title-line and --no-title-line are for SMILES files (smiles)"};
  return std::nullopt;
}

CliRequest ParseBatch(const ScannedArguments& scanned) {
  BatchRequest request;
  if (auto error = ReadBatchOptions(scanned, request)) return *error;
  auto output = ParseOutput(scanned);
  if (auto* error = std::get_if<UsageError>(&output)) return *error;
  request.output = std::move(std::get<std::optional<std::string>>(output));

  const InputFormat* from = nullptr;
  if (const auto name = scanned.values.find("from"); name != scanned.values.end()) {
    from = FindInputFormat(name->second);
    if (from == nullptr) {
      return UsageError{"unknown --from " + QuotedText(name->second) + ": use " +
                        InputFormatNames()};
    }
  }
  std::vector<std::string> paths = scanned.operands;
  if (paths.empty()) paths.emplace_back("-");
  for (const std::string& path : paths) {
    if (path.empty()) return UsageError{"an input file name is empty"};
    auto format = InputFormatOf(path, from);
    if (auto* error = std::get_if<UsageError>(&format)) return *error;
    request.inputs.push_back({path, std::get<const InputFormat*>(format)});
  }
  if (auto error = CheckInputMix(request)) return *error;
  return request;
}

struct Subcommand {
  std::string_view name;
  bool operands;
  CliRequest (*parse)(const ScannedArguments&);
};

constexpr Subcommand kSubcommands[] = {
    {"file", false, ParseFile},
    {"calc", false, ParseCalc},
    {"batch", true, ParseBatch},
    {"draw", false, ParseDraw},
};

const Subcommand* FindSubcommand(std::string_view name) {
  for (const Subcommand& subcommand : kSubcommands) {
    if (subcommand.name == name) return &subcommand;
  }
  return nullptr;
}

}  // namespace

bool CanDraw() {
#ifdef KORVELANT_DRAW
  return true;
#else
  return false;
#endif
}

CliRequest ParseCommandLine(const std::vector<std::string>& arguments) {
  if (arguments.empty()) return UsageError{"no command given; see korvelant-cli --help"};
  const std::string& command = arguments[0];
  if (command == "--help" || command == "-h") return HelpRequest{};
  if (command == "--version") return VersionRequest{};
  if (command == "help") {
    if (arguments.size() == 1) return HelpRequest{};
    if (FindSubcommand(arguments[1]) == nullptr) {
      return UsageError{"no help on " + QuotedText(arguments[1]) +
                        ": use file, calc, batch or draw"};
    }
    return HelpRequest{arguments[1]};
  }
  const Subcommand* subcommand = FindSubcommand(command);
  if (subcommand == nullptr) {
    return UsageError{"unknown command " + QuotedText(command) +
                      ": use file, calc, batch or draw; see korvelant-cli --help"};
  }
  const ScannedArguments scanned =
      ScanArguments(std::span(arguments).subspan(1), OptionsOf(command), subcommand->operands);
  if (scanned.help) return HelpRequest{command};
  if (scanned.version) return VersionRequest{};
  if (scanned.problem)
    return UsageError{*scanned.problem + "; see korvelant-cli " + command + " --help"};
  return subcommand->parse(scanned);
}

}  // namespace korvelant
