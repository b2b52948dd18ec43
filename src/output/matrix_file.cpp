#include "output/matrix_file.hpp"

#include <algorithm>
#include <array>
#include <climits>
#include <cstring>
#include <map>
#include <memory>
#include <vector>

#include "matrices/matrix_kind.hpp"
#include "model/number_text.hpp"

namespace korvelant {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

// The file grows in a buffer sized beforehand for its longest possible text: a tree of 8
// vertices has a thousand numbers, and string appends one by one would dominate.
class FileBuffer {
 public:
  // Room past the end for the fixed-size copies of PutNumber.
  static constexpr std::size_t kSlack = 16;

  explicit FileBuffer(std::size_t capacity)
      : start_(std::make_unique_for_overwrite<char[]>(capacity + kSlack)), end_(start_.get()) {}

  void Put(std::string_view text) {
    std::memcpy(end_, text.data(), text.size());
    end_ += text.size();
  }
  // A literal: its length known when compiling, so the copy is a store or two.
  template <std::size_t N>
  void PutLiteral(const char (&text)[N]) {
    std::memcpy(end_, text, N - 1);
    end_ += N - 1;
  }

  std::string Text() const { return std::string(start_.get(), end_); }

  // A number's text, copied as a whole slot of 16 bytes when it fits one, which beats
  // copying exactly its few characters.
  struct NumberSlot {
    static constexpr std::size_t kRoom = 15;
    char text[kRoom];
    unsigned char length;  // above kRoom: the text is kept in SubgraphTexts::long_
  };
  void Put(const NumberSlot& slot) {
    std::memcpy(end_, &slot, sizeof slot);
    end_ += slot.length;
  }

 private:
  std::unique_ptr<char[]> start_;
  char* end_;
};

// The texts of every subgraph's values, each made once: a tree of n vertices has n^2
// elements per matrix but only about n^2 / 2 distinct subgraphs, most of which print alike.
class SubgraphTexts {
 public:
  SubgraphTexts(const TypeMatrices& matrices, TopologicalIndex index)
      : slots_(matrices.Subgraphs().size()) {
    for (std::size_t id = 0; id < slots_.size(); ++id) {
      const ExactDecimal value = matrices.Subgraphs()[id][static_cast<int>(index)];
      if (const FileBuffer::NumberSlot* small = SmallWholeNumber(value)) {
        slots_[id] = *small;
        continue;
      }
      char text[kLongestNumberText];
      const auto length = static_cast<std::size_t>(WriteNumberText(value, text) - text);
      longest_ = std::max(longest_, length);
      if (length <= FileBuffer::NumberSlot::kRoom) {
        std::memcpy(slots_[id].text, text, FileBuffer::NumberSlot::kRoom);
        slots_[id].length = static_cast<unsigned char>(length);
      } else {
        slots_[id].length = UCHAR_MAX;
        long_.emplace(static_cast<std::uint32_t>(id), std::string(text, length));
      }
    }
  }

  void Put(std::uint32_t id, FileBuffer& file) const {
    const FileBuffer::NumberSlot& slot = slots_[id];
    if (slot.length <= FileBuffer::NumberSlot::kRoom) {
      file.Put(slot);
    } else {
      file.Put(long_.at(id));
    }
  }
  std::size_t Longest() const { return longest_; }

 private:
  // The texts of the whole numbers 0 to 99, most values of small trees, made once.
  static const FileBuffer::NumberSlot* SmallWholeNumber(ExactDecimal value) {
    static const std::array<FileBuffer::NumberSlot, 100> kSlots = [] {
      std::array<FileBuffer::NumberSlot, 100> slots{};
      for (int whole = 0; whole < 100; ++whole) {
        char* end = WriteNumberText(ExactDecimal::FromInteger(whole), slots[whole].text);
        slots[whole].length = static_cast<unsigned char>(end - slots[whole].text);
      }
      return slots;
    }();
    const Int128 ticks = value.ticks();
    if (ticks < 0 || ticks >= 100 * ExactDecimal::kScale) return nullptr;
    const auto small = static_cast<std::int64_t>(ticks);
    if (small % ExactDecimal::kScale != 0) return nullptr;
    return &kSlots[static_cast<std::size_t>(small / ExactDecimal::kScale)];
  }

  std::vector<FileBuffer::NumberSlot> slots_;
  std::map<std::uint32_t, std::string> long_;  // the texts too long for a slot: rare
  std::size_t longest_ = 3;                    // " 99"
};

void PutBlockName(MatrixType type, TopologicalIndex index, FileBuffer& file) {
  file.Put(Letter(index));
  file.Put("I");
  file.Put(ShortName(type));
  // Two names break the line before their matrix; files in use have always looked so.
  const bool ownLine =
      index == TopologicalIndex::Hosoya && (type == MatrixType::EGM || type == MatrixType::DVGM);
  if (ownLine) file.Put(kLineEnd);
}

void PutRows(const TypeMatrices& matrices, const SubgraphTexts& texts, FileBuffer& file) {
  const int n = matrices.size();
  file.Put("= { ");
  for (int i = 1; i <= n; ++i) {
    file.PutLiteral("{");
    for (int j = 1; j < n; ++j) {
      texts.Put(matrices.SubgraphOf(i, j), file);
      file.PutLiteral(", ");
    }
    texts.Put(matrices.SubgraphOf(i, n), file);
    if (i < n) {
      file.PutLiteral("}, \r\n");
    } else {
      file.PutLiteral("} }\r\n");
    }
  }
}

}  // namespace

std::string MatrixFileText(const GraphicalMatrices& matrices) {
  const auto n = static_cast<std::size_t>(matrices.types[0].size());
  std::vector<SubgraphTexts> texts;
  texts.reserve(16);
  std::size_t longest = 0;
  for (const TypeMatrices& type : matrices.types) {
    for (const TopologicalIndex index : kTopologicalIndices) {
      longest = std::max(longest, texts.emplace_back(type, index).Longest());
    }
  }
  constexpr std::size_t kBlockName = 16;
  constexpr std::size_t kRowMarks = 8;  // "{", "}, " or "} }" and the line end
  FileBuffer file(16 * (kBlockName + n * kRowMarks + n * n * (longest + 2)));
  auto text = texts.begin();
  for (const MatrixType type : kMatrixTypes) {
    for (const TopologicalIndex index : kTopologicalIndices) {
      PutBlockName(type, index, file);
      PutRows(matrices.types[static_cast<int>(type)], *text++, file);
    }
  }
  return file.Text();
}

}  // namespace korvelant
