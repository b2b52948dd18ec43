#include "input/quoted_text.hpp"

#include <gtest/gtest.h>

namespace korvelant {
namespace {

TEST(QuotedText, ShowsEveryByteSafely) {
  const std::pair<std::string, std::string> cases[] = {
      {"plain", "\"plain\""},
      {"", "\"\""},
      {"say \"hi\" \\ bye", "\"say \\\"hi\\\" \\\\ bye\""},
      {"\x1b[31mred\x1b[0m", "\"\\x1b[31mred\\x1b[0m\""},
      {"a\nb\rc\td", "\"a\\nb\\rc\\td\""},
      {std::string("nul\0", 4), "\"nul\\x00\""},
      {"del\x7f", "\"del\\x7f\""},
      {"Ko\xcc\x88rvelant \xe2\x80\x93 \xc3\xa9", "\"Ko\xcc\x88rvelant \xe2\x80\x93 \xc3\xa9\""},
      {"csi\xc2\x9b", "\"csi\\u009b\""},
      {"bad\xff\xc3", "\"bad\\xff\\xc3\""},
      {"overlong\xc0\xaf", "\"overlong\\xc0\\xaf\""},
      {"surrogate\xed\xa0\x80", "\"surrogate\\xed\\xa0\\x80\""},
  };
  for (const auto& [value, shown] : cases)
    EXPECT_EQ(QuotedText(value), shown);
}

TEST(QuotedText, CutsALongValueAtACharacterAndStatesItsLength) {
  const std::string shown = QuotedText(std::string(12345, 'x'));
  EXPECT_EQ(shown, "\"" + std::string(kShownValueBytes, 'x') + "\xE2\x80\xA6\" (12345 bytes)");
  // 63 bytes, then a two-byte letter that would end past the limit.
  const std::string accented = std::string(63, 'a') + "\xc3\xa9" + std::string(10, 'b');
  EXPECT_EQ(QuotedText(accented), "\"" + std::string(63, 'a') + "\xE2\x80\xA6\" (75 bytes)");
  EXPECT_EQ(QuotedText(std::string(kShownValueBytes, 'y')),
            "\"" + std::string(kShownValueBytes, 'y') + "\"");
  // Escapes are made after the cut: no escape is split.
  EXPECT_EQ(QuotedText(std::string(70, '\x1b')).substr(0, 9), "\"\\x1b\\x1b");
}

TEST(QuotedText, AWholeMessageKeepsQuotesAndLosesControls) {
  EXPECT_EQ(WithControlsEscaped("Cannot write \"a\x1b]0;x\x07.txt\": No space"),
            "Cannot write \"a\\x1b]0;x\\x07.txt\": No space");
  EXPECT_EQ(WithControlsEscaped("already \\\"quoted\\\""), "already \\\"quoted\\\"");
}

}  // namespace
}  // namespace korvelant
