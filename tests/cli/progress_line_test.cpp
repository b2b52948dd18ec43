#include "cli/progress_line.hpp"

#include <gtest/gtest.h>

#include <locale>
#include <sstream>

namespace korvelant {
namespace {

using namespace std::chrono_literals;

TEST(ProgressLine, RedrawsAFewTimesASecondAndEndsWithOneSummaryLine) {
  std::ostringstream err;
  try {
    err.imbue(std::locale("de_DE.UTF-8"));  // grouping by "." there: never followed
  } catch (const std::runtime_error&) {
  }
  const ProgressLine::Clock::time_point start{};
  ProgressLine::Clock::time_point now = start;
  ProgressLine line(err, [&] { return now; });
  line.Update(10);
  EXPECT_EQ(err.str(), "") << "nothing before a quarter second";
  now += 250ms;
  line.Update(1000);
  EXPECT_EQ(err.str(), "\r\x1b[Kkorvelant-cli: 1000 records, 4000 per second");
  now += 100ms;
  line.Update(2000);
  EXPECT_EQ(err.str(), "\r\x1b[Kkorvelant-cli: 1000 records, 4000 per second")
      << "too soon for another";
  err.str("");
  now = start + 9s;
  line.Finish(366'319, 0);
  EXPECT_EQ(err.str(),
            "\r\x1b[Kkorvelant-cli: 366,319 trees, 0 refused, 9.0 s, 40,702 per second\n");

  std::ostringstream quick;
  now = start;
  ProgressLine quickLine(quick, [&] { return now; });
  now += 40ms;
  quickLine.Finish(1, 1'234);
  EXPECT_EQ(quick.str(), "korvelant-cli: 1 tree, 1,234 refused, 0.0 s\n");
}

}  // namespace
}  // namespace korvelant
