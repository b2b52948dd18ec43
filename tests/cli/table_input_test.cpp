// Tables in: CSV and TSV batches whose SMILES column is computed and whose other columns
// stay beside the descriptors, and .smi files headed by a title line.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "cli/batch_test_support.hpp"
#include "cli/cli_app.hpp"
#include "cli/json_reader.hpp"
#include "support/temporary_folder.hpp"

namespace korvelant::testing {
namespace {

namespace fs = std::filesystem;

struct Octane {
  const char* name;
  const char* smiles;
  const char* boilingPoint;  // degrees Celsius
};

// The 18 octanes; their names hold commas, so the CSV must quote them.
constexpr Octane kOctanes[] = {
    {"octane", "CCCCCCCC", "125.7"},
    {"2-methylheptane", "CC(C)CCCCC", "117.6"},
    {"3-methylheptane", "CCC(C)CCCC", "118.9"},
    {"4-methylheptane", "CCCC(C)CCC", "117.7"},
    {"3-ethylhexane", "CCC(CC)CCC", "118.5"},
    {"2,2-dimethylhexane", "CC(C)(C)CCCC", "106.8"},
    {"2,3-dimethylhexane", "CC(C)C(C)CCC", "115.6"},
    {"2,4-dimethylhexane", "CC(C)CC(C)CC", "109.4"},
    {"2,5-dimethylhexane", "CC(C)CCC(C)C", "109.1"},
    {"3,3-dimethylhexane", "CCC(C)(C)CCC", "112.0"},
    {"3,4-dimethylhexane", "CCC(C)C(C)CC", "117.7"},
    {"3-ethyl-2-methylpentane", "CC(C)C(CC)CC", "115.7"},
    {"3-ethyl-3-methylpentane", "CCC(C)(CC)CC", "118.3"},
    {"2,2,3-trimethylpentane", "CC(C)(C)C(C)CC", "109.8"},
    {"2,2,4-trimethylpentane", "CC(C)(C)CC(C)C", "99.2"},
    {"2,3,3-trimethylpentane", "CC(C)C(C)(C)CC", "114.8"},
    {"2,3,4-trimethylpentane", "CC(C)C(C)C(C)C", "113.5"},
    {"2,2,3,3-tetramethylbutane", "CC(C)(C)C(C)(C)C", "106.5"},
};

std::string OctaneTable(char separator) {
  std::string table = std::string("name") + separator + "SMILES" + separator + "bp\r\n";
  for (const Octane& octane : kOctanes) {
    table += std::string("\"") + octane.name + "\"" + separator + octane.smiles + separator +
             octane.boilingPoint + "\r\n";
  }
  return table;
}

std::string OctaneSmiFile() {
  std::string smi;
  for (const Octane& octane : kOctanes)
    smi += std::string(octane.smiles) + " " + octane.name + "\n";
  return smi;
}

std::size_t Column(const std::vector<std::string>& header, const std::string& name) {
  const auto found = std::find(header.begin(), header.end(), name);
  EXPECT_NE(found, header.end()) << name;
  return static_cast<std::size_t>(found - header.begin());
}

class TableInput : public testing::TemporaryFolder {};

TEST_F(TableInput, OctanesKeepTheirBoilingPointsBesideTheSameValuesAsFromSmi) {
  const BatchRun fromSmi = RunBatch({"--from", "smiles"}, OctaneSmiFile());
  ASSERT_EQ(fromSmi.status, kSuccess) << fromSmi.err;
  const auto expected = ReadCsv(fromSmi.out);
  ASSERT_EQ(expected.size(), 19u);
  for (const auto& [suffix, separator] : {std::pair{".csv", ','}, std::pair{".tsv", '\t'}}) {
    const std::string path = Write(std::string("octanes") + suffix, OctaneTable(separator));
    for (const char* jobs : {"1", "3"}) {
      const BatchRun run = RunBatch({"--jobs", jobs, path}, "");
      ASSERT_EQ(run.status, kSuccess) << run.err;
      const auto rows = ReadCsv(run.out);
      ASSERT_EQ(rows.size(), expected.size()) << suffix;
      // The program's columns, then the carried one.
      std::vector<std::string> header = expected[0];
      header.push_back("bp");
      EXPECT_EQ(rows[0], header);
      for (std::size_t k = 1; k < rows.size(); ++k) {
        EXPECT_EQ(std::vector(rows[k].begin(), rows[k].end() - 1), expected[k]) << k;
        EXPECT_EQ(rows[k].back(), kOctanes[k - 1].boilingPoint);
      }
    }
  }
  // In JSON lines the carried column is a string, after "error".
  const BatchRun json = RunBatch({"--from", "csv", "--format", "jsonl"}, OctaneTable(','));
  std::istringstream lines(json.out);
  std::string line;
  std::getline(lines, line);
  const auto first = ParseJson(line);
  ASSERT_TRUE(first.has_value()) << line;
  EXPECT_EQ((*first)["name"].text, "octane");
  EXPECT_EQ((*first)["bp"].kind, Json::Kind::kString);
  EXPECT_EQ((*first)["bp"].text, "125.7");
  EXPECT_EQ(first->Keys().back(), "bp");
  EXPECT_EQ(first->Keys()[first->Keys().size() - 2], "error");
}

TEST_F(TableInput, QuotedFieldsAndRefusedRowsKeepTheirColumns) {
  const std::string table =
      "smiles,id,W,note\n"
      "CCC,propane,1,\"a note, with \"\"quotes\"\"\nand a line end\"\n"
      "C1CC1,cyclopropane,2,ring\n"
      "C((C,broken,3,\n";
  const BatchRun run = RunBatch({"--from", "csv"}, table);
  EXPECT_EQ(run.status, kSomeRecordsRefused);
  const auto rows = ReadCsv(run.out);
  ASSERT_EQ(rows.size(), 4u);
  const std::size_t error = Column(rows[0], "error");
  EXPECT_EQ(Column(rows[0], "input_W"), error + 1);
  EXPECT_EQ(Column(rows[0], "note"), error + 2);
  EXPECT_EQ(rows[1][0], "propane");
  EXPECT_EQ(rows[1][error + 1], "1");
  EXPECT_EQ(rows[1][error + 2], "a note, with \"quotes\"\nand a line end");
  EXPECT_EQ(rows[2][error], "not a tree: 1 ring");
  EXPECT_EQ(rows[2][error + 2], "ring");
  EXPECT_NE(rows[3][error].find("line 5: Invalid SMILES"), std::string::npos) << rows[3][error];
  EXPECT_EQ(rows[3][error + 1], "3");
}

TEST_F(TableInput, AMissingSmilesColumnIsBadInputNamingTheHeaders) {
  const std::string path = Write("no-smiles.csv", "name,structure,bp\nx,CC,1\n");
  const BatchRun run = RunBatch({path}, "");
  EXPECT_EQ(run.status, kBadInput);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "korvelant-cli: \"" + path +
                         "\": no SMILES column; the headers are \"name\", \"structure\", "
                         "\"bp\" (name the column with --smiles-column)\n");
  const BatchRun chosen = RunBatch({"--smiles-column", "structure", path}, "");
  EXPECT_EQ(chosen.status, kSuccess) << chosen.err;
  EXPECT_EQ(ReadCsv(chosen.out)[1][1], "CC");
  EXPECT_EQ(RunBatch({"--name-column", "label", path}, "").status, kBadInput);
  // The options are for tables only, and tables do not mix with other formats.
  EXPECT_EQ(RunBatch({"--from", "smiles", "--smiles-column", "x"}, "").status, kBadInput);
  EXPECT_EQ(RunBatch({path, Write("more.smi", "CC\n")}, "").status, kBadInput);
}

TEST_F(TableInput, HostileTablesGiveRowsWithErrorsInInputOrder) {
  const std::string bigField(70'000'000, 'x');
  std::string table = "\xEF\xBB\xBFsmiles,p\r\n";  // a byte-order mark
  table += "CC,1,surplus\r\n";                     // ragged: too long
  table += "CCC\r\n";                              // ragged: too short
  table += std::string("C\0C,nul\r\n", 9);         // a NUL byte
  table += "CCCC," + bigField + "\r\n";            // a 70 MB field, past the 64 MiB limit
  table += "CCCCC,after\r\n";
  table += "C,\"never closed\nCC,lost?\n";
  for (const char* jobs : {"1", "4"}) {
    const BatchRun run = RunBatch({"--from", "csv", "--jobs", jobs}, table);
    EXPECT_EQ(run.status, kSomeRecordsRefused);
    const auto rows = ReadCsv(run.out);
    ASSERT_EQ(rows.size(), 7u) << run.out.substr(0, 2000);
    const std::size_t error = Column(rows[0], "error");
    EXPECT_EQ(rows[0].back(), "p");
    EXPECT_EQ(rows[1][error], "line 2: 3 fields where the header has 2");
    EXPECT_EQ(rows[1].back(), "1");
    EXPECT_EQ(rows[2][error], "line 3: 1 field where the header has 2");
    EXPECT_EQ(rows[3][error], "line 4: Invalid SMILES: it holds a NUL byte");
    EXPECT_EQ(rows[3].back(), "nul");
    EXPECT_NE(rows[4][error].find("line 5: a record of 70000005 bytes"), std::string::npos)
        << rows[4][error];
    EXPECT_EQ(rows[5][1], "CCCCC");
    EXPECT_EQ(rows[5][error], "");
    EXPECT_EQ(rows[5].back(), "after");
    // The quote left open takes the rest of the input into one refused record.
    EXPECT_NE(rows[6][error].find("line 7: a quote opened in this record is never closed"),
              std::string::npos)
        << rows[6][error];
  }
  // A header alone, or nothing at all: the header, no rows, success.
  const BatchRun headerOnly = RunBatch({"--from", "csv"}, "smiles,bp\n");
  EXPECT_EQ(headerOnly.status, kSuccess);
  EXPECT_TRUE(headerOnly.out.ends_with(",error,bp\n")) << headerOnly.out;
  EXPECT_EQ(RunBatch({"--from", "tsv"}, "").status, kSuccess);
}

TEST_F(TableInput, ASmiFileTitleLineIsSkippedOrKeptAsTold) {
  const std::string titled = "SMILES Name\nCC ethane\n";
  const auto names = [](const BatchRun& run) {
    std::vector<std::string> found;
    for (const auto& row : ReadCsv(run.out))
      found.push_back(row[0]);
    return found;
  };
  EXPECT_EQ(names(RunBatch({"--from", "smiles"}, titled)),
            (std::vector<std::string>{"name", "ethane"}));
  EXPECT_EQ(names(RunBatch({"--from", "smiles", "--no-title-line"}, titled)),
            (std::vector<std::string>{"name", "Name", "ethane"}));
  EXPECT_EQ(names(RunBatch({"--from", "smiles", "--title-line"}, "CCC propane\nCC ethane\n")),
            (std::vector<std::string>{"name", "ethane"}));
  // Only the first line is a title; a later "smiles" line is a refused record.
  const BatchRun later = RunBatch({"--from", "smiles"}, "CC ethane\nsmiles name\n");
  EXPECT_EQ(later.status, kSomeRecordsRefused);
  EXPECT_EQ(names(later), (std::vector<std::string>{"name", "ethane", "name"}));
  EXPECT_EQ(RunBatch({"--from", "edges", "--title-line"}, "").status, kBadInput);
}

}  // namespace
}  // namespace korvelant::testing
