#include "input/record_splitter.hpp"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace korvelant {
namespace {

struct Found {
  std::string text;
  std::uint64_t line;
  std::uint64_t length;
  bool tooLong;
  bool openQuote = false;
  friend bool operator==(const Found&, const Found&) = default;
};

std::ostream& operator<<(std::ostream& out, const Found& found) {
  return out << "{\"" << found.text << "\" line " << found.line << " length " << found.length
             << (found.tooLong ? " too long" : "") << (found.openQuote ? " open quote}" : "}");
}

// Splits `input` fed in pieces of the given sizes (cycled); the whole at once for none.
std::vector<Found> Split(std::string_view input, SplitRules rules,
                         std::vector<std::size_t> pieces = {}) {
  std::vector<Found> found;
  RecordSplitter splitter(rules);
  const RecordSplitter::Emit emit = [&](const SplitRecord& record) {
    found.push_back(
        {std::string(record.text), record.line, record.length, record.tooLong, record.openQuote});
  };
  for (std::size_t k = 0; !input.empty(); ++k) {
    const std::size_t size = pieces.empty() ? input.size() : pieces[k % pieces.size()];
    splitter.Feed(input.substr(0, size), emit);
    input.remove_prefix(std::min(size, input.size()));
  }
  splitter.Finish(emit);
  return found;
}

TEST(RecordSplitter, LinesAsAnyFileHasThem) {
  const SplitRules lines{RecordLayout::kLine, true, 1 << 20};
  // CR LF and LF mixed, blank and blank-looking lines, a comment, a NUL byte, invalid UTF-8,
  // a CR inside a line, no final line end.
  const std::string input = std::string("3 1-2,2-3 a\r\n\n   \t\n# note\n2 1-2 b\xff\n") +
                            std::string("1 \0x\n", 5) + "x\ry\r\r\nlast";
  const std::vector<Found> expected = {
      {"3 1-2,2-3 a", 1, 11, false},
      {"2 1-2 b\xff", 5, 8, false},
      {std::string("1 \0x", 4), 6, 4, false},
      {"x\ry\r", 7, 4, false},
      {"last", 8, 4, false},
  };
  EXPECT_EQ(Split(input, lines), expected);
  // However the bytes arrive: one at a time, in odd pieces, in pieces splitting CR from LF.
  for (const std::vector<std::size_t>& pieces :
       std::vector<std::vector<std::size_t>>{{1}, {2, 3}, {7}, {12, 1}, {4096}}) {
    EXPECT_EQ(Split(input, lines, pieces), expected) << pieces[0];
  }
  // Comments are records where the format has no comments.
  const std::vector<Found> withComment = Split("# note\n", {RecordLayout::kLine, false, 1 << 20});
  EXPECT_EQ(withComment, (std::vector<Found>{{"# note", 1, 6, false}}));
  EXPECT_TRUE(Split("", lines).empty());
  EXPECT_TRUE(Split("\n\r\n \n", lines).empty());
}

TEST(RecordSplitter, AnOverlongLineKeepsItsStartAndLengthOnly) {
  const SplitRules rules{RecordLayout::kLine, true, 8};
  const std::string input = "12345678\n123456789\r\n" + std::string(100000, 'x') + "\nok\n# " +
                            std::string(50, 'c') + "\n";
  const std::vector<Found> expected = {
      {"12345678", 1, 8, false},
      {"12345678", 2, 9, true},
      {"xxxxxxxx", 3, 100000, true},
      {"ok", 4, 2, false},
  };
  for (const std::vector<std::size_t>& pieces :
       std::vector<std::vector<std::size_t>>{{}, {1}, {3}, {9}, {10}}) {
    EXPECT_EQ(Split(input, rules, pieces), expected);
  }
}

TEST(RecordSplitter, SdfBlocksEndAtDollarLines) {
  const SplitRules blocks{RecordLayout::kSdfBlock, false, 1 << 20};
  const std::string input =
      "ethane\r\n  body\r\nM  END\r\n$$$$\r\n\n  \n$$$$\n"
      "\nno name\nM  END\n$$$$   \nlast\nM  END";
  const std::vector<Found> expected = {
      {"ethane\n  body\nM  END\n", 1, 21, false},
      {"\nno name\nM  END\n", 8, 16, false},
      {"last\nM  END\n", 12, 12, false},
  };
  for (const std::vector<std::size_t>& pieces :
       std::vector<std::vector<std::size_t>>{{}, {1}, {5, 2}}) {
    EXPECT_EQ(Split(input, blocks, pieces), expected);
  }
  const std::vector<Found> huge =
      Split("a\n" + std::string(30, 'b') + "\n$$$$\nc\n", {RecordLayout::kSdfBlock, false, 10});
  EXPECT_EQ(huge, (std::vector<Found>{{"a\nbbbbbbbb", 1, 33, true}, {"c\n", 4, 2, false}}));
}

TEST(RecordSplitter, QuotedLinesKeepLineEndsInsideFields) {
  const SplitRules table{RecordLayout::kQuotedLine, false, 1 << 20};
  // A line end inside quotes (LF and CR LF) belongs to the field; a doubled quote neither
  // opens nor closes; CR LF outside quotes ends the record; blank lines are skipped.
  const std::string input =
      "smiles,name\r\nCC,\"two\nlines\"\r\n\nCCC,\"say \"\"hi\"\"\"\nCCCC,\"a\r\nb\",x";
  const std::vector<Found> expected = {
      {"smiles,name", 1, 11, false},
      {"CC,\"two\nlines\"", 2, 14, false},
      {"CCC,\"say \"\"hi\"\"\"", 5, 16, false},
      {"CCCC,\"a\r\nb\",x", 6, 13, false},
  };
  for (const std::vector<std::size_t>& pieces :
       std::vector<std::vector<std::size_t>>{{}, {1}, {2, 3}, {5}}) {
    EXPECT_EQ(Split(input, table, pieces), expected);
  }
}

TEST(RecordSplitter, AQuoteLeftOpenTakesTheRestAsOneFlaggedRecord) {
  const SplitRules table{RecordLayout::kQuotedLine, false, 8};
  const std::vector<Found> expected = {
      {"a,b", 1, 3, false},
      {"c,\"d\ne,f", 2, 9, true, true},
  };
  for (const std::vector<std::size_t>& pieces : std::vector<std::vector<std::size_t>>{{}, {1}}) {
    EXPECT_EQ(Split("a,b\nc,\"d\ne,f\n", table, pieces), expected);
  }
  // A field far past the limit still closes where its quote does, so the next row is whole.
  const std::string huge =
      "\"" + std::string(100000, 'x') + "\n\"\"" + std::string(10, 'y') + "\"\nnext,row\n";
  EXPECT_EQ(Split(huge, table, {4096}),
            (std::vector<Found>{{"\"xxxxxxx", 1, 100015, true}, {"next,row", 3, 8, false}}));
}

}  // namespace
}  // namespace korvelant
