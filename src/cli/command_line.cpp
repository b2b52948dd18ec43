#include "cli/command_line.hpp"

#include <algorithm>
#include <map>

#include "model/number_text.hpp"
#include "model/vertex_positions.hpp"

namespace korvelant {
namespace {

// The options as given: name without dashes -> value.
using OptionValues = std::map<std::string, std::string>;

std::optional<int> ReadWholeNumber(const std::string& text) {
  if (text.empty() || text.front() == ' ') return std::nullopt;
  return ReadNumber(text);
}

std::variant<int, UsageError> ParseVertexCount(const std::string& text) {
  const auto count = ReadWholeNumber(text);
  if (!count) return UsageError{"--vertices needs a whole number, not \"" + text + "\""};
  if (*count < 0 || *count > kMaxVertices) {
    return UsageError{"--vertices must be from 0 to 8, not " + text};
  }
  return *count;
}

std::variant<Edge, UsageError> ParseEdge(const std::string& pair, int vertices) {
  const auto dash = pair.find('-');
  const auto first =
      dash == std::string::npos ? std::nullopt : ReadWholeNumber(pair.substr(0, dash));
  const auto second =
      dash == std::string::npos ? std::nullopt : ReadWholeNumber(pair.substr(dash + 1));
  if (!first || !second) {
    return UsageError{"malformed edge \"" + pair + "\": write two vertex numbers as in 1-2"};
  }
  for (const int vertex : {*first, *second}) {
    if (vertex < 1 || vertex > vertices) {
      return UsageError{"edge \"" + pair + "\" names vertex " + std::to_string(vertex) +
                        ", but the vertices are numbered 1 to " + std::to_string(vertices)};
    }
  }
  if (*first == *second) {
    return UsageError{"edge \"" + pair + "\" joins a vertex to itself"};
  }
  return Edge{std::min(*first, *second), std::max(*first, *second)};
}

std::variant<std::vector<Edge>, UsageError> ParseEdges(const std::string& text, int vertices) {
  std::vector<Edge> edges;
  if (text.empty()) return edges;
  std::size_t start = 0;
  while (true) {
    const auto comma = text.find(',', start);
    const std::string pair = text.substr(start, comma - start);
    auto edge = ParseEdge(pair, vertices);
    if (auto* error = std::get_if<UsageError>(&edge)) return *error;
    if (std::find(edges.begin(), edges.end(), std::get<Edge>(edge)) != edges.end()) {
      return UsageError{"edge \"" + pair + "\" is given twice"};
    }
    edges.push_back(std::get<Edge>(edge));
    if (comma == std::string::npos) return edges;
    start = comma + 1;
  }
}

std::variant<MatrixType, UsageError> ParseType(const std::string& text) {
  for (const MatrixType type : kMatrixTypes) {
    if (text == ShortName(type)) return type;
  }
  return UsageError{"unknown matrix type \"" + text + "\": use EGM, PGM, SVGM or DVGM"};
}

std::variant<TopologicalIndex, UsageError> ParseIndex(const std::string& text) {
  for (const TopologicalIndex index : kTopologicalIndices) {
    if (text == Letter(index)) return index;
  }
  return UsageError{"unknown index \"" + text + "\": use W, R, Z or H"};
}

std::variant<OptionValues, UsageError> CollectOptions(const std::vector<std::string>& arguments,
                                                      const std::vector<std::string>& allowed) {
  OptionValues values;
  for (std::size_t k = 1; k < arguments.size(); k += 2) {
    const std::string& option = arguments[k];
    const std::string name = option.rfind("--", 0) == 0 ? option.substr(2) : "";
    if (std::find(allowed.begin(), allowed.end(), name) == allowed.end()) {
      return UsageError{"unknown option \"" + option + "\" for \"" + arguments[0] + "\""};
    }
    if (k + 1 >= arguments.size()) return UsageError{option + " needs a value"};
    if (!values.emplace(name, arguments[k + 1]).second) {
      return UsageError{option + " is given twice"};
    }
  }
  return values;
}

struct TreeArguments {
  int vertices = 0;
  std::vector<Edge> edges;
};

std::variant<TreeArguments, UsageError> ParseTree(const OptionValues& values) {
  if (!values.contains("vertices")) return UsageError{"--vertices is missing"};
  if (!values.contains("edges"))
    return UsageError{"--edges is missing (use --edges \"\" for none)"};
  const auto count = ParseVertexCount(values.at("vertices"));
  if (auto* error = std::get_if<UsageError>(&count)) return *error;
  auto edges = ParseEdges(values.at("edges"), std::get<int>(count));
  if (auto* error = std::get_if<UsageError>(&edges)) return *error;
  return TreeArguments{std::get<int>(count), std::move(std::get<std::vector<Edge>>(edges))};
}

CliRequest ParseFile(const std::vector<std::string>& arguments) {
  auto options = CollectOptions(arguments, {"vertices", "edges", "output"});
  if (auto* error = std::get_if<UsageError>(&options)) return *error;
  const auto& values = std::get<OptionValues>(options);
  auto tree = ParseTree(values);
  if (auto* error = std::get_if<UsageError>(&tree)) return *error;
  FileRequest request{std::get<TreeArguments>(tree).vertices,
                      std::move(std::get<TreeArguments>(tree).edges), std::nullopt};
  if (values.contains("output")) request.output = values.at("output");
  return request;
}

CliRequest ParseCalc(const std::vector<std::string>& arguments) {
  auto options = CollectOptions(arguments, {"vertices", "edges", "type", "index"});
  if (auto* error = std::get_if<UsageError>(&options)) return *error;
  const auto& values = std::get<OptionValues>(options);
  auto tree = ParseTree(values);
  if (auto* error = std::get_if<UsageError>(&tree)) return *error;
  if (!values.contains("type")) return UsageError{"--type is missing"};
  if (!values.contains("index")) return UsageError{"--index is missing"};
  const auto type = ParseType(values.at("type"));
  if (auto* error = std::get_if<UsageError>(&type)) return *error;
  const auto index = ParseIndex(values.at("index"));
  if (auto* error = std::get_if<UsageError>(&index)) return *error;
  return CalcRequest{std::get<TreeArguments>(tree).vertices,
                     std::move(std::get<TreeArguments>(tree).edges), std::get<MatrixType>(type),
                     std::get<TopologicalIndex>(index)};
}

}  // namespace

CliRequest ParseCommandLine(const std::vector<std::string>& arguments) {
  if (arguments.empty()) return UsageError{"no command given; see --help"};
  const std::string& command = arguments[0];
  if (command == "--help" || command == "-h" || command == "help") return HelpRequest{};
  if (std::find(arguments.begin(), arguments.end(), "--help") != arguments.end()) {
    return HelpRequest{};
  }
  if (command == "file") return ParseFile(arguments);
  if (command == "calc") return ParseCalc(arguments);
  return UsageError{"unknown command \"" + command + "\": use file or calc; see --help"};
}

std::string HelpText() {
  return R"(korvelant-cli: graphical matrices of a tree of up to 8 vertices

Usage:
  korvelant-cli file --vertices N --edges EDGES [--output PATH]
  korvelant-cli calc --vertices N --edges EDGES --type TYPE --index INDEX
  korvelant-cli --help

Commands:
  file   Writes all sixteen matrices (EGM, PGM, SVGM, DVGM, each with the Wiener,
         Randic, Zagreb and Hosoya index) in the matrix file format, with CR LF
         line ends: to PATH, or to standard output without --output. An existing
         file is replaced only by a complete new one; when writing fails it stays
         as it was.
  calc   Prints one matrix: line i holds elements (i, 1) to (i, n) separated by
         ", ", then the line "Half-sum of matrix elements is: " and the half-sum.

Options:
  --vertices N    the number of vertices, 0 to 8; vertices are numbered 1 to N
  --edges EDGES   comma-separated pairs such as 1-2,2-3,2-4; "" for no edges
  --output PATH   the file to write (file only)
  --type TYPE     EGM (edge-), PGM (path-), SVGM (sparse vertex-) or DVGM (dense
                  vertex-graphical matrix)
  --index INDEX   W (Wiener), R (Randic), Z (Zagreb) or H (Hosoya)

Exit status:
  0  success
  1  the graph is not a tree (message on standard error; no file is touched)
  2  bad input or usage
  3  the output cannot be written
)";
}

}  // namespace korvelant
