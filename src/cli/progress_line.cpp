#include "cli/progress_line.hpp"

#include <string>

namespace korvelant {
namespace {

constexpr auto kRedrawInterval = std::chrono::milliseconds(250);
constexpr std::string_view kEraseLine = "\r\x1b[K";

}  // namespace

ProgressLine::ProgressLine(std::ostream& err)
    : err_(err), start_(Clock::now()), lastDrawn_(start_) {}

void ProgressLine::Update(std::uint64_t records) {
  const Clock::time_point now = Clock::now();
  if (now - lastDrawn_ < kRedrawInterval) return;
  lastDrawn_ = now;
  const double seconds = std::chrono::duration<double>(now - start_).count();
  const auto rate = static_cast<std::uint64_t>(static_cast<double>(records) / seconds);
  err_ << kEraseLine << "korvelant-cli: " << std::to_string(records) << " records, "
       << std::to_string(rate) << " per second" << std::flush;
  shown_ = true;
}

void ProgressLine::Clear() {
  if (shown_) err_ << kEraseLine << std::flush;
  shown_ = false;
}

}  // namespace korvelant
