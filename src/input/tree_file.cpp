#include "input/tree_file.hpp"

#include <algorithm>
#include <charconv>
#include <set>
#include <stdexcept>
#include <utility>

#include "input/quoted_text.hpp"
#include "input/trimmed.hpp"

namespace korvelant {
namespace {

constexpr std::string_view kBlanks = " \t";

// A whole number of decimal digits only: no sign, no blanks, nothing after it.
std::optional<int> WholeNumber(std::string_view text) {
  if (text.empty() || text.size() > 9) return std::nullopt;
  if (!std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return std::nullopt;
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// Splits at every `separator`, keeping empty pieces so that "1-2,,2-3" is noticed.
std::vector<std::string_view> Split(std::string_view text, char separator) {
  std::vector<std::string_view> pieces;
  std::size_t start = 0;
  while (true) {
    const auto end = text.find(separator, start);
    pieces.push_back(text.substr(start, end == std::string_view::npos ? end : end - start));
    if (end == std::string_view::npos) return pieces;
    start = end + 1;
  }
}

// Splits at runs of blanks, dropping them.
std::vector<std::string_view> Words(std::string_view text) {
  std::vector<std::string_view> words;
  std::size_t start = 0;
  while ((start = text.find_first_not_of(kBlanks, start)) != std::string_view::npos) {
    const auto end = text.find_first_of(kBlanks, start);
    words.push_back(text.substr(start, end == std::string_view::npos ? end : end - start));
    if (end == std::string_view::npos) break;
    start = end;
  }
  return words;
}

std::optional<std::pair<int, int>> NumberPair(std::string_view text, char separator) {
  const auto at = text.find(separator);
  if (at == std::string_view::npos) return std::nullopt;
  const auto first = WholeNumber(text.substr(0, at));
  const auto second = WholeNumber(text.substr(at + 1));
  if (!first || !second) return std::nullopt;
  return std::pair{*first, *second};
}

struct Entries {
  std::optional<int> vertices;
  std::optional<std::vector<Edge>> edges;
  std::optional<std::vector<GridPosition>> positions;
};

// Reads one entry's value into `entries`; returns the problem, if any.
std::optional<std::string> ReadEntry(std::string_view keyword, std::string_view value,
                                     Entries& entries) {
  const auto twice = [keyword] {
    std::string problem = "\"";
    problem += keyword;
    problem += "\" is given twice";
    return problem;
  };
  if (keyword == "vertices") {
    if (entries.vertices) return twice();
    entries.vertices = WholeNumber(value);
    if (!entries.vertices) return "the vertex count " + QuotedText(value) + " is not a number";
    if (*entries.vertices > kMaxMatrixVertices) return MatrixTooLargeMessage(*entries.vertices);
  } else if (keyword == "edges") {
    if (entries.edges) return twice();
    entries.edges.emplace();
    if (value.empty()) return std::nullopt;
    for (std::string_view piece : Split(value, ',')) {
      const auto edge = NumberPair(Trimmed(piece, kBlanks), '-');
      if (!edge)
        return "the edge " + QuotedText(Trimmed(piece, kBlanks)) + " is not written like 1-2";
      entries.edges->push_back(*edge);
    }
  } else if (keyword == "positions") {
    if (entries.positions) return twice();
    entries.positions.emplace();
    for (std::string_view word : Words(value)) {
      const auto position = NumberPair(word, ',');
      if (!position) return "the position " + QuotedText(word) + " is not written like 3,17";
      // Grid value 0 becomes -1 here and 21 becomes 20, both off the grid: TreeProblem
      // refuses them with the vertex named.
      entries.positions->push_back({position->first - 1, position->second - 1});
    }
  } else {
    return "unknown entry " + QuotedText(keyword);
  }
  return std::nullopt;
}

TreeFileReading Refused(std::string error) {
  return {std::nullopt, std::move(error)};
}

std::string AtLine(std::size_t line, const std::string& problem) {
  return "line " + std::to_string(line) + ": " + problem;
}

}  // namespace

std::optional<std::string> TreeProblem(const SavedTree& tree) {
  const int n = tree.graph.vertexCount;
  if (n < 0 || n > kMaxMatrixVertices) return MatrixTooLargeMessage(n);
  std::set<std::pair<int, int>> seen;
  for (const auto& [a, b] : tree.graph.edges) {
    const std::string name = std::to_string(a) + "-" + std::to_string(b);
    if (a < 1 || a > n || b < 1 || b > n)
      return "edge " + name + " names a vertex outside 1.." + std::to_string(n);
    if (a == b) return "edge " + name + " joins a vertex to itself";
    if (!seen.insert(std::minmax(a, b)).second) return "edge " + name + " is listed twice";
  }
  if (std::cmp_not_equal(tree.positions.size(), n)) {
    return std::to_string(tree.positions.size()) + " positions for " + std::to_string(n) +
           " vertices";
  }
  for (std::size_t v = 0; v < tree.positions.size(); ++v) {
    const GridPosition p = tree.positions[v];
    if (p.x < 0 || p.x >= kGridPositions || p.y < 0 || p.y >= kGridPositions) {
      return "the position of vertex " + std::to_string(v + 1) + " lies outside 1..20";
    }
  }
  return std::nullopt;
}

TreeFileReading ReadTreeFile(std::string_view text) {
  std::vector<std::string_view> lines = Split(text, '\n');
  for (std::string_view& line : lines) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  }
  const std::string_view header = Trimmed(lines.front(), kBlanks);
  const std::string magic = std::string(kTreeFileMagic) + " ";
  if (!header.starts_with(magic)) {
    return Refused("not a Korvelant tree file: its first line should be \"" + magic +
                   std::to_string(kTreeFileVersion) + "\"");
  }
  const auto version = WholeNumber(Trimmed(header.substr(magic.size()), kBlanks));
  if (!version) return Refused(AtLine(1, "the version " + QuotedText(header) + " is not a number"));
  if (*version != kTreeFileVersion) {
    return Refused("the file is in tree-file version " + std::to_string(*version) +
                   "; this Korvelant reads version " + std::to_string(kTreeFileVersion));
  }

  Entries entries;
  for (std::size_t k = 1; k < lines.size(); ++k) {
    const std::string_view line = Trimmed(lines[k], kBlanks);
    if (line.empty() || line.front() == '#') continue;
    const auto space = line.find_first_of(kBlanks);
    const std::string_view keyword = line.substr(0, space);
    const std::string_view value =
        space == std::string_view::npos ? std::string_view() : Trimmed(line.substr(space), kBlanks);
    if (const auto problem = ReadEntry(keyword, value, entries)) {
      return Refused(AtLine(k + 1, *problem));
    }
  }
  if (!entries.vertices) return Refused("the file does not say how many vertices the tree has");

  SavedTree tree;
  tree.graph.vertexCount = *entries.vertices;
  if (entries.edges) tree.graph.edges = std::move(*entries.edges);
  if (entries.positions) {
    tree.positions = std::move(*entries.positions);
  } else {
    for (int v = 1; v <= tree.graph.vertexCount; ++v)
      tree.positions.push_back(DefaultPosition(v, tree.graph.vertexCount));
  }
  if (const auto problem = TreeProblem(tree)) return Refused(*problem);
  return {std::move(tree), {}};
}

std::string TreeFileText(const SavedTree& tree) {
  if (const auto problem = TreeProblem(tree)) throw std::invalid_argument(*problem);
  std::string text = std::string(kTreeFileMagic) + " " + std::to_string(kTreeFileVersion) + "\n";
  text += "vertices " + std::to_string(tree.graph.vertexCount) + "\n";
  const std::string edges = EdgeListText(tree.graph);
  text += edges.empty() ? "edges\n" : "edges " + edges + "\n";
  text += "positions";
  for (const GridPosition& p : tree.positions) {
    text += ' ';
    text += std::to_string(p.x + 1);
    text += ',';
    text += std::to_string(p.y + 1);
  }
  text += "\n";
  return text;
}

}  // namespace korvelant
