#include "market/market.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>

#include "support/session.h"

namespace nebulance {
namespace {

// First draws after a reseed at 1700000000 (worked out in tests/shell/full_game_test.cpp):
//   28462 1027 22663 25444 9533 1366 19789 28945 13691 12556 7193 22821 8472 7913 27565 7464,
//   and the 17th is 16911.
constexpr std::int64_t kClock = 1700000000;
constexpr ProductCounts kTattooinePrices = {6000, 4500, 2700, 2000, 600, 350, 800, 80};

struct Market {
  ProductCounts prices{};
  ProductCounts stock{};
  int nextDraw = 0;  // the draw that follows the market's own
};

Market generate(std::int32_t location, std::int64_t clockSeconds = kClock) {
  RandomGenerator random(testing::fixedClock(clockSeconds));
  Market market;
  market.prices.fill(-1);
  market.stock.fill(-1);
  marketGeneration(random, market.prices, market.stock, location);
  market.nextDraw = random.draw();
  return market;
}

TEST(MarketGenerationTest, TattooineSellsAtFixedPricesAndDrawsOnlyTheStock) {
  const Market market = generate(kTattooine);
  EXPECT_EQ(market.prices, kTattooinePrices);
  // 28462 mod 21 = 7, 1027 mod 21 = 19, ... 28945 mod 21 = 7.
  EXPECT_EQ(market.stock, (ProductCounts{7, 19, 4, 13, 20, 1, 7, 7}));
  EXPECT_EQ(market.nextDraw, 13691);  // eight draws were made
}

TEST(MarketGenerationTest, ElsewherePricesThenStockAreDrawn) {
  // 5000 + 28462 mod 1001 = 5434, ..., 20 + 28945 mod 61 = 51; stock 13691 mod 21 = 20, ...
  const ProductCounts prices = {5434, 3526, 2231, 1419, 486, 303, 261, 51};
  const ProductCounts stock = {20, 19, 11, 15, 9, 17, 13, 9};
  // Before the first jump `location` is 0, which is drawn like any planet but Tattooine.
  for (std::int32_t location : {0, 2, 3, 4, 5, 6, 7}) {
    const Market market = generate(location);
    EXPECT_EQ(market.prices, prices) << location;
    EXPECT_EQ(market.stock, stock) << location;
    EXPECT_EQ(market.nextDraw, 16911) << location;  // sixteen draws were made
  }
}

TEST(MarketGenerationTest, PricesAndStockStayWithinTheirRangesAndReachTheirEnds) {
  const ProductCounts lowest = {5000, 3500, 2000, 1000, 400, 250, 100, 20};
  ProductCounts seenLowest, seenHighest;
  seenLowest.fill(1 << 30);
  seenHighest.fill(-1);
  int lowestStock = 99, highestStock = -1;
  for (std::int64_t seconds = 1700000000; seconds < 1700030000; ++seconds) {
    const Market market = generate(static_cast<std::int32_t>(seconds % 6) + 2, seconds);
    for (int i = 0; i < kProductCount; ++i) {
      ASSERT_GE(market.prices[i], lowest[i]);
      ASSERT_LE(market.prices[i], kTattooinePrices[i]);
      seenLowest[i] = std::min(seenLowest[i], market.prices[i]);
      seenHighest[i] = std::max(seenHighest[i], market.prices[i]);
      lowestStock = std::min(lowestStock, market.stock[i]);
      highestStock = std::max(highestStock, market.stock[i]);
    }
  }
  // Tattooine's fixed price is the top of every range.
  EXPECT_EQ(seenLowest, lowest);
  EXPECT_EQ(seenHighest, kTattooinePrices);
  EXPECT_EQ(lowestStock, 0);
  EXPECT_EQ(highestStock, 20);
}

TEST(MarketGenerationTest, TheSameSecondGivesTheSameMarket) {
  const Market first = generate(kKessel, 1234567);
  const Market again = generate(kKessel, 1234567);
  EXPECT_EQ(first.prices, again.prices);
  EXPECT_EQ(first.stock, again.stock);
  EXPECT_NE(generate(kKessel, 1234568).prices, first.prices);
}

std::string dashboardScreen(const GameState& state) {
  std::istringstream in;
  std::ostringstream out;
  {
    Console console(in, out);
    dashboard(console, state.prices, state.credits, state.loan, state.dayLimit, state.location,
              state.day, state.stock, state.cargo);
  }
  return out.str();
}

GameState firstDay() {
  GameState state;
  state.credits = 2000;
  state.day = 1;
  state.location = kTattooine;
  state.prices = kTattooinePrices;
  state.stock = {7, 19, 4, 13, 20, 1, 7, 7};
  state.cargo = {0, 0, 0, 4, 0, 0, 0, 0};
  return state;
}

TEST(DashboardTest, FirstDayAtTattooine) {
  EXPECT_EQ(dashboardScreen(firstDay()), R"art(    ___________________________
   | Total Credits:       2000 |
   | Current Loan:          0  |
   |___________  ______________|_________  ____________   __________ _______
  | Navigation || Product List           :: Price List \_/ Quantity | Cargo |
  | [ S ]hop   || [ 1 ] Lightsabers      ::   6000     |_|     7    |    0  |
  | [ B ]ank   || [ 2 ] Comlinks         ::   4500     |=|    19    |    0  |
  | [ T ]ravel || [ 3 ] Holocams         ::   2700     |_|     4    |    0  |
  \____________|| [ 4 ] Blasters         ::   2000     |_|    13    |    4  |
  /   Time    //  [ 5 ] Sublight Drives  ::   600      |=|    20    |    0  |
  |   1 Days ||   [ 6 ] Super Lasers     ::   350      |_|     1    |    0  |
  |  done of ||   [ 7 ] Vibro-axes       ::   800      |_|     7    |    0  |
  |  30 Days ||   [ 8 ] Homing Beacons   ::   80       | |     7    |    0  |
  |__________/\__________________________/\____________/ \__________|_______|
  ||       [o] ||                      ||           |    |      /
  ||  * [o]  * || Location: Tattooine  || [ E ]xit  |====|     /
  || [o]  \    ||______________________/\___________/    |====/
  || *    [o] *||                      \
  \\===========/\ Enter Choice (S)hop, (B)ank, (T)ravel, (E)xit: )art");
}

TEST(DashboardTest, EveryPlanetNameIsPaddedToElevenCharacters) {
  const char* const names[] = {"Tattooine  ", "Jundland   ", "Naboo      ", "Dagobah    ",
                               "Kessel     ", "Alderaan   ", "Cloud City "};
  for (std::int32_t location = 1; location <= 7; ++location) {
    GameState state = firstDay();
    state.location = location;
    const std::string expected =
        std::string("  ||  * [o]  * || Location: ") + names[location - 1] + "|| [ E ]xit  |====|";
    EXPECT_NE(dashboardScreen(state).find(expected), std::string::npos) << location;
  }
  // Any other value prints no name at all.
  for (std::int32_t location : {0, 8, -1}) {
    GameState state = firstDay();
    state.location = location;
    EXPECT_NE(dashboardScreen(state).find("|| Location: || [ E ]xit  |====|"), std::string::npos);
  }
}

// A wider number widens its field and shifts the rest of its line; nothing is cut.
TEST(DashboardTest, WideAndNegativeFiguresWidenTheirFields) {
  GameState state = firstDay();
  state.credits = -1234567890;
  state.loan = 2147483647;
  state.day = 30;
  state.prices[4] = 12345;
  state.stock[5] = 1000;
  state.cargo[7] = 1005;
  const std::string screen = dashboardScreen(state);
  EXPECT_NE(screen.find("   | Total Credits: -1234567890 |\n"), std::string::npos);
  EXPECT_NE(screen.find("   | Current Loan: 2147483647  |\n"), std::string::npos);
  EXPECT_NE(screen.find("  /   Time    //  [ 5 ] Sublight Drives  ::   12345      |=|    20    |"
                        "    0  |\n"),
            std::string::npos);
  EXPECT_NE(screen.find("  |  30 Days ||   [ 6 ] Super Lasers     ::   350      |_|   1000    |"
                        "    0  |\n"),
            std::string::npos);
  EXPECT_NE(screen.find("  |  30 Days ||   [ 8 ] Homing Beacons   ::   80       | |     7    |"
                        "  1005  |\n"),
            std::string::npos);
}

}  // namespace
}  // namespace nebulance
