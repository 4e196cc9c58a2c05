// Visits made straight to the Trading Post menu, for the limits and the state that the whole
// sessions (tests/data/sessions/trading-*.session) cannot reach or show.
#include "market/trading_post.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "shell/saturating.h"
#include "support/session.h"

namespace nebulance {
namespace {

constexpr int kBeacons = productIndex(kHomingBeacons);

// The state after a visit; the input follows the line end that the dashboard's command left.
GameState visitTradingPost(std::string_view input, GameState state, std::string* output = nullptr) {
  std::istringstream in{"\n" + std::string(input)};
  std::ostringstream out;
  Console console(in, out);
  tradingPost(console, state.inputChar, state.prices, state.credits, state.workAmount, state.cargo,
              state.stock, state.nabooTradeAllowed, state.location, state.purchaseDiscount);
  if (output != nullptr) *output = out.str();
  return state;
}

// Tattooine's prices, 10 Homing Beacons on offer at 80, and a hold of `otherCargo` Lightsabers
// and `beaconsHeld` beacons. workAmount starts at 555 to show that a visit resets it.
GameState beaconMarket(std::int32_t credits, std::int32_t otherCargo, std::int32_t beaconsHeld,
                       std::int32_t purchaseDiscount) {
  return {.credits = credits,
          .purchaseDiscount = purchaseDiscount,
          .prices = {6000, 4500, 2700, 2000, 600, 350, 800, 80},
          .stock = {3, 0, 12, 5, 20, 9, 1, 10},
          .cargo = {otherCargo, 0, 0, 0, 0, 0, 0, beaconsHeld},
          .workAmount = 555};
}

// `moved` beacons go from the market into the hold (negative: sold back) for `paid` credits,
// kept in workAmount. Each input ends where the visit must: a wrong answer shows or ends it.
struct Trade {
  std::string_view why;
  std::int32_t credits, otherCargo, beaconsHeld, purchaseDiscount;
  std::string_view input;
  std::int32_t moved, paid;
};

constexpr Trade kTrades[] = {
    {"the whole offer", 1000, 0, 0, 0, "B\n8\n10\n", 10, 800},
    {"the hold filled to exactly 100", 1000, 95, 0, 0, "B\n8\n5\n", 5, 400},
    {"one unit past the hold fails (c), then 0", 1000, 95, 0, 0, "B\n8\n6\n0\n", 0, 0},
    {"a cost equal to the credits", 400, 0, 0, 0, "B\n8\n5\n", 5, 400},
    {"one credit short fails (d), then 0", 399, 0, 0, 0, "B\n8\n5\n0\n", 0, 0},
    {"the discount: 5 at 80 cost 360, all the credits", 360, 0, 0, 1, "B\n8\n5\n", 5, 360},
    {"9 halts", 1000, 0, 0, 0, "B\n9\n", 0, 0},
    {"M5: a non-number first keeps the quantity 0", 1000, 0, 0, 0, "B\n8\nxy\n", 0, 0},
    {"a non-number after a refusal keeps 11", 1000, 0, 0, 0, "B\n8\n11\nab\n4\n", 4, 320},
    {"M4: a hold of 105 refuses 1 and 10 (c); 0 leaves", 1000, 103, 2, 0, "B\n8\n1\n10\n0\n", 0, 0},
    {"credits below 0: (d) refuses 1; 0 still leaves", -50, 0, 0, 0, "B\n8\n1\n0\n", 0, 0},
    {"one more than held fails (b), then all held", 1000, 0, 10, 0, "s\n8\n11\n10\n", -10, -800},
    {"M5: a non-number first sells 0", 1000, 0, 10, 0, "S\n8\nx\n", 0, 0},
    {"9 halts the sale", 1000, 0, 10, 0, "S\n9\n", 0, 0},
    {"M3: proceeds stop at 2147483647", kInt32Max - 100, 0, 10, 0, "S\n8\n10\n", -10, -800},
};

TEST(TradingPostTest, TradesUpToEveryLimit) {
  for (const Trade& trade : kTrades) {
    const GameState before =
        beaconMarket(trade.credits, trade.otherCargo, trade.beaconsHeld, trade.purchaseDiscount);
    GameState expected = before;
    expected.stock[kBeacons] -= trade.moved;
    expected.cargo[kBeacons] += trade.moved;
    expected.credits = saturatingSubtract(expected.credits, trade.paid);
    expected.workAmount = trade.paid < 0 ? -trade.paid : trade.paid;
    EXPECT_EQ(visitTradingPost(trade.input, before), expected) << trade.why;
  }
}

TEST(TradingPostTest, BuyChecksRunInTheirOrder) {
  // 300 credits and 95 units held: x is no item; 101 fails (a), 11 (b), 6 (c), -4 (a) although
  // it would fit, 5 costs 400 (d), and 3 buy for 240.
  std::string output;
  visitTradingPost("B\nx\n8\n101\n11\n6\n-4\n5\n3\n", beaconMarket(300, 95, 0, 0), &output);
  testing::updateTestData("trading_buy_checks.txt", output);
  EXPECT_EQ(output, testing::readTestData("trading_buy_checks.txt"));
}

TEST(TradingPostTest, NabooRefusesToBuyUntilTradeIsAllowed) {
  // Refused, the S is followed by the pause's key and the menu again, where B buys 5 beacons;
  // where the Sell screen opens, the same keys sell the 5 held instead.
  struct Case {
    std::int32_t location, nabooTradeAllowed, beaconsAfter;
  };
  for (const Case c : {Case{kNaboo, 0, 10}, Case{kNaboo, 1, 0}, Case{kCloudCity, 0, 0}}) {
    GameState state = beaconMarket(1000, 0, 5, 0);
    state.location = c.location;
    state.nabooTradeAllowed = c.nabooTradeAllowed;
    EXPECT_EQ(visitTradingPost("S\nx\nB\n8\n5\n", state).cargo[kBeacons], c.beaconsAfter)
        << c.location << c.nabooTradeAllowed;
  }
}

TEST(TradingPostTest, DiscountTakesATenthOffAndTruncates) {
  EXPECT_EQ(purchaseCost(37, 3, 1), 99);  // not 99.9 or 100
  // Every full cost a purchase can reach (6000 credits times 100 units) loses a tenth rounded
  // down: the double arithmetic never lands a hair below a whole number.
  for (std::int32_t fullCost = 0; fullCost <= 600000; ++fullCost) {
    ASSERT_EQ(purchaseCost(fullCost, 1, 1), fullCost * 9 / 10) << fullCost;
  }
}

}  // namespace
}  // namespace nebulance
