#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <ostream>

namespace korvelant {

// The line a long batch keeps rewritten on a terminal's standard error: records done and
// their rate, at most four times a second; at the end it gives way to one summary line.
// Shown only when standard error is a terminal.
class ProgressLine {
 public:
  using Clock = std::chrono::steady_clock;
  // The clock is given so that a test can move time on without waiting for it.
  explicit ProgressLine(std::ostream& err, std::function<Clock::time_point()> now = Clock::now);
  // Called with the records written so far; redraws when a quarter second has passed.
  void Update(std::uint64_t records);
  // Erases the line, before any message and at the end.
  void Clear();
  // Erases the line and ends standard error with what the batch did, digits grouped by
  // commas whatever the locale: "korvelant-cli: 366,319 trees, 0 refused, 9.0 s, 40,702
  // per second" (no rate before a tenth of a second has passed).
  void Finish(std::uint64_t records, std::uint64_t refused);

 private:
  std::ostream& err_;
  std::function<Clock::time_point()> now_;
  Clock::time_point start_;
  Clock::time_point lastDrawn_;
  bool shown_ = false;
};

}  // namespace korvelant
