#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace korvelant {

// How a format's records lie in a file.
enum class RecordLayout {
  kLine,      // one record per line
  kSdfBlock,  // the lines up to a line "$$$$"; the last block may lack it (a lone molfile)
  // A table's row: a line, unless a double quote opened on it is still open at its end,
  // when the line end belongs to a field and the record goes on (RFC 4180 CSV, and TSV
  // quoted the same way). Every '"' opens or closes; a doubled one does both.
  kQuotedLine,
};

struct SplitRules {
  RecordLayout layout = RecordLayout::kLine;
  bool skipsComments = false;  // lines whose first non-blank character is '#'
  // A 100,000-vertex tree's edge line is over 1 MiB.
  std::size_t maxRecordBytes = std::size_t{64} << 20;
};

// One record as found: its text without line ends (a line's CR before its LF is dropped;
// line ends inside a quoted field stay as they are), the line it starts on, and its length.
// A record longer than the rules allow keeps only its first maxRecordBytes bytes, so that a
// 10 MB line costs no 10 MB. `openQuote` marks a quoted record whose quote the input's end
// left open: it holds the rest of the input.
struct SplitRecord {
  std::string_view text;
  std::uint64_t line = 0;
  std::uint64_t length = 0;
  bool tooLong = false;
  bool openQuote = false;
};

// Cuts a byte stream fed in pieces of any size into records. Blank records (spaces and tabs
// only) are skipped, and comment lines where the rules say so. NUL bytes and invalid UTF-8
// are passed on as they are: the readers judge them. Emitted text is valid only during the
// call of `emit`.
class RecordSplitter {
 public:
  using Emit = std::function<void(const SplitRecord&)>;

  explicit RecordSplitter(SplitRules rules) : rules_(rules) {}

  void Feed(std::string_view bytes, const Emit& emit);
  // Emits what is left when the input ends without a line end or a final "$$$$".
  void Finish(const Emit& emit);

 private:
  void AppendCapped(std::string& to, std::string_view bytes) const;
  void EndLine(std::string_view line, std::uint64_t length, const Emit& emit);
  void EndBlockLine(std::string_view line, std::uint64_t length, const Emit& emit);
  void EmitBlock(const Emit& emit);
  void ContinueQuoted(std::string_view line, std::uint64_t length);
  void EndQuoted(std::string_view line, std::uint64_t length, const Emit& emit);

  SplitRules rules_;
  std::string line_;  // the current line so far, when it spans pieces
  std::uint64_t lineLength_ = 0;
  char lineLastByte_ = '\0';  // a CR here is the line end's
  std::uint64_t lineNumber_ = 1;
  std::string block_;  // the SDF block, or the quoted record's earlier lines, so far
  std::uint64_t blockLength_ = 0;
  std::uint64_t blockLine_ = 1;
  bool inQuotes_ = false;  // kQuotedLine: a '"' read so far is open
};

}  // namespace korvelant
