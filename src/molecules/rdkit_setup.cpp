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
#include <sstream>
#include <string_view>

#include "input/trimmed.hpp"

namespace korvelant::rdkit_setup {
namespace {

std::shared_mutex& RdkitMutex() {
  static std::shared_mutex mutex;
  return mutex;
}

// Where the error logger writes while a reason is being listened for. Never freed: RDKit's
// loggers flush their stream when the process ends, after this file's statics are gone.
std::ostringstream& ErrorLog() {
  static auto* const log = new std::ostringstream;
  return *log;
}

// The error logger while a reason is being listened for.
const std::shared_ptr<boost::logging::rdLogger>& ListeningLogger() {
  static const auto* const logger = new std::shared_ptr<boost::logging::rdLogger>(
      std::make_shared<boost::logging::rdLogger>(&ErrorLog()));
  return *logger;
}

void SilenceRdkitLogs() {
  rdErrorLog = std::make_shared<boost::logging::rdLogger>(&ErrorLog());
  rdErrorLog->df_enabled = false;
  // A logger without a destination writes nothing: warnings such as "not removing
  // hydrogen atom without neighbors" are no business of our users.
  for (RDLogger* logger : {&rdAppLog, &rdDebugLog, &rdInfoLog, &rdWarningLog, &rdStatusLog}) {
    *logger = std::make_shared<boost::logging::rdLogger>(nullptr);
  }
}

// RDKit builds some tables on first use (the periodic table among them); threads making
// that first call together race, and have been seen to corrupt memory. One molecule
// through every call this layer makes builds them before any reader runs. Parsed unsanitized
// as the readers parse: sanitizing inside SmilesToMol calls setenv, which must not race
// with getenv elsewhere.
void WarmUp() {
  RDKit::SmilesParserParams params;
  params.sanitize = false;
  params.removeHs = false;
  std::unique_ptr<RDKit::RWMol> molecule(RDKit::SmilesToMol("c1ccccc1C[C@H](N)C(=O)[O-]", params));
  if (!molecule) return;
  RDKit::MolOps::sanitizeMol(*molecule);
  RDDepict::compute2DCoords(*molecule);
  std::unique_ptr<RDKit::RWMol> again(RDKit::MolBlockToMol(RDKit::MolToMolBlock(*molecule)));
  if (again) RDKit::MolToSmiles(*again);
}

void PrepareOnce() {
  static std::once_flag prepared;
  std::call_once(prepared, [] {
    // Held although call_once already orders this before every reader: race detectors
    // such as helgrind see the order through the lock.
    const std::unique_lock alone(RdkitMutex());
    SilenceRdkitLogs();
    WarmUp();
  });
}

// RDKit stamps each line "[hh:mm:ss] "; SMILES errors also say what they are.
std::string_view Reason(std::string_view line) {
  if (line.starts_with('[')) {
    const auto close = line.find("] ");
    if (close != std::string_view::npos && close <= 9) line.remove_prefix(close + 2);
  }
  constexpr std::string_view kSmilesPrefix = "SMILES Parse Error: ";
  if (line.starts_with(kSmilesPrefix)) line.remove_prefix(kSmilesPrefix.size());
  return Trimmed(line);
}

std::string FirstLoggedLine(std::string_view logged) {
  while (!logged.empty()) {
    const auto end = logged.find('\n');
    if (const std::string_view line = Reason(logged.substr(0, end)); !line.empty()) {
      return std::string(line);
    }
    logged = end == std::string_view::npos ? std::string_view{} : logged.substr(end + 1);
  }
  return {};
}

}  // namespace

SharedUse::SharedUse() : lock_((PrepareOnce(), RdkitMutex())) {}

std::string LoggedReason(const std::function<void()>& attempt, const std::string& fallback) {
  PrepareOnce();
  std::unique_lock alone(RdkitMutex());
  ErrorLog().str({});
  // Another user of RDKit in the same program (its Python module, which sends the logs to
  // Python) may have put loggers of its own in place since: ours listens for this attempt
  // alone, and whatever logger stood before stands again after it.
  const std::shared_ptr<boost::logging::rdLogger> kept = rdErrorLog;
  rdErrorLog = ListeningLogger();
  std::string thrown;
  try {
    attempt();
  } catch (const std::exception& error) {
    thrown = error.what();
  } catch (...) {
  }
  rdErrorLog = kept;
  std::string reason = FirstLoggedLine(ErrorLog().str());
  ErrorLog().str({});
  if (reason.empty()) reason = thrown;
  return reason.empty() ? fallback : reason;
}

}  // namespace korvelant::rdkit_setup
