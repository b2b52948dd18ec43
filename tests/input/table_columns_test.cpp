#include "input/table_columns.hpp"

#include <gtest/gtest.h>

#include "input/table_fields.hpp"

namespace korvelant {
namespace {

const std::vector<std::string> kOwnColumns = {"name", "smiles", "W", "error"};

TableColumns Header(std::string_view row, const ColumnChoice& choice = {}, char separator = ',') {
  auto header = ReadTableHeader(row, separator, choice, kOwnColumns);
  if (auto* problem = std::get_if<std::string>(&header)) ADD_FAILURE() << *problem;
  return std::get_if<TableColumns>(&header) ? std::get<TableColumns>(header) : TableColumns{};
}

std::string Refusal(std::string_view row, const ColumnChoice& choice = {}) {
  auto header = ReadTableHeader(row, ',', choice, kOwnColumns);
  return std::get_if<std::string>(&header) ? std::get<std::string>(header) : "(accepted)";
}

TEST(TableFields, QuotedFieldsAsRfc4180ReadsThem) {
  std::vector<std::string> fields;
  SplitTableFields("a,\"b,c\",\"say \"\"hi\"\"\",\"two\nlines\",,\"\"", ',', fields);
  EXPECT_EQ(fields, (std::vector<std::string>{"a", "b,c", "say \"hi\"", "two\nlines", "", ""}));
  SplitTableFields(std::string("x\ty,z\t\"p\tq\"\t\0", 13), '\t', fields);
  EXPECT_EQ(fields, (std::vector<std::string>{"x", "y,z", "p\tq", std::string(1, '\0')}));
  SplitTableFields("", ',', fields);
  EXPECT_EQ(fields, std::vector<std::string>{""});
}

TEST(TableHeader, FindsTheSmilesAndNameColumnsAndCarriesTheRest) {
  const TableColumns columns = Header("ID,bp,SMILES,W,density");
  EXPECT_EQ(columns.smiles, 2u);
  EXPECT_EQ(columns.name, 0u);
  EXPECT_EQ(columns.carried, (std::vector<std::size_t>{1, 3, 4}));
  // The table's own "W" would clash with the Wiener index: it gets a prefix.
  EXPECT_EQ(columns.carriedNames, (std::vector<std::string>{"bp", "input_W", "density"}));
  // "name" comes before "id" and "title"; without any, there is no name column.
  EXPECT_EQ(Header("title,id,smiles,name").name, 3u);
  EXPECT_EQ(Header("smiles,bp").name, std::nullopt);
  // Chosen columns win, matched exactly first, then in any letter case; a byte-order mark
  // and a blank around a header change nothing.
  const TableColumns chosen =
      Header("\xEF\xBB\xBFsmiles,Structure,Label,name", {"structure", "Label"});
  EXPECT_EQ(chosen.smiles, 1u);
  EXPECT_EQ(chosen.name, 2u);
  EXPECT_EQ(chosen.carriedNames, (std::vector<std::string>{"input_smiles", "input_name"}));
  EXPECT_EQ(Header("bp\tSmiles \tbp", {}, '\t').carriedNames,
            (std::vector<std::string>{"bp", "input_bp"}));
}

TEST(TableHeader, AMissingColumnNamesTheHeadersFound) {
  EXPECT_EQ(Refusal("name,smi,bp"),
            "no SMILES column; the headers are \"name\", \"smi\", \"bp\" (name the column with "
            "--smiles-column)");
  EXPECT_EQ(Refusal("smiles,bp", {std::nullopt, "label"}),
            "no column \"label\"; the headers are \"smiles\", \"bp\" (name the column with "
            "--name-column)");
  std::string wide = "a0";
  for (int k = 1; k < 40; ++k)
    wide += ",a" + std::to_string(k);
  const std::string refusal = Refusal(wide);
  EXPECT_NE(refusal.find("\"a11\" and 28 more"), std::string::npos) << refusal;
}

TEST(TableRow, CarriesEveryOtherFieldAndFlagsRaggedRows) {
  const TableColumns columns = Header("name,smiles,bp,note");
  std::vector<std::string> fields;
  TableRow row;
  ReadTableRow(" octane ,\" CCCCCCCC \",125.6,\"linear, \"\"n\"\"\"", columns, fields, row);
  EXPECT_EQ(row.smiles, "CCCCCCCC");
  EXPECT_EQ(row.name, "octane");
  EXPECT_EQ(row.carried, (std::vector<std::string>{"125.6", "linear, \"n\""}));
  EXPECT_EQ(row.error, "");
  ReadTableRow("x,CC", columns, fields, row);
  EXPECT_EQ(row.carried, (std::vector<std::string>{"", ""}));
  EXPECT_EQ(row.error, "2 fields where the header has 4");
  ReadTableRow("x,CC,1,2,3", columns, fields, row);
  EXPECT_EQ(row.carried, (std::vector<std::string>{"1", "2"}));
  EXPECT_EQ(row.error, "5 fields where the header has 4");
  ReadTableRow("x,C C,1,2", columns, fields, row);
  EXPECT_EQ(row.error, "white space inside the SMILES \"C C\"");
}

}  // namespace
}  // namespace korvelant
