#include "output/file_command.hpp"

#include "matrices/tree_check.hpp"
#include "model/distance_matrix.hpp"
#include "output/matrix_file.hpp"
#include "output/safe_file_writer.hpp"

namespace korvelant {

FileCommandResult RunFileCommand(TreeModel& model, CommandValues& values,
                                 const std::function<std::string()>& readPath) {
  NadjiMatricuUdaljenosti(model);
  if (!IsTree(model, values)) {
    return {FileCommandStatus::NotATree, std::string(kNotATreeMessage)};
  }
  const std::string path = readPath();
  const std::string text = MatrixFileText(model, values);
  if (auto failure = WriteFileSafely(path, text)) {
    return {FileCommandStatus::WriteFailed, std::move(*failure)};
  }
  return {};
}

}  // namespace korvelant
