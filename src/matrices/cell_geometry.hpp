#pragma once

#include "drawing/drawing.hpp"
#include "model/int16.hpp"

namespace korvelant {

// Element (i, j) owns a square cell of the large picture; the first index runs
// horizontally. Cell 1 starts at 1400 - 1000 = 400 twips.
inline constexpr int kCellPitch = 1400;
inline constexpr int kCellOrigin = -1000;

// The corner of the cell with the smallest x and y.
inline TwipPoint CellOrigin(Int16 i, Int16 j) {
  const Int16 x = Int16(kCellPitch) * i + kCellOrigin;
  const Int16 y = Int16(kCellPitch) * j + kCellOrigin;
  return {static_cast<float>(x.value()), static_cast<float>(y.value())};
}

// The cell origin plus `offset` in both directions. The integer part is exact and the
// offset may be the double 1400 / 3; the sum reaches the picture in single precision.
inline TwipPoint CellPoint(Int16 i, Int16 j, double offset) {
  const Int16 x = Int16(kCellPitch) * i + kCellOrigin;
  const Int16 y = Int16(kCellPitch) * j + kCellOrigin;
  return {static_cast<float>(x.value() + offset), static_cast<float>(y.value() + offset)};
}

// Where a calculated number, and the "0" of an empty path-type cell, is printed.
inline constexpr double kThirdOfPitch = kCellPitch / 3.0;

}  // namespace korvelant
