#pragma once

#include <chrono>
#include <cstdint>
#include <ostream>

namespace korvelant {

// The line a long batch keeps rewritten on a terminal's standard error: records done and
// their rate, at most four times a second. Shown only when standard error is a terminal.
class ProgressLine {
 public:
  explicit ProgressLine(std::ostream& err);
  // Called with the records written so far; redraws when a quarter second has passed.
  void Update(std::uint64_t records);
  // Erases the line, before any message and at the end.
  void Clear();

 private:
  using Clock = std::chrono::steady_clock;
  std::ostream& err_;
  Clock::time_point start_;
  Clock::time_point lastDrawn_;
  bool shown_ = false;
};

}  // namespace korvelant
