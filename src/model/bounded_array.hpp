#pragma once

#include <array>
#include <stdexcept>
#include <string>

#include "model/int16.hpp"

namespace korvelant {

// Every array of the tree model has 13 entries per dimension, indices 0 to 12. Vertices are
// numbered from 1 and the matching count reads one entry past the last vertex, so the
// arrays are larger than the 8-vertex limit needs; index 0 and indices above n mean nothing.
inline constexpr int kArrayExtent = 13;

class IndexOutOfRange : public std::out_of_range {
 public:
  using std::out_of_range::out_of_range;
};

inline int CheckedIndex(Int16 index) {
  if (index.value() < 0 || index.value() >= kArrayExtent) [[unlikely]] {
    throw IndexOutOfRange("array index out of range: " + std::to_string(index.value()));
  }
  return index.value();
}

// A one-dimensional array indexed 0 to 12 with a checked subscript.
template <typename T>
class BoundedVector {
 public:
  T& operator()(Int16 i) { return entries_[CheckedIndex(i)]; }
  const T& operator()(Int16 i) const { return entries_[CheckedIndex(i)]; }
  void Fill(const T& value) { entries_.fill(value); }
  friend bool operator==(const BoundedVector&, const BoundedVector&) = default;

 private:
  std::array<T, kArrayExtent> entries_{};
};

// A square matrix indexed 0 to 12 in both dimensions with checked subscripts.
template <typename T>
class BoundedMatrix {
 public:
  T& operator()(Int16 i, Int16 j) { return entries_[CheckedIndex(i)][CheckedIndex(j)]; }
  const T& operator()(Int16 i, Int16 j) const { return entries_[CheckedIndex(i)][CheckedIndex(j)]; }
  void Fill(const T& value) {
    for (auto& row : entries_)
      row.fill(value);
  }
  friend bool operator==(const BoundedMatrix&, const BoundedMatrix&) = default;

 private:
  std::array<std::array<T, kArrayExtent>, kArrayExtent> entries_{};
};

}  // namespace korvelant
