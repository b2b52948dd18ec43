#include "input/record_splitter.hpp"

#include <algorithm>

namespace korvelant {
namespace {

bool IsBlank(std::string_view text) {
  return text.find_first_not_of(" \t") == std::string_view::npos;
}

bool IsComment(std::string_view text) {
  const auto start = text.find_first_not_of(" \t");
  return start != std::string_view::npos && text[start] == '#';
}

bool IsBlockEnd(std::string_view line) {
  const auto end = line.find_last_not_of(" \t");
  return end != std::string_view::npos && line.substr(0, end + 1) == "$$$$";
}

}  // namespace

void RecordSplitter::AppendCapped(std::string& to, std::string_view bytes) const {
  // One byte past the limit is kept: it tells a line's CR apart from a record too long.
  const std::size_t room =
      rules_.maxRecordBytes + 1 - std::min(to.size(), rules_.maxRecordBytes + 1);
  to.append(bytes.substr(0, room));
}

void RecordSplitter::Feed(std::string_view bytes, const Emit& emit) {
  while (!bytes.empty()) {
    const auto newline = bytes.find('\n');
    const std::string_view piece = bytes.substr(0, newline);
    if (!piece.empty()) lineLastByte_ = piece.back();
    // Counted on every byte fed, not on the capped copy: a 10 MB field still closes.
    if (rules_.layout == RecordLayout::kQuotedLine &&
        std::count(piece.begin(), piece.end(), '"') % 2 != 0) {
      inQuotes_ = !inQuotes_;
    }
    if (newline == std::string_view::npos) {
      AppendCapped(line_, piece);
      lineLength_ += piece.size();
      return;
    }
    if (lineLength_ == 0) {
      // The whole line is in this piece: no copy.
      EndLine(piece.substr(0, rules_.maxRecordBytes + 1), piece.size(), emit);
    } else {
      AppendCapped(line_, piece);
      EndLine(line_, lineLength_ + piece.size(), emit);
    }
    line_.clear();
    lineLength_ = 0;
    lineLastByte_ = '\0';
    ++lineNumber_;
    bytes.remove_prefix(newline + 1);
  }
}

void RecordSplitter::Finish(const Emit& emit) {
  if (rules_.layout == RecordLayout::kQuotedLine && inQuotes_) {
    // The rest of the input, taken into a quote never closed: one record, flagged.
    if (blockLength_ == 0) blockLine_ = lineNumber_;
    AppendCapped(block_, line_);
    blockLength_ += lineLength_;
    const bool tooLong = blockLength_ > rules_.maxRecordBytes;
    emit(SplitRecord{std::string_view(block_).substr(0, rules_.maxRecordBytes), blockLine_,
                     blockLength_, tooLong, true});
    block_.clear();
    blockLength_ = 0;
    inQuotes_ = false;
  } else if (lineLength_ > 0) {
    EndLine(line_, lineLength_, emit);
  }
  line_.clear();
  lineLength_ = 0;
  lineLastByte_ = '\0';
  if (rules_.layout == RecordLayout::kSdfBlock) EmitBlock(emit);
}

void RecordSplitter::EndLine(std::string_view line, std::uint64_t length, const Emit& emit) {
  // `line` holds the first bytes of the line's `length`, at most maxRecordBytes + 1.
  if (rules_.layout == RecordLayout::kQuotedLine && inQuotes_) return ContinueQuoted(line, length);
  if (length > 0 && lineLastByte_ == '\r') {
    --length;
    if (line.size() > length) line.remove_suffix(1);
  }
  if (rules_.layout == RecordLayout::kSdfBlock) return EndBlockLine(line, length, emit);
  if (blockLength_ > 0) return EndQuoted(line, length, emit);
  const bool tooLong = length > rules_.maxRecordBytes;
  line = line.substr(0, rules_.maxRecordBytes);
  if (!tooLong && IsBlank(line)) return;
  if (rules_.skipsComments && IsComment(line)) return;
  emit(SplitRecord{line, lineNumber_, length, tooLong});
}

void RecordSplitter::EndBlockLine(std::string_view line, std::uint64_t length, const Emit& emit) {
  if (IsBlockEnd(line) && length == line.size()) return EmitBlock(emit);
  if (blockLength_ == 0) blockLine_ = lineNumber_;
  AppendCapped(block_, line);
  AppendCapped(block_, "\n");
  blockLength_ += length + 1;
}

// A line end inside a quoted field: kept, CR and all, as the field's own bytes.
void RecordSplitter::ContinueQuoted(std::string_view line, std::uint64_t length) {
  if (blockLength_ == 0) blockLine_ = lineNumber_;
  AppendCapped(block_, line);
  AppendCapped(block_, "\n");
  blockLength_ += length + 1;
}

void RecordSplitter::EndQuoted(std::string_view line, std::uint64_t length, const Emit& emit) {
  AppendCapped(block_, line);
  blockLength_ += length;
  const bool tooLong = blockLength_ > rules_.maxRecordBytes;
  emit(SplitRecord{std::string_view(block_).substr(0, rules_.maxRecordBytes), blockLine_,
                   blockLength_, tooLong});
  block_.clear();
  blockLength_ = 0;
}

void RecordSplitter::EmitBlock(const Emit& emit) {
  const bool tooLong = blockLength_ > rules_.maxRecordBytes;
  const std::string_view text = std::string_view(block_).substr(0, rules_.maxRecordBytes);
  if (tooLong || text.find_first_not_of(" \t\n") != std::string_view::npos) {
    emit(SplitRecord{text, blockLine_, blockLength_, tooLong});
  }
  block_.clear();
  blockLength_ = 0;
}

}  // namespace korvelant
