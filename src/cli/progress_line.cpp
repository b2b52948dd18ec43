#include "cli/progress_line.hpp"

#include <cmath>
#include <string>

namespace korvelant {
namespace {

constexpr auto kRedrawInterval = std::chrono::milliseconds(250);
constexpr std::string_view kEraseLine = "\r\x1b[K";

// "366,319": a count as a paper prints it, the same in every locale.
std::string GroupedDigits(std::uint64_t value) {
  std::string digits = std::to_string(value);
  for (auto k = static_cast<long>(digits.size()) - 3; k > 0; k -= 3)
    digits.insert(static_cast<std::size_t>(k), 1, ',');
  return digits;
}

// "9.0": seconds to a tenth, with "." whatever the locale.
std::string Tenths(double seconds) {
  const auto tenths = static_cast<std::uint64_t>(std::llround(seconds * 10));
  return GroupedDigits(tenths / 10) + "." + std::to_string(tenths % 10);
}

}  // namespace

ProgressLine::ProgressLine(std::ostream& err, std::function<Clock::time_point()> now)
    : err_(err), now_(std::move(now)), start_(now_()), lastDrawn_(start_) {}

void ProgressLine::Update(std::uint64_t records) {
  const Clock::time_point now = now_();
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

void ProgressLine::Finish(std::uint64_t records, std::uint64_t refused) {
  Clear();
  const double seconds = std::chrono::duration<double>(now_() - start_).count();
  std::string summary = "korvelant-cli: " + GroupedDigits(records) +
                        (records == 1 ? " tree, " : " trees, ") + GroupedDigits(refused) +
                        " refused, " + Tenths(seconds) + " s";
  if (seconds >= 0.1) {
    summary += ", " +
               GroupedDigits(static_cast<std::uint64_t>(static_cast<double>(records) / seconds)) +
               " per second";
  }
  err_ << summary << '\n' << std::flush;
}

}  // namespace korvelant
