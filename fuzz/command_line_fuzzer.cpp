// ParseCommandLine: the fuzzer's bytes, cut at NUL bytes, are the arguments after the
// program's name. Every command line gives a request or a usage error, never an exception;
// a usage error is one line a terminal shows as it is; a request holds only what its
// options allow.
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>
#include <vector>

#include "cli/command_line.hpp"
#include "engine/rooted_tree.hpp"
#include "fuzz_require.hpp"
#include "input/quoted_text.hpp"
#include "text_checks.hpp"

namespace {

using namespace korvelant;

std::vector<std::string> Arguments(std::string_view bytes) {
  std::vector<std::string> arguments;
  if (bytes.empty()) return arguments;
  while (true) {
    const auto end = bytes.find('\0');
    arguments.emplace_back(bytes.substr(0, end));
    if (end == std::string_view::npos) return arguments;
    bytes.remove_prefix(end + 1);
  }
}

// A tree as --vertices and --edges give it: within the limit, every edge once, smaller
// vertex first, on vertices 1..n. A SMILES is read only when the command runs.
void CheckGivenTree(const TreeSource& tree) {
  if (!tree.graph) return;
  const Graph& graph = *tree.graph;
  FUZZ_REQUIRE(graph.vertexCount >= 0 && graph.vertexCount <= kMaxMatrixVertices);
  std::set<Edge> seen;
  for (const Edge& edge : graph.edges) {
    FUZZ_REQUIRE(1 <= edge.first && edge.first < edge.second && edge.second <= graph.vertexCount);
    FUZZ_REQUIRE(seen.insert(edge).second);
  }
}

void CheckOutput(const std::optional<std::string>& output) {
  if (output) FUZZ_REQUIRE(!output->empty() && *output != "-");
}

void CheckRequest(const CliRequest& request) {
  std::visit(
      [](const auto& parsed) {
        using Parsed = std::decay_t<decltype(parsed)>;
        if constexpr (std::is_same_v<Parsed, UsageError>) {
          // Printed through WithControlsEscaped, which must leave nothing a terminal acts on.
          FUZZ_REQUIRE(!parsed.message.empty());
          FUZZ_REQUIRE(fuzz::IsSafeForTerminal(WithControlsEscaped(parsed.message)));
        } else if constexpr (std::is_same_v<Parsed, FileRequest>) {
          CheckGivenTree(parsed.tree);
          CheckOutput(parsed.output);
        } else if constexpr (std::is_same_v<Parsed, CalcRequest>) {
          CheckGivenTree(parsed.tree);
        } else if constexpr (std::is_same_v<Parsed, BatchRequest>) {
          FUZZ_REQUIRE(!parsed.inputs.empty());
          for (const NamedInput& input : parsed.inputs) {
            FUZZ_REQUIRE(!input.path.empty() && input.format != nullptr);
          }
          FUZZ_REQUIRE(parsed.jobs >= 0 && parsed.jobs <= 256);
          FUZZ_REQUIRE(!parsed.matrices || parsed.format == RowFormatKind::kJsonLines);
          CheckOutput(parsed.output);
        } else if constexpr (std::is_same_v<Parsed, HelpRequest>) {
          FUZZ_REQUIRE(parsed.command.empty() || parsed.command == "file" ||
                       parsed.command == "calc" || parsed.command == "batch" ||
                       parsed.command == "draw");
        }
      },
      request);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::string> arguments =
      Arguments(std::string_view(reinterpret_cast<const char*>(data), size));
  const CliRequest request = ParseCommandLine(arguments);
  CheckRequest(request);
  // Nothing outside the arguments decides: the same line, the same request kind.
  FUZZ_REQUIRE(ParseCommandLine(arguments).index() == request.index());
  return 0;
}
