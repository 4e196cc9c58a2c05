// Market generation's draws, and the dashboard's fields past their usual widths; the sessions
// under tests/data/sessions show the whole dashboard.
#include "market/market.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "support/session.h"

namespace nebulance {
namespace {

constexpr ProductCounts kTattooinePrices = {6000, 4500, 2700, 2000, 600, 350, 800, 80};

// The draws after a reseed at 1700000000 are 28462 1027 22663 25444 9533 1366 19789 28945, then
// 13691 12556 7193 22821 8472 7913 27565 7464, and the 17th is 16911. Tattooine only draws the
// stock (28462 mod 21 = 7, ...); everywhere else, the hangar's 0 too, the prices come first
// (5000 + 28462 mod 1001 = 5434, ...). Each draw here would change under a spread one larger or
// smaller, so these values pin every range.
TEST(MarketGenerationTest, TattooineDrawsOnlyTheStockElsewherePricesComeFirst) {
  for (const std::int32_t location : {1, 0, 2, 3, 4, 5, 6, 7}) {
    SCOPED_TRACE(location);
    const bool tattooine = location == kTattooine;
    RandomGenerator random(testing::fixedClock(1700000000));
    ProductCounts prices{};
    ProductCounts stock{};
    marketGeneration(random, prices, stock, location);
    EXPECT_EQ(prices, (tattooine ? kTattooinePrices
                                 : ProductCounts{5434, 3526, 2231, 1419, 486, 303, 261, 51}));
    EXPECT_EQ(stock, (tattooine ? ProductCounts{7, 19, 4, 13, 20, 1, 7, 7}
                                : ProductCounts{20, 19, 11, 15, 9, 17, 13, 9}));
    EXPECT_EQ(random.draw(), tattooine ? 13691 : 16911);  // the draw after the market's own
  }
}

// A wider or negative number widens its field and shifts the rest of its line; nothing is cut.
TEST(DashboardTest, WideAndNegativeFiguresWidenTheirFields) {
  std::istringstream in;
  std::ostringstream out;
  Console console(in, out);
  dashboard(console, kTattooinePrices, -1234567890, 2147483647, 30, kTattooine, 30,
            {7, 19, 4, 13, 20, 1, 7, 1000}, {0, 0, 0, 0, 0, 0, 0, 1005});
  console.flush();
  EXPECT_NE(out.str().find("   | Total Credits: -1234567890 |\n   | Current Loan: 2147483647  |\n"),
            std::string::npos);
  EXPECT_NE(out.str().find("  |  30 Days ||   [ 8 ] Homing Beacons   ::   80       | |   1000    "
                           "|  1005  |\n"),
            std::string::npos);
}

}  // namespace
}  // namespace nebulance
