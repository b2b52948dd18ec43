#include "output/matrix_file.hpp"

#include <gtest/gtest.h>

#include "support/named_trees.hpp"

namespace korvelant {
namespace {

std::string FileText(const TreeModel& tree) {
  return MatrixFileText(ComputeGraphicalMatrices(RootTree(testing::GraphOf(tree)).value()));
}

// Writes the file's lines with CR LF, as the expected texts below are easier to read without.
std::string WithCrLf(std::string_view lines) {
  std::string text;
  for (const char c : lines) {
    if (c == '\n') text += '\r';
    text += c;
  }
  return text;
}

TEST(MatrixFile, PathOfThreeVertices) {
  const std::string expected = WithCrLf(
      "WIEGM= { { 0,  1,  0}, \n{ 1,  0,  1}, \n{ 0,  1,  0} }\n"
      "RIEGM= { { 0,  1,  0}, \n{ 1,  0,  1}, \n{ 0,  1,  0} }\n"
      "ZIEGM= { { 0,  1,  0}, \n{ 1,  0,  1}, \n{ 0,  1,  0} }\n"
      "HIEGM\n= { { 0,  2,  0}, \n{ 2,  0,  2}, \n{ 0,  2,  0} }\n"
      "WIPGM= { { 0,  1,  0}, \n{ 1,  0,  1}, \n{ 0,  1,  0} }\n"
      "RIPGM= { { 0,  1,  0}, \n{ 1,  0,  1}, \n{ 0,  1,  0} }\n"
      "ZIPGM= { { 0,  1,  0}, \n{ 1,  0,  1}, \n{ 0,  1,  0} }\n"
      "HIPGM= { { 0,  2,  1}, \n{ 2,  0,  2}, \n{ 1,  2,  0} }\n"
      "WISVGM= { { 0,  0,  0}, \n{ 0,  0,  0}, \n{ 0,  0,  0} }\n"
      "RISVGM= { { 0,  0,  0}, \n{ 0,  0,  0}, \n{ 0,  0,  0} }\n"
      "ZISVGM= { { 0,  0,  0}, \n{ 0,  0,  0}, \n{ 0,  0,  0} }\n"
      "HISVGM= { { 0,  1,  0}, \n{ 1,  0,  1}, \n{ 0,  1,  0} }\n"
      "WIDVGM= { { 0,  0,  0}, \n{ 0,  0,  0}, \n{ 0,  0,  0} }\n"
      "RIDVGM= { { 0,  0,  0}, \n{ 0,  0,  0}, \n{ 0,  0,  0} }\n"
      "ZIDVGM= { { 0,  0,  0}, \n{ 0,  0,  0}, \n{ 0,  0,  0} }\n"
      "HIDVGM\n= { { 0,  1,  1}, \n{ 1,  0,  1}, \n{ 1,  1,  0} }\n");
  EXPECT_EQ(FileText(testing::PathTree(3)), expected);
}

TEST(MatrixFile, StarShowsFractions) {
  const std::string text = FileText(testing::StarTree(4));
  const std::string block = WithCrLf(
      "RIEGM= { { 0,  1.4142,  1.4142,  1.4142}, \n{ 1.4142,  0,  0,  0}, \n"
      "{ 1.4142,  0,  0,  0}, \n{ 1.4142,  0,  0,  0} }\n");
  EXPECT_NE(text.find(block), std::string::npos) << text;
}

TEST(MatrixFile, SingleVertexAndSingleEdge) {
  const std::string single = FileText(testing::MakeTree(1, {}));
  EXPECT_EQ(single.substr(0, 17), WithCrLf("WIEGM= { { 0} }\n"));
  EXPECT_NE(single.find(WithCrLf("ZIEGM= { { 0} }\nHIEGM\n= { { 0} }\nWIPGM")), std::string::npos);
  EXPECT_TRUE(single.ends_with(WithCrLf("HIDVGM\n= { { 0} }\n")));
  EXPECT_EQ(std::count(single.begin(), single.end(), '\n'), 18);

  const std::string pair = FileText(testing::PathTree(2));
  EXPECT_NE(pair.find(WithCrLf("HIPGM= { { 0,  1}, \n{ 1,  0} }\n")), std::string::npos);
  EXPECT_NE(pair.find(WithCrLf("ZIDVGM= { { 0,  0}, \n{ 0,  0} }\n")), std::string::npos);
}

TEST(MatrixFile, SevenBitTextWithCrLfLineEndsOnly) {
  const std::string text = FileText(testing::DimethylHexane());
  for (std::size_t k = 0; k < text.size(); ++k) {
    const unsigned char c = text[k];
    EXPECT_LT(c, 0x80);
    if (c == '\n') {
      EXPECT_EQ(text[k - 1], '\r');
    }
    if (c == '\r') {
      EXPECT_EQ(text[k + 1], '\n');
    }
  }
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 16 * 8 + 2);
}

}  // namespace
}  // namespace korvelant
