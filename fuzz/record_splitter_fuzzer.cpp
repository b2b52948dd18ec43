// The batch's record splitter: records come out the same however the stream is cut into
// pieces, and the same as a plain model of the rules finds in the whole text. The first
// bytes choose the rules (layout, comments, a small record limit) and the pieces' sizes.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_require.hpp"
#include "input/record_splitter.hpp"

namespace {

using korvelant::RecordLayout;
using korvelant::RecordSplitter;
using korvelant::SplitRecord;
using korvelant::SplitRules;

struct Found {
  std::string text;
  std::uint64_t line = 0;
  std::uint64_t length = 0;
  bool tooLong = false;
  friend bool operator==(const Found&, const Found&) = default;
};

std::vector<Found> Split(const SplitRules& rules, std::string_view text,
                         const std::vector<std::size_t>& pieces) {
  std::vector<Found> found;
  const RecordSplitter::Emit emit = [&](const SplitRecord& record) {
    found.push_back({std::string(record.text), record.line, record.length, record.tooLong});
  };
  RecordSplitter splitter(rules);
  for (std::size_t k = 0; !text.empty(); ++k) {
    const std::size_t size =
        std::min(text.size(), pieces.empty() ? text.size() : pieces[k % pieces.size()]);
    splitter.Feed(text.substr(0, size), emit);
    text.remove_prefix(size);
  }
  splitter.Finish(emit);
  return found;
}

bool OnlyBlanks(std::string_view text, std::string_view blanks) {
  return text.find_first_not_of(blanks) == std::string_view::npos;
}

// The rules, read off the whole text line by line.
std::vector<Found> Model(const SplitRules& rules, std::string_view text) {
  std::vector<std::string_view> lines;
  for (std::size_t start = 0; start < text.size();) {
    const auto end = std::min(text.find('\n', start), text.size());
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  std::vector<Found> found;
  const std::size_t max = rules.maxRecordBytes;
  Found block;
  const auto endBlock = [&] {
    block.tooLong = block.length > max;
    block.text.resize(std::min(block.text.size(), max));
    if (block.tooLong || !OnlyBlanks(block.text, " \t\n")) found.push_back(block);
    block = {};
  };
  for (std::size_t k = 0; k < lines.size(); ++k) {
    std::string_view line = lines[k];
    if (line.ends_with('\r')) line.remove_suffix(1);  // the CR of a CR LF, or of a last line
    const std::uint64_t number = k + 1;
    if (rules.layout == RecordLayout::kLine) {
      const bool tooLong = line.size() > max;
      const std::string_view kept = line.substr(0, max);
      if (!tooLong && OnlyBlanks(kept, " \t")) continue;
      const auto first = kept.find_first_not_of(" \t");
      if (rules.skipsComments && first != std::string_view::npos && kept[first] == '#') continue;
      found.push_back({std::string(kept), number, line.size(), tooLong});
    } else {
      const auto last = line.find_last_not_of(" \t");
      if (last != std::string_view::npos && line.substr(0, last + 1) == "$$$$" &&
          line.size() <= max + 1) {
        endBlock();
        continue;
      }
      if (block.length == 0) block.line = number;
      block.text += line;
      block.text += '\n';
      block.text.resize(std::min(block.text.size(), max + 1));
      block.length += line.size() + 1;
    }
  }
  if (rules.layout == RecordLayout::kSdfBlock) endBlock();
  return found;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  SplitRules rules;
  rules.layout = (data[0] & 1) != 0 ? RecordLayout::kSdfBlock : RecordLayout::kLine;
  rules.skipsComments = (data[0] & 2) != 0;
  // Small limits meet long records often; the usual one (1 MiB) is never reached here.
  rules.maxRecordBytes = (data[0] & 4) != 0 ? std::size_t{1} << 20 : 1 + data[1] % 64;
  std::vector<std::size_t> pieces;
  for (int k = 0; k < 4; ++k)
    pieces.push_back(1 + ((data[0] >> 3) * (k + 7) + data[1] * k) % 17);
  const std::string_view text(reinterpret_cast<const char*>(data) + 2, size - 2);

  const std::vector<Found> whole = Split(rules, text, {});
  FUZZ_REQUIRE(Split(rules, text, pieces) == whole);
  FUZZ_REQUIRE(Split(rules, text, {1}) == whole);
  FUZZ_REQUIRE(Model(rules, text) == whole);
  return 0;
}
