#include "molecules/sdf_splitter.hpp"

#include <utility>

namespace korvelant {
namespace {

std::string_view WithoutLineEnd(std::string_view line) {
  if (line.ends_with('\n')) line.remove_suffix(1);
  if (line.ends_with('\r')) line.remove_suffix(1);
  return line;
}

bool ClosesRecord(std::string_view line) {
  if (!line.starts_with("$$$$")) return false;
  line.remove_prefix(4);
  return line.find_first_not_of(" \t") == std::string_view::npos;
}

}  // namespace

std::optional<std::string> SdfSplitter::Feed(std::string_view line) {
  line = WithoutLineEnd(line);
  // A byte order mark some Windows editors put first is not part of the first title.
  if (firstLine_ && line.starts_with("\xEF\xBB\xBF")) line.remove_prefix(3);
  firstLine_ = false;
  if (ClosesRecord(line)) return std::exchange(pending_, {});
  pending_ += line;
  pending_ += '\n';
  return std::nullopt;
}

std::optional<std::string> SdfSplitter::Finish() {
  std::string rest = std::exchange(pending_, {});
  firstLine_ = true;
  if (rest.find_first_not_of(" \t\r\n") == std::string::npos) return std::nullopt;
  return rest;
}

std::vector<std::string> SplitSdfRecords(std::string_view text) {
  SdfSplitter splitter;
  std::vector<std::string> records;
  while (!text.empty()) {
    const auto end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
    if (auto record = splitter.Feed(line)) records.push_back(std::move(*record));
  }
  if (auto record = splitter.Finish()) records.push_back(std::move(*record));
  return records;
}

}  // namespace korvelant
