#include "output/matrix_file.hpp"

#include <algorithm>
#include <array>
#include <cstring>
#include <map>
#include <memory>
#include <vector>

#include "matrices/matrix_kind.hpp"
#include "model/number_text.hpp"

namespace korvelant {
namespace {

// A number's text in 16 bytes, so that it is copied as one block: a tree of 8 vertices
// already has a thousand numbers, and copying each exactly would dominate the file's making.
struct NumberSlot {
  static constexpr std::size_t kRoom = 15;
  char text[kRoom];
  unsigned char length;  // past kRoom: the text did not fit and is kept aside
};

// The texts of the whole numbers 0 to 99, most values of small trees.
constexpr std::array<NumberSlot, 100> kSmallWholeNumbers = [] {
  std::array<NumberSlot, 100> slots{};
  for (int whole = 0; whole < 100; ++whole) {
    NumberSlot& slot = slots[whole];
    slot.text[0] = ' ';
    slot.length = 1;
    if (whole >= 10) slot.text[slot.length++] = static_cast<char>('0' + whole / 10);
    slot.text[slot.length++] = static_cast<char>('0' + whole % 10);
  }
  return slots;
}();

// The text of every subgraph's value of one index, made once: a tree of n vertices has n^2
// elements per matrix but only about n^2 / 2 distinct subgraphs, most of which print alike.
class SubgraphTexts {
 public:
  SubgraphTexts(const TypeMatrices& matrices, TopologicalIndex index)
      : slots_(matrices.Subgraphs().size()) {
    for (std::size_t id = 0; id < slots_.size(); ++id) {
      slots_[id] = SlotOf(matrices.Subgraphs()[id], index, id);
    }
  }

  const NumberSlot* Slots() const { return slots_.data(); }
  const std::string& LongText(std::uint32_t id) const { return long_.at(id); }
  std::size_t Longest() const { return longest_; }

 private:
  NumberSlot SlotOf(const SubgraphValues& values, TopologicalIndex index, std::size_t id) {
    char text[kLongestNumberText];
    char* end = nullptr;
    if (index == TopologicalIndex::Randic) {
      end = WriteNumberText(values.Of(index), text);
    } else {
      const Int128 whole = index == TopologicalIndex::Wiener   ? values.wiener
                           : index == TopologicalIndex::Zagreb ? values.zagreb
                                                               : values.hosoya;
      if (whole >= 0 && whole < 100) return kSmallWholeNumbers[static_cast<std::size_t>(whole)];
      end = WriteWholeNumberText(whole, text);
    }
    const auto length = static_cast<std::size_t>(end - text);
    longest_ = std::max(longest_, length);
    NumberSlot slot;
    std::memcpy(slot.text, text, NumberSlot::kRoom);
    slot.length = static_cast<unsigned char>(std::min<std::size_t>(length, UCHAR_MAX));
    if (length > NumberSlot::kRoom)
      long_.emplace(static_cast<std::uint32_t>(id), std::string(text, length));
    return slot;
  }

  std::vector<NumberSlot> slots_;
  std::map<std::uint32_t, std::string> long_;  // the texts too long for a slot: rare
  std::size_t longest_ = 3;                    // " 99"
};

template <std::size_t N>
char* PutLiteral(const char (&text)[N], char* out) {
  std::memcpy(out, text, N - 1);
  return out + N - 1;
}

char* PutBlockName(MatrixType type, TopologicalIndex index, char* out) {
  out = std::copy_n(Letter(index).data(), Letter(index).size(), out);
  *out++ = 'I';
  out = std::copy_n(ShortName(type).data(), ShortName(type).size(), out);
  // Two names break the line before their matrix; files in use have always looked so.
  const bool ownLine =
      index == TopologicalIndex::Hosoya && (type == MatrixType::EGM || type == MatrixType::DVGM);
  return ownLine ? PutLiteral("\r\n", out) : out;
}

// One number: the whole slot is copied, which the buffer's slack allows, and the end moves
// by the text's length.
char* PutNumber(std::uint32_t id, const SubgraphTexts& texts, char* out) {
  const NumberSlot& slot = texts.Slots()[id];
  if (slot.length <= NumberSlot::kRoom) {
    std::memcpy(out, &slot, sizeof slot);
    return out + slot.length;
  }
  const std::string& text = texts.LongText(id);
  return std::copy(text.begin(), text.end(), out);
}

char* PutRows(const TypeMatrices& matrices, const SubgraphTexts& texts, char* out) {
  const int n = matrices.size();
  out = PutLiteral("= { ", out);
  for (int i = 1; i <= n; ++i) {
    const std::uint32_t* row = matrices.Row(i);
    out = PutLiteral("{", out);
    for (int j = 0; j + 1 < n; ++j) {
      out = PutNumber(row[j], texts, out);
      out = PutLiteral(", ", out);
    }
    out = PutNumber(row[n - 1], texts, out);
    out = i < n ? PutLiteral("}, \r\n", out) : PutLiteral("} }\r\n", out);
  }
  return out;
}

}  // namespace

std::string MatrixFileText(const GraphicalMatrices& matrices) {
  std::vector<SubgraphTexts> texts;
  texts.reserve(16);
  std::size_t longest = 0;
  for (const TypeMatrices& type : matrices.types) {
    for (const TopologicalIndex index : kTopologicalIndices) {
      longest = std::max(longest, texts.emplace_back(type, index).Longest());
    }
  }
  // The file is made in a buffer of its longest possible size, with slack for the copies.
  const auto n = static_cast<std::size_t>(matrices.types[0].size());
  constexpr std::size_t kBlockName = 16;
  constexpr std::size_t kRowMarks = 8;  // "{", "}, " or "} }" and the line end
  const std::size_t capacity =
      16 * (kBlockName + n * kRowMarks + n * n * (longest + 2)) + sizeof(NumberSlot);
  const auto buffer = std::make_unique_for_overwrite<char[]>(capacity);
  char* out = buffer.get();
  auto text = texts.begin();
  for (const MatrixType type : kMatrixTypes) {
    for (const TopologicalIndex index : kTopologicalIndices) {
      out = PutBlockName(type, index, out);
      out = PutRows(matrices.types[static_cast<int>(type)], *text++, out);
    }
  }
  return std::string(buffer.get(), out);
}

}  // namespace korvelant
