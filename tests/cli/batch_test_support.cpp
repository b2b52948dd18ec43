#include "cli/batch_test_support.hpp"

#include <sstream>

#include "cli/cli_app.hpp"

namespace korvelant::testing {

BatchRun RunBatch(const std::vector<std::string>& arguments, const std::string& input) {
  std::vector<std::string> command = {"batch"};
  command.insert(command.end(), arguments.begin(), arguments.end());
  TextSource in(input);
  std::ostringstream out;
  std::ostringstream err;
  StreamSink sink(out);
  const int status = RunCli(command, CliStreams{in, sink, err, false});
  return {status, out.str(), err.str()};
}

std::vector<std::vector<std::string>> ReadCsv(const std::string& text) {
  std::vector<std::vector<std::string>> records;
  std::vector<std::string> record;
  std::string field;
  bool quoted = false;
  for (std::size_t k = 0; k < text.size(); ++k) {
    const char c = text[k];
    if (quoted) {
      if (c == '"' && k + 1 < text.size() && text[k + 1] == '"') {
        field += '"';
        ++k;
      } else if (c == '"') {
        quoted = false;
      } else {
        field += c;
      }
    } else if (c == '"') {
      quoted = true;
    } else if (c == ',') {
      record.push_back(std::move(field));
      field.clear();
    } else if (c == '\n') {
      record.push_back(std::move(field));
      field.clear();
      records.push_back(std::move(record));
      record.clear();
    } else {
      field += c;
    }
  }
  return records;
}

std::string EdgeLine(const Graph& graph, const std::string& name) {
  std::string line = std::to_string(graph.vertexCount) + " ";
  line += graph.edges.empty() ? "-" : EdgeListText(graph);
  if (!name.empty()) line += " " + name;
  return line + "\n";
}

}  // namespace korvelant::testing
