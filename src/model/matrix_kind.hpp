#pragma once

#include <array>
#include <string>
#include <string_view>

namespace korvelant {

enum class MatrixType { EGM, PGM, SVGM, DVGM };
enum class TopologicalIndex { Wiener, Randic, Zagreb, Hosoya };

inline constexpr std::array kMatrixTypes = {MatrixType::EGM, MatrixType::PGM, MatrixType::SVGM,
                                            MatrixType::DVGM};
inline constexpr std::array kTopologicalIndices = {
    TopologicalIndex::Wiener, TopologicalIndex::Randic, TopologicalIndex::Zagreb,
    TopologicalIndex::Hosoya};

// "EGM", "PGM", "SVGM", "DVGM": the suffix of a matrix's name in the file.
constexpr std::string_view ShortName(MatrixType type) {
  constexpr std::array<std::string_view, 4> kNames = {"EGM", "PGM", "SVGM", "DVGM"};
  return kNames[static_cast<int>(type)];
}

// "W", "R", "Z", "H": the letter that opens a matrix's name in the file.
constexpr std::string_view Letter(TopologicalIndex index) {
  constexpr std::array<std::string_view, 4> kLetters = {"W", "R", "Z", "H"};
  return kLetters[static_cast<int>(index)];
}

// The name of a matrix in the file and in every table: the index's letter, "I", the type's
// short name ("WIEGM", "HIDVGM").
inline std::string BlockName(MatrixType type, TopologicalIndex index) {
  std::string name(Letter(index));
  name += 'I';
  name += ShortName(type);
  return name;
}

// Block k, 0..15, of the sixteen in the file's order: EGM's four indices, then PGM's, ...
constexpr MatrixType BlockType(int block) {
  return kMatrixTypes[static_cast<std::size_t>(block / 4)];
}
constexpr TopologicalIndex BlockIndex(int block) {
  return kTopologicalIndices[static_cast<std::size_t>(block % 4)];
}
inline std::string BlockName(int block) {
  return BlockName(BlockType(block), BlockIndex(block));
}

// "edge-graphical matrix", as the option captions name them.
constexpr std::string_view MatrixTypeName(MatrixType type) {
  constexpr std::array<std::string_view, 4> kNames = {
      "edge-graphical matrix", "path-graphical matrix", "sparse vertex-graphical matrix",
      "dense vertex-graphical matrix"};
  return kNames[static_cast<int>(type)];
}

// "Wiener index", "Randic index", ...: in ASCII, as a terminal or screen reader takes it.
constexpr std::string_view IndexName(TopologicalIndex index) {
  constexpr std::array<std::string_view, 4> kNames = {"Wiener index", "Randic index",
                                                      "Zagreb index", "Hosoya index"};
  return kNames[static_cast<int>(index)];
}

// Edge-type matrices leave every element of two vertices that are not joined empty.
constexpr bool IsEdgeType(MatrixType type) {
  return type == MatrixType::EGM || type == MatrixType::SVGM;
}

}  // namespace korvelant
