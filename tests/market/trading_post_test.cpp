// Visits made straight to the Trading Post menu, for the limits and the state that the whole
// sessions cannot reach or show; tests/data/sessions/trading-*.session show the screens, the
// checks in their order and Naboo's embargo, story-victories-* Naboo's trade once allowed.
#include "market/trading_post.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "shell/saturating.h"

namespace nebulance {
namespace {

// A visit to a market of Tattooine's prices with 10 Homing Beacons at 80, with `otherCargo`
// Lightsabers and `beaconsHeld` beacons in the hold. The input follows the line end of the
// dashboard's command and ends where the visit must: a wrong answer shows or ends it. `after`
// is "credits held offered", the last two counting beacons.
struct Trade {
  std::string_view why;
  std::int32_t credits, otherCargo, beaconsHeld;
  bool purchaseDiscount;
  std::string_view input, after;
};

constexpr Trade kTrades[] = {
    {"the whole offer", 1000, 0, 0, false, "B\n8\n10\n", "200 10 0"},
    {"a hold filled to 100", 1000, 95, 0, false, "B\n8\n5\n", "600 5 5"},
    {"one unit past the hold fails (c)", 1000, 95, 0, false, "B\n8\n6\n0\n", "1000 0 10"},
    {"a cost equal to the credits", 400, 0, 0, false, "B\n8\n5\n", "0 5 5"},
    {"one credit short fails (d)", 399, 0, 0, false, "B\n8\n5\n0\n", "399 0 10"},
    {"the discount: 5 at 80 cost 360", 360, 0, 0, true, "B\n8\n5\n", "0 5 5"},
    {"M5: a non-number first buys 0", 1000, 0, 0, false, "B\n8\nxy\n", "1000 0 10"},
    {"a non-number after a refusal keeps 11", 1000, 0, 0, false, "B\n8\n11\nab\n4\n", "680 4 6"},
    {"M5: a non-number first sells 0", 1000, 0, 10, false, "S\n8\nx\n", "1000 10 10"},
    {"9 halts the sale", 1000, 0, 10, false, "S\n9\n", "1000 10 10"},
    {"M3: proceeds held", kInt32Max - 100, 0, 10, false, "S\n8\n10\n", "2147483647 0 20"},
};

// The state after a visit as `after` shows it.
std::string visitTradingPost(const Trade& trade) {
  Purse purse{.credits = trade.credits};
  ProductCounts cargo = {trade.otherCargo, 0, 0, 0, 0, 0, 0, trade.beaconsHeld};
  Market market{.prices = {6000, 4500, 2700, 2000, 600, 350, 800, 80},
                .stock = {3, 0, 12, 5, 20, 9, 1, 10}};
  std::istringstream in{"\n" + std::string(trade.input)};
  std::ostringstream out;
  Console console(in, out);
  tradingPost(console, market, cargo, purse, {.purchaseDiscount = trade.purchaseDiscount});
  std::ostringstream settled;
  settled << purse.credits << ' ' << cargo.back() << ' ' << market.stock.back();
  return settled.str();
}

TEST(TradingPostTest, TradesUpToEveryLimit) {
  for (const Trade& trade : kTrades) EXPECT_EQ(visitTradingPost(trade), trade.after) << trade.why;
}

TEST(TradingPostTest, DiscountTakesATenthOffAndTruncates) {
  // Every full cost a purchase can reach (6000 credits times 100 units) loses a tenth rounded
  // down: the double arithmetic never lands a hair below a whole number.
  for (std::int32_t fullCost = 0; fullCost <= 600000; ++fullCost) {
    ASSERT_EQ(purchaseCost(fullCost, true), fullCost * 9 / 10) << fullCost;
  }
}

}  // namespace
}  // namespace nebulance
