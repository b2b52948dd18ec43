#include "output/matrix_file.hpp"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstring>
#include <map>
#include <memory>
#include <span>
#include <vector>

#include "model/matrix_kind.hpp"
#include "model/number_text.hpp"

namespace korvelant {
namespace {

// A number's text and the ", " after it in 16 bytes, so that an element is copied as one
// block: a tree of 8 vertices already has a thousand numbers, and copying each exactly would
// dominate the file's making. A row's last number takes its separator back. The texts of a
// block are slots side by side in one run of bytes.
struct NumberSlot {
  static constexpr std::size_t kRoom = 15;
  char text[kRoom];
  unsigned char length;  // with the separator; past kRoom: the text is kept aside
};

constexpr std::size_t kSeparator = 2;  // ", "

constexpr NumberSlot WithSeparator(NumberSlot slot) {
  slot.text[slot.length++] = ',';
  slot.text[slot.length++] = ' ';
  return slot;
}

// The texts of the whole numbers 0 to 99, most values of small trees.
constexpr std::array<NumberSlot, 100> kSmallWholeNumbers = [] {
  std::array<NumberSlot, 100> slots{};
  for (int whole = 0; whole < 100; ++whole) {
    NumberSlot& slot = slots[whole];
    slot.text[0] = ' ';
    slot.length = 1;
    if (whole >= 10) slot.text[slot.length++] = static_cast<char>('0' + whole / 10);
    slot.text[slot.length++] = static_cast<char>('0' + whole % 10);
    slot = WithSeparator(slot);
  }
  return slots;
}();

// Slot `id` of a run of slots; the length of the text in one.
char* SlotAt(char* slots, std::size_t id) {
  return slots + id * sizeof(NumberSlot);
}
const char* SlotAt(const char* slots, std::size_t id) {
  return slots + id * sizeof(NumberSlot);
}
unsigned char LengthIn(const char* slot) {
  return static_cast<unsigned char>(slot[offsetof(NumberSlot, length)]);
}

// The text of every subgraph's value of one index, made once: a tree of n vertices has n^2
// elements per matrix but only about n^2 / 2 distinct subgraphs, most of which print alike.
// The slots live in storage that the caller lends, with room after the last for a long
// text's spill.
class SubgraphTexts {
 public:
  SubgraphTexts(const TypeMatrices& matrices, TopologicalIndex index, char* slots) : slots_(slots) {
    const std::span<const SubgraphValues> subgraphs = matrices.Subgraphs();
    switch (index) {
      case TopologicalIndex::Wiener:
        FillWhole(subgraphs, [](const SubgraphValues& v) { return Int128{v.wiener}; });
        return;
      case TopologicalIndex::Zagreb:
        FillWhole(subgraphs, [](const SubgraphValues& v) { return Int128{v.zagreb}; });
        return;
      case TopologicalIndex::Hosoya:
        if (matrices.HasWideHosoya()) {
          FillWide(matrices);
        } else {
          FillWhole(subgraphs, [](const SubgraphValues& v) { return v.hosoya; });
        }
        return;
      case TopologicalIndex::Randic:
        for (std::size_t id = 0; id < subgraphs.size(); ++id) {
          const auto value = ExactDecimal::FromTicks(subgraphs[id].randicTicks);
          EndText(id, WriteNumberText(value, SlotAt(slots, id)));
        }
        return;
    }
  }

  const char* Slots() const { return slots_; }
  const std::string& LongText(std::uint32_t id) const { return long_.at(id); }
  bool HasLongTexts() const { return !long_.empty(); }
  std::size_t Longest() const { return longest_; }

 private:
  // The loop keeps its pointers in locals: every text written through a char pointer could
  // otherwise change them, as far as the compiler knows.
  template <typename WholeOf>
  void FillWhole(std::span<const SubgraphValues> subgraphs, WholeOf wholeOf) {
    char* const slots = slots_;
    for (std::size_t id = 0; id < subgraphs.size(); ++id) {
      const Int128 whole = wholeOf(subgraphs[id]);
      char* const slot = SlotAt(slots, id);
      if (whole >= 0 && whole < 100) {
        std::memcpy(slot, &kSmallWholeNumbers[static_cast<std::size_t>(whole)], sizeof(NumberSlot));
      } else {
        EndText(id, WriteWholeNumberText(whole, slot));
      }
    }
  }

  // Hosoya counts of a large tree: those past 128 bits kept aside at once.
  void FillWide(const TypeMatrices& matrices) {
    for (std::size_t id = 0; id < matrices.Subgraphs().size(); ++id) {
      const ExactDecimal value =
          matrices.Value(static_cast<std::uint32_t>(id), TopologicalIndex::Hosoya);
      if (!value.IsWide()) {
        EndText(id, WriteNumberText(value, SlotAt(slots_, id)));
        continue;
      }
      std::string text = NumberText(value);
      longest_ = std::max(longest_, text.size());
      text.append(", ");
      long_.emplace(static_cast<std::uint32_t>(id), std::move(text));
      SlotAt(slots_, id)[offsetof(NumberSlot, length)] = static_cast<char>(UCHAR_MAX);
    }
  }

  // Ends the text written into slot `id` at `end`: the separator and the length. Texts are
  // written where they stay, since copying a text just written byte by byte would wait for
  // the bytes to reach the cache. A text too long for its slot spills into the next ones,
  // which later texts overwrite, so it is kept aside at once.
  void EndText(std::size_t id, char* end) {
    char* const text = SlotAt(slots_, id);
    longest_ = std::max(longest_, static_cast<std::size_t>(end - text));
    *end++ = ',';
    *end++ = ' ';
    const auto length = static_cast<std::size_t>(end - text);
    if (length > NumberSlot::kRoom)
      long_.emplace(static_cast<std::uint32_t>(id), std::string(text, length));
    text[offsetof(NumberSlot, length)] =
        static_cast<char>(std::min<std::size_t>(length, UCHAR_MAX));
  }

  char* slots_;
  std::map<std::uint32_t, std::string> long_;  // the texts too long for a slot: rare
  std::size_t longest_ = 3;                    // " 99"
};

template <std::size_t N>
char* PutLiteral(const char (&text)[N], char* out) {
  std::memcpy(out, text, N - 1);
  return out + N - 1;
}

char* PutBlockName(MatrixType type, TopologicalIndex index, char* out) {
  const std::string name = BlockName(type, index);
  out = std::copy(name.begin(), name.end(), out);
  // Two names break the line before their matrix, as stored files and their readers expect.
  const bool ownLine =
      index == TopologicalIndex::Hosoya && (type == MatrixType::EGM || type == MatrixType::DVGM);
  return ownLine ? PutLiteral("\r\n", out) : out;
}

// One number and its separator: the whole slot is copied, which the buffer's slack allows,
// and the end moves by the text's length.
char* PutSlot(const char* slot, char* out) {
  std::memcpy(out, slot, sizeof(NumberSlot));
  return out + LengthIn(slot);
}

char* PutNumber(std::uint32_t id, const char* slots, const SubgraphTexts& texts, char* out) {
  const char* const slot = SlotAt(slots, id);
  if (LengthIn(slot) <= NumberSlot::kRoom) return PutSlot(slot, out);
  const std::string& text = texts.LongText(id);
  return std::copy(text.begin(), text.end(), out);
}

char* PutRows(const TypeMatrices& matrices, const SubgraphTexts& texts, char* out) {
  const int n = matrices.size();
  const char* const slots = texts.Slots();  // a local, which no text written can change
  const bool allInSlots = !texts.HasLongTexts();
  out = PutLiteral("= { ", out);
  for (int i = 1; i <= n; ++i) {
    const std::uint32_t* row = matrices.Row(i);
    out = PutLiteral("{", out);
    if (allInSlots) {  // the loop of almost every file, with nothing to test per number
      for (int j = 0; j < n; ++j)
        out = PutSlot(SlotAt(slots, row[j]), out);
    } else {
      for (int j = 0; j < n; ++j)
        out = PutNumber(row[j], slots, texts, out);
    }
    out -= kSeparator;
    out = i < n ? PutLiteral("}, \r\n", out) : PutLiteral("} }\r\n", out);
  }
  return out;
}

}  // namespace

std::string MatrixFileText(const GraphicalMatrices& matrices) {
  const auto n = static_cast<std::size_t>(matrices.types[0].size());
  constexpr std::size_t kBlockName = 16;
  constexpr std::size_t kRowMarks = 8;  // "{", "}, " or "} }" and the line end
  // One block's texts at a time, in storage that serves every block.
  std::size_t most = 0;
  for (const TypeMatrices& type : matrices.types)
    most = std::max(most, type.Subgraphs().size());
  // The slots after the last take the spill of a long text.
  constexpr std::size_t kSpill = (kLongestNumberText + kSeparator) / sizeof(NumberSlot) + 1;
  const auto slots = std::make_unique_for_overwrite<char[]>((most + kSpill) * sizeof(NumberSlot));
  // The file is written in place into a string with room for a block's longest texts and
  // slack for the whole-slot copies, and cut to its length at the end. Most numbers take
  // at most six places with their separator.
  std::string file(16 * (kBlockName + n * kRowMarks + n * n * 6), '\0');
  std::size_t used = 0;
  for (const MatrixType type : kMatrixTypes) {
    const TypeMatrices& block = matrices.types[static_cast<int>(type)];
    for (const TopologicalIndex index : kTopologicalIndices) {
      const SubgraphTexts texts(block, index, slots.get());
      const std::size_t room =
          kBlockName + n * kRowMarks + n * n * (texts.Longest() + kSeparator) + sizeof(NumberSlot);
      if (file.size() < used + room) file.resize(std::max(2 * file.size(), used + room));
      char* const start = file.data() + used;
      char* out = PutBlockName(type, index, start);
      out = PutRows(block, texts, out);
      used += static_cast<std::size_t>(out - start);
    }
  }
  file.resize(used);
  return file;
}

}  // namespace korvelant
