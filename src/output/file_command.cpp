#include "output/file_command.hpp"

#include "engine/graphical_matrices.hpp"
#include "output/matrix_file.hpp"
#include "output/safe_file_writer.hpp"

namespace korvelant {

FileCommandResult RunFileCommand(const Graph& graph, const std::function<std::string()>& readPath) {
  const std::optional<RootedTree> tree = RootTree(graph);
  if (!tree) return {FileCommandStatus::NotATree, std::string(kNotATreeMessage)};
  const std::string path = readPath();
  const std::string text = MatrixFileText(ComputeGraphicalMatrices(*tree));
  if (auto failure = WriteFileSafely(path, text)) {
    return {FileCommandStatus::WriteFailed, std::move(*failure)};
  }
  return {};
}

}  // namespace korvelant
