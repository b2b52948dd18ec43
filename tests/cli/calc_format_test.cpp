// calc's formats for papers, each read back by a reader of its own kind and held to the
// numbers the text format prints.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/batch_test_support.hpp"
#include "cli/cli_app.hpp"
#include "cli/json_reader.hpp"
#include "support/fibonacci.hpp"
#include "support/german_locale.hpp"

namespace korvelant::testing {
namespace {

struct Printed {
  int status;
  std::string out;
  std::string err;
};

Printed Calc(const std::vector<std::string>& options) {
  std::vector<std::string> arguments = {"calc", "--vertices", "12", "--edges",
                                        "1-2,2-3,3-4,4-5,5-6,6-7,7-8,3-9,9-10,5-11,11-12"};
  arguments.insert(arguments.end(), options.begin(), options.end());
  std::ostringstream out;
  std::ostringstream err;
  const int status = RunCli(arguments, out, err);
  return {status, out.str(), err.str()};
}

// The text format's elements and half-sum, as a reader of that text takes them.
struct TextMatrix {
  std::vector<std::vector<std::string>> rows;
  std::string halfSum;
};

std::string Trimmed(std::string text) {
  text.erase(0, text.find_first_not_of(' '));
  text.erase(text.find_last_not_of(' ') + 1);
  return text;
}

TextMatrix ReadText(const std::string& text) {
  TextMatrix matrix;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    constexpr std::string_view kHalfSum = "Half-sum of matrix elements is:";
    if (line.starts_with(kHalfSum)) {
      matrix.halfSum = Trimmed(line.substr(kHalfSum.size()));
      continue;
    }
    std::vector<std::string> row;
    std::istringstream cells(line);
    for (std::string cell; std::getline(cells, cell, ',');)
      row.push_back(Trimmed(cell));
    matrix.rows.push_back(row);
  }
  return matrix;
}

class CalcFormat : public ::testing::TestWithParam<std::pair<const char*, const char*>> {};

TEST_P(CalcFormat, EveryFormatHoldsTheNumbersTheTextShows) {
  const auto [type, index] = GetParam();
  const Printed text = Calc({"--type", type, "--index", index});
  ASSERT_EQ(text.status, kSuccess) << text.err;
  EXPECT_EQ(Calc({"--type", type, "--index", index, "--format", "TEXT"}).out, text.out);
  const TextMatrix expected = ReadText(text.out);
  ASSERT_EQ(expected.rows.size(), 12u);

  std::vector<std::string> header = {""};
  for (int v = 1; v <= 12; ++v)
    header.push_back(std::to_string(v));
  const auto csv = ReadCsv(Calc({"--type", type, "--index", index, "--format", "csv"}).out);
  ASSERT_EQ(csv.size(), 13u);
  EXPECT_EQ(csv[0], header);
  for (std::size_t i = 1; i <= 12; ++i) {
    EXPECT_EQ(csv[i][0], std::to_string(i));
    EXPECT_EQ(std::vector(csv[i].begin() + 1, csv[i].end()), expected.rows[i - 1]) << i;
  }
  std::string tsv = Calc({"--type", type, "--index", index, "--format", "tsv"}).out;
  EXPECT_EQ(tsv.find(','), std::string::npos) << "tabs alone between the cells";
  std::replace(tsv.begin(), tsv.end(), '\t', ',');
  EXPECT_EQ(ReadCsv(tsv), csv);

  // The JSON numbers keep the digits they were written with: the text's own.
  const auto json =
      testing::ParseJson(Calc({"--type", type, "--index", index, "--format", "json"}).out);
  ASSERT_TRUE(json);
  EXPECT_EQ(json->Keys(),
            (std::vector<std::string>{"type", "index", "vertices", "matrix", "half_sum"}));
  EXPECT_EQ((*json)["type"].text, type);
  EXPECT_EQ((*json)["index"].text, index);
  EXPECT_EQ((*json)["vertices"].text, "12");
  const auto& matrix = (*json)["matrix"].items;
  ASSERT_EQ(matrix.size(), 12u);
  for (std::size_t i = 0; i < 12; ++i) {
    ASSERT_EQ(matrix[i].items.size(), 12u);
    for (std::size_t j = 0; j < 12; ++j) {
      EXPECT_EQ(matrix[i].items[j].kind, testing::Json::Kind::kNumber);
      EXPECT_EQ(matrix[i].items[j].text, expected.rows[i][j]) << i << "," << j;
    }
  }
  EXPECT_EQ((*json)["half_sum"].text, expected.halfSum);

  // LaTeX: the caption line, amsmath told of 12 columns, rows split at \\ and cells at &.
  const std::string latex = Calc({"--type", type, "--index", index, "--format", "latex"}).out;
  EXPECT_NE(latex.find(std::string("half-sum $").append(expected.halfSum).append("$.")),
            std::string::npos)
      << latex;
  EXPECT_NE(latex.find(std::string("(").append(type).append(")")), std::string::npos);
  EXPECT_NE(latex.find("\\setcounter{MaxMatrixCols}{12}"), std::string::npos);
  const auto begin = latex.find("\\begin{bmatrix}\n");
  const auto end = latex.find("\\end{bmatrix}");
  ASSERT_NE(begin, std::string::npos);
  ASSERT_NE(end, std::string::npos);
  std::string body = latex.substr(begin + 16, end - begin - 16);
  std::vector<std::vector<std::string>> rows;
  for (std::size_t at = 0; at < body.size();) {
    const auto stop = std::min(body.find("\\\\", at), body.find('\n', at));
    std::vector<std::string> row;
    std::istringstream cells(body.substr(at, stop - at));
    for (std::string cell; std::getline(cells, cell, '&');)
      row.push_back(Trimmed(cell));
    rows.push_back(row);
    at = body.find('\n', at) + 1;
  }
  EXPECT_EQ(rows, expected.rows);
}

INSTANTIATE_TEST_SUITE_P(TypesAndIndices, CalcFormat,
                         ::testing::Values(std::pair{"EGM", "W"}, std::pair{"PGM", "R"},
                                           std::pair{"SVGM", "Z"}, std::pair{"DVGM", "H"}));

// A German locale would write "1,4142" and group digits if the numbers followed it.
TEST(CalcFormats, NumbersIgnoreTheLocale) {
  std::vector<std::string> plain;
  for (const char* format : {"text", "csv", "tsv", "json", "latex"})
    plain.push_back(Calc({"--type", "PGM", "--index", "R", "--format", format}).out);
  std::vector<std::string> german;
  {
    const testing::GermanLocale locale;
    if (!locale.Installed()) GTEST_SKIP() << testing::GermanLocale::kMissing;
    for (const char* format : {"text", "csv", "tsv", "json", "latex"})
      german.push_back(Calc({"--type", "PGM", "--index", "R", "--format", format}).out);
  }
  EXPECT_EQ(german, plain);
  EXPECT_NE(plain[4].find("half-sum $316.5722$"), std::string::npos) << plain[4];
}

// Past about 160 vertices a Hosoya number no longer fits 128 bits. On the path of 200
// vertices, EGM's (1, 2) leaves vertex 1 and a path of 199 vertices, F(200) matchings, and
// (100, 101) two paths of 100, F(101)^2: every format writes them whole.
TEST(CalcFormats, EveryFormatWritesHosoyaNumbersPast128Bits) {
  const int n = 200;
  std::string edges;
  for (int v = 1; v < n; ++v)
    edges.append(v > 1 ? "," : "")
        .append(std::to_string(v))
        .append("-")
        .append(std::to_string(v + 1));
  const std::vector<mpz_class> f = Fibonacci(n);
  const std::string first = f[200].get_str();
  const std::string middle = mpz_class(f[101] * f[101]).get_str();
  const auto calc = [&](const char* format) {
    std::ostringstream out;
    std::ostringstream err;
    const int status = RunCli({"calc", "--vertices", std::to_string(n), "--edges", edges, "--type",
                               "EGM", "--index", "H", "--format", format},
                              out, err);
    EXPECT_EQ(status, kSuccess) << format << ": " << err.str();
    return out.str();
  };
  const TextMatrix text = ReadText(calc("text"));
  ASSERT_EQ(text.rows.size(), 200u);
  EXPECT_EQ(text.rows[0][1], first);
  EXPECT_EQ(text.rows[99][100], middle);
  const auto csv = ReadCsv(calc("csv"));
  ASSERT_EQ(csv.size(), 201u);
  EXPECT_EQ(csv[1][2], first);
  EXPECT_EQ(csv[100][101], middle);
  std::string tsv = calc("tsv");
  std::replace(tsv.begin(), tsv.end(), '\t', ',');
  EXPECT_EQ(ReadCsv(tsv), csv);
  const auto json = testing::ParseJson(calc("json"));
  ASSERT_TRUE(json);
  EXPECT_EQ((*json)["matrix"].items.at(0).items.at(1).text, first);
  EXPECT_EQ((*json)["matrix"].items.at(99).items.at(100).text, middle);
  EXPECT_NE(calc("latex").find("& " + middle + " &"), std::string::npos);
}

TEST(CalcFormats, AnUnknownFormatIsAUsageError) {
  const Printed run = Calc({"--type", "PGM", "--index", "W", "--format", "xml"});
  EXPECT_EQ(run.status, kBadInput);
  EXPECT_EQ(run.err,
            "korvelant-cli: unknown --format \"xml\": use text, csv, tsv, json or latex\n");
}

}  // namespace
}  // namespace korvelant::testing
