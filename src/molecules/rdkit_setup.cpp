#include "molecules/rdkit_setup.hpp"

#include <GraphMol/Depictor/RDDepictor.h>
#include <GraphMol/FileParsers/FileParsers.h>
#include <GraphMol/MolOps.h>
#include <GraphMol/RWMol.h>
#include <GraphMol/SmilesParse/SmilesParse.h>
#include <GraphMol/SmilesParse/SmilesWrite.h>
#include <RDGeneral/RDLog.h>

#include <memory>
#include <mutex>
#include <ostream>
#include <streambuf>
#include <string_view>

namespace korvelant::rdkit_setup {
namespace {

// What RDKit's error logger wrote on this thread. Readers run in parallel, so each keeps
// the reason for its own molecule.
thread_local std::string tLogged;

// A stream buffer without a buffer of its own: every character goes straight to the
// writing thread's string, so threads sharing the logger's stream never share text.
class ThreadLogBuffer final : public std::streambuf {
 protected:
  int_type overflow(int_type character) override {
    if (!traits_type::eq_int_type(character, traits_type::eof())) {
      tLogged.push_back(traits_type::to_char_type(character));
    }
    return traits_type::not_eof(character);
  }
  std::streamsize xsputn(const char* text, std::streamsize count) override {
    tLogged.append(text, static_cast<std::size_t>(count));
    return count;
  }
};

void RouteRdkitLogs() {
  // Never freed: RDKit's loggers flush their stream when the process ends, after this
  // file's statics would be gone.
  static auto* const errorStream = new std::ostream(new ThreadLogBuffer);
  rdErrorLog = std::make_shared<boost::logging::rdLogger>(errorStream);
  // A logger without a destination writes nothing: warnings such as "not removing
  // hydrogen atom without neighbors" are no business of our users.
  for (RDLogger* logger : {&rdAppLog, &rdDebugLog, &rdInfoLog, &rdWarningLog, &rdStatusLog}) {
    *logger = std::make_shared<boost::logging::rdLogger>(nullptr);
  }
}

// RDKit builds some tables on first use (the periodic table, the parsers' state); when
// several threads make that first call together it has been seen to corrupt memory. One
// molecule through every call this layer makes builds them before any thread starts.
void WarmUp() {
  std::unique_ptr<RDKit::RWMol> molecule(RDKit::SmilesToMol("c1ccccc1C[C@H](N)C(=O)[O-]"));
  if (!molecule) return;
  RDDepict::compute2DCoords(*molecule);
  const std::string block = RDKit::MolToMolBlock(*molecule);
  std::unique_ptr<RDKit::RWMol> again(RDKit::MolBlockToMol(block));
  if (again) RDKit::MolToSmiles(*again);
  tLogged.clear();
}

std::string_view WithoutPrefix(std::string_view line, std::string_view prefix) {
  if (line.starts_with(prefix)) line.remove_prefix(prefix.size());
  return line;
}

// RDKit stamps each line "[hh:mm:ss] ".
std::string_view WithoutTimeStamp(std::string_view line) {
  if (line.starts_with('[')) {
    const auto close = line.find("] ");
    if (close != std::string_view::npos && close <= 9) line.remove_prefix(close + 2);
  }
  return line;
}

std::string_view Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t\r\n");
  return text.substr(first, last - first + 1);
}

}  // namespace

void PrepareRdkit() {
  static std::once_flag prepared;
  std::call_once(prepared, [] {
    RouteRdkitLogs();
    WarmUp();
  });
}

void ClearReason() {
  tLogged.clear();
}

std::string TakeReason(const std::string& fallback) {
  std::string_view logged = tLogged;
  std::string reason = fallback;
  while (!logged.empty()) {
    const auto end = logged.find('\n');
    const std::string_view line =
        Trimmed(WithoutPrefix(WithoutTimeStamp(logged.substr(0, end)), "SMILES Parse Error: "));
    if (!line.empty()) {
      reason = line;
      break;
    }
    logged = end == std::string_view::npos ? std::string_view{} : logged.substr(end + 1);
  }
  tLogged.clear();
  return reason;
}

}  // namespace korvelant::rdkit_setup
