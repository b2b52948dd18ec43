#include "input/edge_list_text.hpp"

#include <algorithm>

#include "input/quoted_text.hpp"

namespace korvelant {
namespace {

std::variant<Edge, std::string> ReadEdge(std::string_view pair, int vertices) {
  const auto dash = pair.find('-');
  const auto first =
      dash == std::string_view::npos ? std::nullopt : ReadCount(pair.substr(0, dash));
  const auto second =
      dash == std::string_view::npos ? std::nullopt : ReadCount(pair.substr(dash + 1));
  if (!first || !second) {
    return "malformed edge " + QuotedText(pair) + ": write two vertex numbers as in 1-2";
  }
  for (const int vertex : {*first, *second}) {
    if (vertex < 1 || vertex > vertices) {
      return "edge " + QuotedText(pair) + " names vertex " + std::to_string(vertex) +
             ", but the vertices are numbered 1 to " + std::to_string(vertices);
    }
  }
  if (*first == *second) return "edge " + QuotedText(pair) + " joins a vertex to itself";
  return Edge{std::min(*first, *second), std::max(*first, *second)};
}

// The first edge that occurs twice, found by sorting a copy: lists reach 127 edges.
std::optional<Edge> RepeatedEdge(const std::vector<Edge>& edges) {
  std::vector<Edge> sorted = edges;
  std::sort(sorted.begin(), sorted.end());
  const auto repeat = std::adjacent_find(sorted.begin(), sorted.end());
  if (repeat == sorted.end()) return std::nullopt;
  return *repeat;
}

// The k-th comma-separated pair of an edge list, from 0.
std::string_view NthPair(std::string_view text, std::size_t k) {
  for (; k > 0; --k)
    text.remove_prefix(text.find(',') + 1);
  return text.substr(0, text.find(','));
}

}  // namespace

std::optional<int> ReadCount(std::string_view text) {
  constexpr std::size_t kMaxDigits = 9;
  if (text.empty() || text.size() > kMaxDigits) return std::nullopt;
  int value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

std::variant<std::vector<Edge>, std::string> ReadEdgeList(std::string_view text, int vertices) {
  std::vector<Edge> edges;
  if (text.empty() || text == "-") return edges;
  for (std::string_view rest = text;;) {
    const auto comma = rest.find(',');
    auto edge = ReadEdge(rest.substr(0, comma), vertices);
    if (auto* error = std::get_if<std::string>(&edge)) return std::move(*error);
    edges.push_back(std::get<Edge>(edge));
    if (comma == std::string_view::npos) break;
    rest.remove_prefix(comma + 1);
  }
  if (const auto repeat = RepeatedEdge(edges)) {
    // Named as written the second time, like a reader scanning the list would meet it.
    const auto first = std::find(edges.begin(), edges.end(), *repeat);
    const auto second = std::find(first + 1, edges.end(), *repeat);
    return "edge " + QuotedText(NthPair(text, static_cast<std::size_t>(second - edges.begin()))) +
           " is given twice";
  }
  return edges;
}

}  // namespace korvelant
