#include "molecules/molecule_records.hpp"

#include <utility>

#include "input/ignoring_case.hpp"
#include "input/trimmed.hpp"
#include "molecules/molecule_reading.hpp"

namespace korvelant {
namespace {

void TakeReading(MoleculeReading reading, TreeRecord& record) {
  if (!reading.refusal) {
    record.graph = std::move(reading.graph);
  } else if (reading.refusal->kind == MoleculeRefusalKind::NotATree) {
    record.graph = std::move(reading.graph);
    record.treeProblem = reading.refusal->reason;
  } else {
    record.error = RefusalText(*reading.refusal);
  }
}

}  // namespace

TreeRecord SmilesLineRecord(std::string_view line) {
  const std::string_view text = Trimmed(line);
  const auto end = text.find_first_of(kAsciiBlanks);
  return SmilesRecord(text.substr(0, end),
                      end == std::string_view::npos ? "" : Trimmed(text.substr(end)));
}

bool IsSmilesTitleLine(std::string_view line) {
  const std::string_view text = Trimmed(line);
  return SameIgnoringCase(text.substr(0, text.find_first_of(kAsciiBlanks)), "smiles");
}

TreeRecord SmilesRecord(std::string_view smiles, std::string_view name) {
  TreeRecord record;
  record.name = name;
  if (!smiles.empty()) record.smiles = std::string(smiles);
  TakeReading(ReadSmiles(smiles), record);
  return record;
}

TreeRecord SdfRecord(std::string_view block) {
  MoleculeReading reading = ReadMolBlock(block);
  TreeRecord record;
  record.name = reading.name;
  if (!reading.smiles.empty()) record.smiles = reading.smiles;
  TakeReading(std::move(reading), record);
  return record;
}

}  // namespace korvelant
