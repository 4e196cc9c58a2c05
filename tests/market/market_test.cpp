// Market generation's draws, and the dashboard's fields past their usual widths; the sessions
// under tests/data/sessions show the whole dashboard.
#include "market/market.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "support/session.h"

namespace nebulance {
namespace {

// The draws after a reseed at 1700000000: 28462 1027 22663 25444 9533 1366 19789 28945, then
// 13691 12556 7193 22821 8472 7913 27565 7464, and the 17th is 16911.
constexpr std::int64_t kClock = 1700000000;
constexpr ProductCounts kTattooinePrices = {6000, 4500, 2700, 2000, 600, 350, 800, 80};
constexpr ProductCounts kLowestPrices = {5000, 3500, 2000, 1000, 400, 250, 100, 20};

struct Market {
  ProductCounts prices{}, stock{};
  int nextDraw = 0;  // the draw after the market's own, which tells how many it made
};

Market generate(std::int32_t location, std::int64_t clockSeconds = kClock) {
  RandomGenerator random(testing::fixedClock(clockSeconds));
  Market market;
  marketGeneration(random, market.prices, market.stock, location);
  market.nextDraw = random.draw();
  return market;
}

TEST(MarketGenerationTest, TattooineDrawsOnlyTheStockElsewherePricesComeFirst) {
  const Market tattooine = generate(kTattooine);
  EXPECT_EQ(tattooine.prices, kTattooinePrices);
  EXPECT_EQ(tattooine.stock, (ProductCounts{7, 19, 4, 13, 20, 1, 7, 7}));  // 28462 mod 21 = 7
  EXPECT_EQ(tattooine.nextDraw, 13691);
  // The hangar's 0 is drawn like every planet but Tattooine: 5000 + 28462 mod 1001 = 5434, ...
  for (const std::int32_t location : {0, 2, 3, 4, 5, 6, 7}) {
    const Market market = generate(location);
    EXPECT_EQ(market.prices, (ProductCounts{5434, 3526, 2231, 1419, 486, 303, 261, 51}));
    EXPECT_EQ(market.stock, (ProductCounts{20, 19, 11, 15, 9, 17, 13, 9})) << location;
    EXPECT_EQ(market.nextDraw, 16911) << location;
  }
}

TEST(MarketGenerationTest, PricesAndStockStayWithinTheirRanges) {
  for (std::int64_t seconds = kClock; seconds < kClock + 3000; ++seconds) {
    const Market market = generate(kKessel, seconds);
    for (int i = 0; i < kProductCount; ++i) {
      ASSERT_TRUE(kLowestPrices[i] <= market.prices[i] && market.prices[i] <= kTattooinePrices[i] &&
                  0 <= market.stock[i] && market.stock[i] <= 20)
          << seconds << " product " << i + 1;
    }
  }
}

// A wider or negative number widens its field and shifts the rest of its line; nothing is cut.
TEST(DashboardTest, WideAndNegativeFiguresWidenTheirFields) {
  std::istringstream in;
  std::ostringstream out;
  Console console(in, out);
  dashboard(console, kTattooinePrices, -1234567890, 2147483647, 30, kTattooine, 30,
            {7, 19, 4, 13, 20, 1, 7, 1000}, {0, 0, 0, 0, 0, 0, 0, 1005});
  EXPECT_NE(out.str().find("   | Total Credits: -1234567890 |\n   | Current Loan: 2147483647  |\n"),
            std::string::npos);
  EXPECT_NE(out.str().find("  |  30 Days ||   [ 8 ] Homing Beacons   ::   80       | |   1000    "
                           "|  1005  |\n"),
            std::string::npos);
}

}  // namespace
}  // namespace nebulance
