#include <gtest/gtest.h>

#include <climits>
#include <clocale>
#include <random>
#include <string>
#include <vector>

#include "model/exact_decimal.hpp"
#include "model/fixed_decimal.hpp"
#include "model/graph.hpp"
#include "model/int16.hpp"
#include "model/number_text.hpp"
#include "model/vertex_positions.hpp"
#include "model/wide_integer.hpp"
#include "support/default_positions.hpp"
#include "support/german_locale.hpp"

namespace korvelant {
namespace {

TEST(Int16, ArithmeticReportsOverflowInsteadOfWrapping) {
  EXPECT_EQ((Int16(32766) + 1).value(), 32767);
  EXPECT_THROW(Int16(32767) + 1, OverflowError);
  EXPECT_THROW(Int16(-32768) - 1, OverflowError);
  EXPECT_THROW(Int16(200) * 200, OverflowError);
  EXPECT_THROW(Int16(40000), OverflowError);
  Int16 counter = 32767;
  EXPECT_THROW(++counter, OverflowError);
}

TEST(FixedDecimal, ConvertsToTheNearestTenThousandthAndAddsExactly) {
  EXPECT_EQ(FixedDecimal::FromDouble(0.70710678).ticks(), 7071);
  EXPECT_EQ(FixedDecimal::FromDouble(0.57735026).ticks(), 5774);
  EXPECT_EQ(FixedDecimal::FromDouble(0.5).ticks(), 5000);
  EXPECT_EQ(FixedDecimal::FromDouble(0.00004).ticks(), 0);
  EXPECT_EQ(FixedDecimal::FromDouble(0.00006).ticks(), 1);
  EXPECT_EQ(FixedDecimal::FromDouble(0.2886751345948129).ticks(), 2887);
  EXPECT_EQ((FixedDecimal::FromDouble(0.7071) + FixedDecimal::FromDouble(0.7071)).ticks(), 14142);
  EXPECT_EQ(FixedDecimal(Int16(12)).ticks(), 120000);
  EXPECT_THROW(FixedDecimal::FromTicks(INT64_MAX) + FixedDecimal::FromTicks(1), OverflowError);
}

TEST(NumberText, BlankForTheSignNoTrailingZerosNoExponent) {
  EXPECT_EQ(NumberText(Int16(0)), " 0");
  EXPECT_EQ(NumberText(Int16(20)), " 20");
  EXPECT_EQ(NumberText(Int16(-3)), "-3");
  EXPECT_EQ(NumberText(ExactDecimal()), " 0");
  EXPECT_EQ(NumberText(ExactDecimal::FromTicks(120000)), " 12");
  EXPECT_EQ(NumberText(ExactDecimal::FromTicks(22360)), " 2.236");
  EXPECT_EQ(NumberText(ExactDecimal::FromTicks(-3)), "-0.0003");
}

// Values past 128 bits, as the Hosoya numbers of trees past 160 vertices are: the bare text
// has every digit, and no sign blank.
TEST(NumberText, BareTextOfWideValuesHasEveryDigit) {
  const mpz_class wide = mpz_class(1) << 200;
  const ExactDecimal value = ExactDecimal::FromInteger(ExactInteger(wide));
  ASSERT_TRUE(value.IsWide());
  EXPECT_EQ(BareNumberText(value), wide.get_str());
  EXPECT_EQ(NumberText(value), " " + wide.get_str());
  // -(2^200 + 5) ten-thousandths: the point four digits from the end, the minus kept.
  const ExactDecimal negative = ExactDecimal::FromTicks(ExactInteger(mpz_class(-wide - 5)));
  const std::string digits = mpz_class(wide + 5).get_str();
  const std::size_t point = digits.size() - 4;
  EXPECT_EQ(BareNumberText(negative), "-" + digits.substr(0, point) + "." + digits.substr(point));
}

// The element text the slow way: every digit of the ticks, the point put four from the end.
std::string SlowElementText(Int128 ticks) {
  std::string digits = ToDecimalString(ticks < 0 ? -ticks : ticks);
  if (digits.size() < 5) digits.insert(0, 5 - digits.size(), '0');
  digits.insert(digits.size() - 4, 1, '.');
  digits.erase(digits.find_last_not_of('0') + 1);
  if (digits.back() == '.') digits.pop_back();
  std::string text(ticks < 0 ? "-" : " ");  // appended: GCC 12 warns falsely on "-" + text
  return text.append(digits);
}

TEST(NumberText, ElementTextsMatchTheDigitByDigitTextAcrossEveryRange) {
  // Each range the writer takes a way of its own for: below 100, up to 64 bits, past them.
  std::vector<Int128> ticks{0,
                            1,
                            10,
                            100,
                            1000,
                            9999,
                            10000,
                            10001,
                            99999,
                            100000,
                            999999,
                            1000000,
                            1000001,
                            123456789,
                            Int128{UINT64_MAX} - 1,
                            Int128{UINT64_MAX},
                            Int128{UINT64_MAX} + 1,
                            Int128{UINT64_MAX} * 31 * 10000 + 7};
  std::mt19937_64 random(8);
  for (int k = 0; k < 2000; ++k)
    ticks.push_back(static_cast<Int128>(random() >> (k % 60)));
  for (const Int128 t : std::vector<Int128>(ticks)) {
    ticks.push_back(-t);
    ticks.push_back(t * 1000003);
  }
  for (const Int128 t : ticks)
    EXPECT_EQ(NumberText(ExactDecimal::FromTicks(t)), SlowElementText(t)) << ToDecimalString(t);
}

TEST(NumberText, IgnoresTheUsersLocale) {
  const testing::GermanLocale locale;
  if (!locale.Installed()) GTEST_SKIP() << testing::GermanLocale::kMissing;
  EXPECT_EQ(NumberText(ExactDecimal::FromTicks(14142)), " 1.4142");
  EXPECT_EQ(NumberText(Int16(1234)), " 1234");
  EXPECT_EQ(ShortestText(1.9142135623730951), "1.9142135623730951");
}

// Each edge with its smaller end first, in the graph's order, whatever the width of the
// numbers; appended after text already there.
TEST(EdgeListText, ListsEachEdgeSmallerEndFirstAfterWhatIsThere) {
  EXPECT_EQ(EdgeListText(Graph{1, {}}), "");
  EXPECT_EQ(EdgeListText(Graph{2, {{2, 1}}}), "1-2");
  const Graph wide{100000, {{99999, 100000}, {7, 3}, {1, 12345}, {100000, 2}}};
  EXPECT_EQ(EdgeListText(wide), "99999-100000,3-7,1-12345,2-100000");
  std::string row = "name,";
  AppendEdgeListText(row, wide);
  EXPECT_EQ(row, "name,99999-100000,3-7,1-12345,2-100000");
}

// Lists long enough to be written in several pieces, each edge whole across the pieces'
// boundaries: paths of up to 300 edges of five- and six-digit numbers, against the list
// joined edge by edge.
TEST(EdgeListText, ListsLongListsWholeAcrossPieces) {
  for (const int edges : {1, 50, 63, 64, 65, 127, 128, 129, 300}) {
    Graph path{99000 + edges + 1, {}};
    std::string joined;
    for (int k = 0; k < edges; ++k) {
      const int low = 99000 + k;
      path.edges.emplace_back(k % 2 == 0 ? low + 1 : low, k % 2 == 0 ? low : low + 1);
      if (k > 0) joined += ',';
      joined.append(std::to_string(low)).append("-").append(std::to_string(low + 1));
    }
    EXPECT_EQ(EdgeListText(path), joined) << edges << " edges";
  }
  // Ten-digit numbers, the longest an edge's ends can have.
  Graph wide{0, {}};
  std::string joined;
  for (int k = 0; k < 150; ++k) {
    const int low = INT_MAX - 200 + k;
    wide.edges.emplace_back(low + 1, low);
    if (k > 0) joined += ',';
    joined.append(std::to_string(low)).append("-").append(std::to_string(low + 1));
  }
  EXPECT_EQ(EdgeListText(wide), joined);
}

TEST(DefaultPosition, PlacesVerticesOnTheCircleOfEveryTreeSize) {
  for (int n = 1; n <= 8; ++n) {
    for (int i = 1; i <= n; ++i) {
      const auto [x, y] = testing::kDefaultPositions[n][i - 1];
      EXPECT_EQ(DefaultPosition(i, n), (GridPosition{x, y})) << "n = " << n << ", vertex " << i;
    }
  }
}

}  // namespace
}  // namespace korvelant
