#include "output/matrix_file.hpp"

#include <algorithm>
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
    char text[kLongestNumberText];
    for (std::size_t id = 0; id < slots_.size(); ++id) {
      const auto length = static_cast<std::size_t>(
          WriteNumberText(matrices.Subgraphs()[id][static_cast<int>(index)], text) - text);
      longest_ = std::max(longest_, length);
      if (length <= FileBuffer::NumberSlot::kRoom) {
        std::memcpy(slots_[id].text, text, length);
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
  std::vector<FileBuffer::NumberSlot> slots_;
  std::map<std::uint32_t, std::string> long_;  // the texts too long for a slot: rare
  std::size_t longest_ = 0;
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
    file.Put("{");
    for (int j = 1; j < n; ++j) {
      texts.Put(matrices.SubgraphOf(i, j), file);
      file.Put(", ");
    }
    texts.Put(matrices.SubgraphOf(i, n), file);
    file.Put(i < n ? "}, " : "} }");
    file.Put(kLineEnd);
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
