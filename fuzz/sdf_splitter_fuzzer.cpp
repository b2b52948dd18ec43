// The SD file splitter: records come out alike whether the stream is cut into lines with
// LF or CR LF ends, never hold a "$$$$" line, and lose no line of the input.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_require.hpp"
#include "molecules/sdf_splitter.hpp"

namespace {

using korvelant::SdfSplitter;

// A line read without its line end: "$$$$", then blanks at most.
bool ClosesRecord(std::string_view line) {
  return line.starts_with("$$$$") && line.find_first_not_of(" \t", 4) == std::string_view::npos;
}

std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const auto end = text.find('\n');
    lines.push_back(text.substr(0, end));
    text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
  }
  return lines;
}

// How a stream reader may hand the splitter a line of the file.
enum class LineEnd { None, Lf, CrLf };

// The records of `lines`, each fed with the line end `end`, as a stream reader would feed
// them. A line's own last CR is the CR of its CR LF end.
std::vector<std::string> Fed(const std::vector<std::string_view>& lines, LineEnd end) {
  SdfSplitter splitter;
  std::vector<std::string> records;
  for (std::string_view line : lines) {
    std::string fed(line);
    if (end == LineEnd::CrLf && !fed.ends_with('\r')) fed += '\r';
    if (end != LineEnd::None) fed += '\n';
    if (auto record = splitter.Feed(fed)) records.push_back(std::move(*record));
  }
  if (auto record = splitter.Finish()) records.push_back(std::move(*record));
  return records;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::vector<std::string> records = korvelant::SplitSdfRecords(text);
  const std::vector<std::string_view> lines = Lines(text);
  for (LineEnd end : {LineEnd::None, LineEnd::Lf, LineEnd::CrLf}) {
    FUZZ_REQUIRE(Fed(lines, end) == records);
  }

  std::size_t closingLines = 0;
  // Lines as the splitter reads them: without the CR of a CR LF, nor a byte order mark.
  std::vector<std::string_view> read = lines;
  for (std::string_view& line : read) {
    if (line.ends_with('\r')) line.remove_suffix(1);
  }
  if (!read.empty() && read.front().starts_with("\xEF\xBB\xBF")) read.front().remove_prefix(3);
  for (std::string_view line : read)
    closingLines += ClosesRecord(line) ? 1 : 0;
  // One record per "$$$$" line, and one more for a tail that is not blank.
  FUZZ_REQUIRE(records.size() == closingLines || records.size() == closingLines + 1);

  std::size_t recordLines = 0;
  for (const std::string& record : records) {
    FUZZ_REQUIRE(record.empty() || record.ends_with('\n'));
    for (std::string_view line : Lines(record)) {
      FUZZ_REQUIRE(!ClosesRecord(line));
      ++recordLines;
    }
  }
  // Every other line is in a record, but blank ones after the last record.
  FUZZ_REQUIRE(recordLines <= lines.size() - closingLines);
  if (records.size() == closingLines + 1) FUZZ_REQUIRE(recordLines == lines.size() - closingLines);
  return 0;
}
