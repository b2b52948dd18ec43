#pragma once

#include <functional>
#include <string>

#include "model/graph.hpp"

namespace korvelant {

enum class FileCommandStatus { Written, NotATree, WriteFailed };

struct FileCommandResult {
  FileCommandStatus status = FileCommandStatus::Written;
  std::string message;  // the not-a-tree message or the write failure; empty when written
};

// The file command: refuses a graph that is not a tree (no file is created or touched),
// then asks for the path once and writes all sixteen matrices there safely. The same for
// the window's button and the command-line tool.
FileCommandResult RunFileCommand(const Graph& graph, const std::function<std::string()>& readPath);

}  // namespace korvelant
