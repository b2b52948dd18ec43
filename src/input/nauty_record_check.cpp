#include "input/nauty_record_check.hpp"

#include <climits>

#include "input/quoted_text.hpp"
#include "model/graph.hpp"

namespace korvelant {
namespace {

constexpr int kBias = 63;      // '?' stands for 0
constexpr int kLargest = 126;  // '~': a longer size field follows
constexpr std::uint64_t kOneByteSizes = 62;
constexpr std::uint64_t kFourByteSizes = 258047;

std::string_view FormatName(NautyFormat format) {
  return format == NautyFormat::kGraph6 ? "graph6" : "sparse6";
}

std::string Position(std::size_t offset) {
  return "column " + std::to_string(offset + 1);
}

std::string TooLargeText(std::uint64_t vertices) {
  if (vertices <= INT_MAX) return HalfSumTooLargeMessage(static_cast<int>(vertices));
  // Past what an int holds (an 8-byte size field): the same words with the whole number.
  std::string text = HalfSumTooLargeMessage(INT_MAX);
  const std::string shown = std::to_string(INT_MAX);
  text.replace(text.rfind(shown), shown.size(), std::to_string(vertices));
  return text;
}

// The text a record starts with that is not of the chosen format, or empty.
std::string ForeignStart(std::string_view record, NautyFormat format) {
  const NautyFormat other =
      format == NautyFormat::kGraph6 ? NautyFormat::kSparse6 : NautyFormat::kGraph6;
  if (record.starts_with(">>" + std::string(FormatName(other)) + "<<")) {
    return "a " + std::string(FormatName(other)) + " header, not " +
           std::string(FormatName(format));
  }
  if (record.starts_with(">>")) return "unknown header " + QuotedText(record.substr(0, 11));
  if (record.front() == '&')
    return "a digraph6 record (it starts with \"&\"); only undirected graphs are read";
  if (record.front() == ';')
    return "an incremental sparse6 record (it starts with \";\"); these are not read";
  if (format == NautyFormat::kGraph6 && record.front() == ':') {
    return "a sparse6 record (it starts with \":\"), not graph6";
  }
  if (format == NautyFormat::kSparse6 && record.front() != ':') {
    return "not a sparse6 record: sparse6 starts with \":\" (is it graph6?)";
  }
  return "";
}

// Reads the size field at the start of `body`: n < 63 in one byte; else '~' and n in three
// bytes; else "~~" and n in six. Returns the bytes used, 0 when the field is cut short.
std::size_t ReadSize(std::string_view body, std::uint64_t& vertices) {
  const auto digits = [&](std::size_t from, std::size_t count) {
    std::uint64_t value = 0;
    for (std::size_t k = from; k < from + count; ++k) {
      value = (value << 6) | static_cast<std::uint64_t>(body[k] - kBias);
    }
    return value;
  };
  if (body.empty()) return 0;
  if (body[0] != kLargest) return vertices = digits(0, 1), 1;
  if (body.size() >= 2 && body[1] != kLargest) {
    return body.size() >= 4 ? (vertices = digits(1, 3), 4) : 0;
  }
  return body.size() >= 8 ? (vertices = digits(2, 6), 8) : 0;
}

std::size_t ShortestSizeLength(std::uint64_t vertices) {
  return vertices <= kOneByteSizes ? 1 : vertices <= kFourByteSizes ? 4 : 8;
}

std::uint64_t Graph6BodyLength(std::uint64_t vertices) {
  const std::uint64_t bits = vertices * (vertices - (vertices > 0 ? 1 : 0)) / 2;
  return (bits + 5) / 6;
}

}  // namespace

CheckedNautyRecord CheckNautyRecord(std::string_view line, NautyFormat format) {
  CheckedNautyRecord result;
  const auto first = line.find_first_not_of(" \t");
  const auto last = line.find_last_not_of(" \t");
  if (first == std::string_view::npos) {
    result.error = "an empty record";
    return result;
  }
  std::size_t offset = first;
  std::string_view record = line.substr(first, last + 1 - first);
  const std::string header = ">>" + std::string(FormatName(format)) + "<<";
  if (record.starts_with(header)) {
    record.remove_prefix(header.size());
    offset += header.size();
    if (record.empty()) {
      result.error = "a header without a graph";
      return result;
    }
  }
  if (std::string foreign = ForeignStart(record, format); !foreign.empty()) {
    result.error = std::move(foreign);
    return result;
  }
  const std::size_t prefix = format == NautyFormat::kSparse6 ? 1 : 0;
  std::string_view body = record.substr(prefix);
  for (std::size_t k = 0; k < body.size(); ++k) {
    const auto byte = static_cast<unsigned char>(body[k]);
    if (byte < kBias || byte > kLargest) {
      result.error = "byte " + QuotedText(body.substr(k, 1)) + " at " +
                     Position(offset + prefix + k) + " is not " + std::string(FormatName(format)) +
                     " text, which uses \"?\" to \"~\" only";
      return result;
    }
  }
  const std::size_t sizeLength = ReadSize(body, result.vertices);
  if (sizeLength == 0) {
    result.error = "the size field is cut short";
    return result;
  }
  result.sizeRead = true;
  if (sizeLength != ShortestSizeLength(result.vertices)) {
    result.error = "the size " + std::to_string(result.vertices) + " is written in " +
                   std::to_string(sizeLength) + " bytes instead of " +
                   std::to_string(ShortestSizeLength(result.vertices));
    return result;
  }
  if (result.vertices > static_cast<std::uint64_t>(kMaxHalfSumVertices)) {
    result.error = TooLargeText(result.vertices);
    return result;
  }
  if (format == NautyFormat::kGraph6) {
    const std::uint64_t needed = Graph6BodyLength(result.vertices);
    const std::uint64_t found = body.size() - sizeLength;
    if (found != needed) {
      result.error = "a graph6 record of " + std::to_string(result.vertices) + " vertices has " +
                     std::to_string(needed) + " bytes after the size, this one " +
                     std::to_string(found);
      return result;
    }
  }
  result.text = record;
  return result;
}

}  // namespace korvelant
