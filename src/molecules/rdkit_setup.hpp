#pragma once

#include <functional>
#include <shared_mutex>
#include <string>

// Inside the molecules layer only: RDKit made quiet and safe for parallel readers.
//
// RDKit reads molecules in parallel safely once its lazily built tables exist, but its
// loggers write through one shared std::ostream, whose formatting state every write
// touches: two threads logging at once race. So RDKit runs with its loggers off, many
// readers at a time; when RDKit gives a reason only in its log (a SMILES syntax error), the
// reader repeats the call alone, with the error logger on, and reads the reason from it.
namespace korvelant::rdkit_setup {

// Held around every RDKit call made alongside other readers: RDKit logs nothing then. The
// first one in the process also silences RDKit's loggers and runs each parser once, so
// the lazily built tables exist before threads race to build them.
class SharedUse {
 public:
  SharedUse();

 private:
  std::shared_lock<std::shared_mutex> lock_;
};

// Runs `attempt` alone, with RDKit's error logger on, and returns the first line RDKit
// logged, without its time stamp and "SMILES Parse Error: " prefix; the message of an
// exception `attempt` throws when it logged nothing; else `fallback`.
std::string LoggedReason(const std::function<void()>& attempt, const std::string& fallback);

}  // namespace korvelant::rdkit_setup
