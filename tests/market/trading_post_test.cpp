// The Trading Post: whole sessions compared with reviewed transcripts, and visits made straight
// to the menu over string streams for the states that a session reaches only after many days.
#include "market/trading_post.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "shell/saturating.h"
#include "support/session.h"

namespace nebulance {
namespace {

using testing::playSession;
using testing::readTestData;
using testing::updateTestData;

// First draws 24751 7499 4134 1641 ...: the travel event is 24751 mod 15 + 1 = 8, a safe
// journey, and the bank offers 1641 mod 16 + 5 = 9%. Tattooine's stock is the first eight draws
// mod 21: 7 19 4 13 20 1 7 7. Naboo draws its prices first, then stock 20 19 11 15 9 17 13 9.
constexpr std::int64_t kSafeJourney = 1700000000;

// From the start menu through the three intro pauses, the first jump to `planet` and the travel
// event's pause, up to the first dashboard's command.
std::string toFirstDashboard(char planet) {
  return std::string("1\nx\nx\nx\n") + planet + "\nx\n";
}

// Leaves the game from the dashboard.
constexpr std::string_view kLeaveGame = "E\n1\n";

void expectSession(std::string_view name, const std::string& input) {
  const std::string output = playSession(input, kSafeJourney);
  updateTestData(name, output);
  EXPECT_EQ(output, readTestData(name)) << name;
}

TEST(TradingPostSessionTest, PurchaseAfterEachQuantityCheckRefusesOnce) {
  // A wrong menu letter, a wrong item, then Sublight Drives at 600 with 20 on offer: 101 is no
  // quantity (a), 21 is more than offered (b), 4 costs 2400 of 2000 credits (d), -2 is stopped by
  // (a) again, and 3 buys for 1800. The next dashboard shows 17 on offer, 3 held, 200 credits.
  expectSession(
      "trading_buy_session.txt",
      toFirstDashboard('1') + "S\nx\nb\nq\n5\n101\n21\n4\n-2\n3\n" + std::string(kLeaveGame));
}

TEST(TradingPostSessionTest, UnitsSoldCanBeBoughtBackTheSameDay) {
  // Five of the seven Homing Beacons are bought, sold back (after 6, more than held, and -3),
  // and the next Buy screen offers all seven again at 80; 9 leaves it untouched.
  expectSession("trading_sell_session.txt", toFirstDashboard('1') +
                                                "S\nB\n8\n5\ns\nS\n0\n8\n6\n-3\n5\nS\nB\n9\n" +
                                                std::string(kLeaveGame));
}

TEST(TradingPostSessionTest, NabooRefusesToBuyButStillSells) {
  // S meets the embargo and its pause; the menu returns at once. B still opens the Buy screen,
  // and a quantity of 0 buys nothing. A last visit leaves the menu with a lower-case e.
  expectSession("trading_naboo_session.txt",
                toFirstDashboard('3') + "S\nS\nx\nB\n1\n0\ns\ne\n" + std::string(kLeaveGame));
}

// A visit made straight to the Trading Post menu; the input starts with the line end that the
// dashboard's command left behind.
struct Visit {
  std::string output;
  GameState state;
};

Visit visitTradingPost(std::string_view input, GameState state) {
  std::istringstream in{std::string(input)};
  std::ostringstream out;
  {
    Console console(in, out);
    tradingPost(console, state.inputChar, state.prices, state.credits, state.workAmount,
                state.cargo, state.stock, state.nabooTradeAllowed, state.location,
                state.purchaseDiscount);
  }
  return {out.str(), state};
}

void expectTranscript(std::string_view name, const std::string& output) {
  updateTestData(name, output);
  EXPECT_EQ(output, readTestData(name)) << name;
}

std::int32_t& at(ProductCounts& counts, Product product) {
  return counts[productIndex(product)];
}

std::int32_t at(const ProductCounts& counts, Product product) {
  return counts[productIndex(product)];
}

// A Tattooine market with 1000 credits, an empty hold and a known offer.
GameState tattooineMarket() {
  GameState state;
  state.location = kTattooine;
  state.credits = 1000;
  state.prices = {6000, 4500, 2700, 2000, 600, 350, 800, 80};
  state.stock = {3, 0, 12, 5, 20, 9, 1, 10};
  return state;
}

// How many times `text` holds `part`.
int occurrences(const std::string& text, std::string_view part) {
  int count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
    ++count;
  }
  return count;
}

bool endsWith(const std::string& text, std::string_view end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

TEST(TradingPostMenuTest, WrongLetterShowsTheErrorAndTheMenuAgain) {
  expectTranscript("trading_menu_error.txt",
                   visitTradingPost("\n?\nE\n", tattooineMarket()).output);
}

TEST(TradingPostMenuTest, LettersOfEitherCaseChooseTheirScreen) {
  struct Case {
    std::string_view input;
    std::string_view screenMark;
  };
  const Case cases[] = {
      {"\nB\n9\n", "[ Buy ]"},           {"\nb\n9\n", "[ Buy ]"},
      {"\nS\n9\n", "[ Sell ]"},          {"\ns\n9\n", "[ Sell ]"},
      {"\nE\n", "Leaving shop menu..."}, {"\ne\n", "Leaving shop menu..."},
  };
  for (const Case& c : cases) {
    const Visit visit = visitTradingPost(c.input, tattooineMarket());
    EXPECT_EQ(occurrences(visit.output, c.screenMark), 1) << c.input;
    EXPECT_EQ(occurrences(visit.output, "Input B to purchase"), 0) << c.input;
  }
  for (const std::string_view wrong : {"\n1\nE\n", "\nx\nE\n", "\n\n\nE\n", "\n#\nE\n"}) {
    EXPECT_EQ(occurrences(visitTradingPost(wrong, tattooineMarket()).output,
                          "                 Input B to purchase, S to sell, or E to exit.\n"),
              1)
        << wrong;
  }
}

TEST(TradingPostMenuTest, NabooSellsOnlyOnceTradeIsAllowed) {
  struct Case {
    std::int32_t location;
    std::int32_t nabooTradeAllowed;
    bool sellScreenOpens;
  };
  for (const Case c : {Case{kNaboo, 0, false}, Case{kNaboo, 1, true}, Case{kTattooine, 0, true},
                       Case{kCloudCity, 0, true}}) {
    GameState state = tattooineMarket();
    state.location = c.location;
    state.nabooTradeAllowed = c.nabooTradeAllowed;
    // Refused, the S is followed by the pause's key and then E leaves the menu shown again.
    const Visit visit = visitTradingPost(c.sellScreenOpens ? "\nS\n9\n" : "\nS\nx\nE\n", state);
    EXPECT_EQ(occurrences(visit.output, "[ Sell ]"), c.sellScreenOpens ? 1 : 0) << c.location;
    EXPECT_EQ(occurrences(visit.output, "Naboo has closed its doors"), c.sellScreenOpens ? 0 : 1);
    EXPECT_EQ(visit.state, state);
  }
}

TEST(BuyScreenTest, EveryCheckInItsOrder) {
  // Homing Beacons at 80, 10 on offer, 95 units held, 300 credits: 101 fails (a), 11 (b), 6 (c),
  // -4 (a) again although it would fit, 5 (d) at 400 credits, and 3 is bought for 240.
  GameState state = tattooineMarket();
  state.credits = 300;
  state.cargo = {20, 20, 20, 20, 15, 0, 0, 0};
  const Visit visit = visitTradingPost("\nB\nx\n8\n101\n11\n6\n-4\n5\n3\n", state);
  expectTranscript("trading_buy_checks.txt", visit.output);

  GameState expected = state;
  at(expected.stock, kHomingBeacons) = 7;
  at(expected.cargo, kHomingBeacons) = 3;
  expected.credits = 60;
  expected.workAmount = 240;
  EXPECT_EQ(visit.state, expected);
}

TEST(BuyScreenTest, LimitsAreInclusive) {
  struct Case {
    std::string_view name;
    std::int32_t credits;
    ProductCounts cargo;
    std::string_view input;  // Homing Beacons at 80, 10 on offer
    std::int32_t creditsAfter;
    std::int32_t stockAfter;
  };
  const Case cases[] = {
      {"the whole offer", 1000, {}, "\nB\n8\n10\n", 200, 0},
      {"the hold filled to 100", 1000, {50, 45, 0, 0, 0, 0, 0, 0}, "\nB\n8\n5\n", 600, 5},
      {"all the credits", 400, {}, "\nB\n8\n5\n", 0, 5},
      {"one unit more than the hold takes",
       1000,
       {50, 45, 0, 0, 0, 0, 0, 0},
       "\nB\n8\n6\n0\n",
       1000,
       10},
      {"one unit more than the credits pay", 399, {}, "\nB\n8\n5\n0\n", 399, 10},
  };
  for (const Case& c : cases) {
    GameState state = tattooineMarket();
    state.credits = c.credits;
    state.cargo = c.cargo;
    const Visit visit = visitTradingPost(c.input, state);
    EXPECT_EQ(visit.state.credits, c.creditsAfter) << c.name;
    EXPECT_EQ(at(visit.state.stock, kHomingBeacons), c.stockAfter) << c.name;
    EXPECT_EQ(at(visit.state.cargo, kHomingBeacons), 10 - c.stockAfter) << c.name;
  }
}

TEST(BuyScreenTest, ZeroBuysNothingAndSaysSo) {
  GameState state = tattooineMarket();
  state.workAmount = 555;
  const Visit visit = visitTradingPost("\nB\n1\n0\n", state);
  EXPECT_TRUE(endsWith(visit.output,
                       "                 Enter Quantity:                  Total cost: 0\n"
                       "                 Transaction complete. Returning to main menu.\n"));
  state.workAmount = 0;
  EXPECT_EQ(visit.state, state);
}

TEST(BuyScreenTest, NineHaltsWithNothingChanged) {
  GameState state = tattooineMarket();
  state.workAmount = 555;
  const Visit visit = visitTradingPost("\nB\n9\n", state);
  EXPECT_TRUE(endsWith(visit.output,
                       "              |/ Select item to purchase (1-8/9): "
                       "                 Transaction halted. Returning to main menu.\n"));
  state.workAmount = 0;
  EXPECT_EQ(visit.state, state);
}

TEST(BuyScreenTest, EntryThatIsNoNumberKeepsTheQuantity) {
  // At the first entry the kept 0 passes and buys nothing; after a refusal the refused 11 is
  // refused again, once per waiting character, until 4 is read.
  GameState state = tattooineMarket();
  Visit visit = visitTradingPost("\nB\n8\nxy\n", state);
  EXPECT_TRUE(endsWith(visit.output,
                       "Total cost: 0\n"
                       "                 Transaction complete. Returning to main menu.\n"));
  visit = visitTradingPost("\nB\n8\n11\nab\n4\n", state);
  EXPECT_EQ(occurrences(visit.output, "Error. Please input a quantity not greater than"), 3);
  EXPECT_EQ(at(visit.state.cargo, kHomingBeacons), 4);
}

TEST(BuyScreenTest, HoldAboveCapacityRefusesEveryPositiveQuantityButLetsZeroOut) {
  // Loot has already filled the hold past 100 units; 100 Homing Beacons are on offer.
  GameState state = tattooineMarket();
  state.cargo = {0, 0, 0, 0, 0, 0, 103, 2};
  at(state.stock, kHomingBeacons) = 100;
  std::string input = "\nB\n8\n";
  for (int quantity = 1; quantity <= 100; ++quantity) input += std::to_string(quantity) + "\n";
  input += "0\n";
  const Visit visit = visitTradingPost(input, state);
  EXPECT_EQ(occurrences(visit.output, "Error. Your cargo bay cannot accomodate"), 100);
  EXPECT_TRUE(endsWith(visit.output,
                       "Total cost: 0\n"
                       "                 Transaction complete. Returning to main menu.\n"));
  EXPECT_EQ(visit.state, state);
}

TEST(BuyScreenTest, ZeroPassesEvenWithCreditsBelowZero) {
  GameState state = tattooineMarket();
  state.credits = -50;
  const Visit visit = visitTradingPost("\nB\n8\n1\n0\n", state);
  EXPECT_EQ(occurrences(visit.output, "You do not have enough credits"), 1);
  EXPECT_EQ(visit.state, state);
}

TEST(BuyScreenTest, DiscountTakesATenthOffAndTruncates) {
  struct Case {
    std::int32_t price;
    std::int32_t quantity;
    std::int32_t purchaseDiscount;
    std::int32_t cost;
  };
  for (const Case c :
       {Case{37, 3, 1, 99}, Case{37, 3, 0, 111}, Case{10, 3, 1, 27}, Case{111, 1, 1, 99},
        Case{6000, 100, 1, 540000}, Case{80, 0, 1, 0}, Case{1, 9, 1, 8}}) {
    EXPECT_EQ(purchaseCost(c.price, c.quantity, c.purchaseDiscount), c.cost)
        << c.price << " x " << c.quantity;
  }
  // Every value a purchase can reach (6000 credits times 100 units at most) costs nine tenths
  // of it rounded down: the double arithmetic never lands a hair below a whole number.
  for (std::int32_t fullCost = 0; fullCost <= 600000; ++fullCost) {
    ASSERT_EQ(purchaseCost(fullCost, 1, 1), fullCost * 9 / 10) << fullCost;
  }
  // 3 units at 37 cost exactly the 99 credits held.
  GameState state = tattooineMarket();
  state.prices = {37, 0, 0, 0, 0, 0, 0, 0};
  state.credits = 99;
  state.purchaseDiscount = 1;
  const Visit visit = visitTradingPost("\nB\n1\n3\n", state);
  EXPECT_EQ(visit.state.credits, 0);
  EXPECT_EQ(visit.state.workAmount, 99);
  EXPECT_EQ(occurrences(visit.output, "                 Total cost: 99\n"), 1);
}

TEST(SellScreenTest, EveryCheckInItsOrder) {
  // 4 Comlinks held: "0" is no item, 5 is more than held (b), -3 (a), 101 (a), and 4 sell.
  GameState state = tattooineMarket();
  at(state.cargo, kComlinks) = 4;
  const Visit visit = visitTradingPost("\nS\n0\n2\n5\n-3\n101\n4\n", state);
  expectTranscript("trading_sell_checks.txt", visit.output);

  GameState expected = state;
  at(expected.cargo, kComlinks) = 0;
  at(expected.stock, kComlinks) = 4;
  expected.credits = 19000;
  expected.workAmount = 18000;
  EXPECT_EQ(visit.state, expected);
}

TEST(SellScreenTest, SoldUnitsRaiseTheOfferWithoutLimit) {
  // 10 of 20 offered Super Lasers come back on the market, which then offers 30 at 350.
  GameState state = tattooineMarket();
  at(state.stock, kSuperLasers) = 20;
  at(state.cargo, kSuperLasers) = 10;
  Visit visit = visitTradingPost("\nS\n6\n10\n", state);
  EXPECT_EQ(at(visit.state.stock, kSuperLasers), 30);
  EXPECT_EQ(visit.state.credits, 4500);
  visit.state.credits = 20000;
  visit = visitTradingPost("\nB\n6\n30\n", visit.state);
  EXPECT_EQ(at(visit.state.stock, kSuperLasers), 0);
  EXPECT_EQ(at(visit.state.cargo, kSuperLasers), 30);
  EXPECT_EQ(visit.state.credits, 20000 - 30 * 350);
}

TEST(SellScreenTest, ZeroAndNineChangeNothing) {
  GameState state = tattooineMarket();
  state.workAmount = 555;
  GameState expected = state;
  expected.workAmount = 0;
  Visit visit = visitTradingPost("\nS\n4\n0\n", state);
  EXPECT_TRUE(endsWith(visit.output,
                       "                 Total gain: 0\n"
                       "                 Transaction complete. Returning to main menu.\n"));
  EXPECT_EQ(visit.state, expected);
  visit = visitTradingPost("\nS\n9\n", state);
  EXPECT_TRUE(endsWith(visit.output,
                       "              |/ Select item to sell (1-8/9): "
                       "                 Transaction halted. Returning to main menu.\n"));
  EXPECT_EQ(visit.state, expected);
}

TEST(SellScreenTest, ProceedsAndTotalsAreHeldAtTheLimit) {
  // A sale that would carry the credits past the 32-bit range stops at 2147483647, and an
  // offer whose total would overflow shows the held value too.
  GameState state = tattooineMarket();
  state.credits = kInt32Max - 100;
  at(state.cargo, kLightsabers) = 100;
  at(state.stock, kLightsabers) = 400000;
  const Visit visit = visitTradingPost("\nS\n1\n1\n", state);
  EXPECT_EQ(visit.state.credits, kInt32Max);
  EXPECT_EQ(visit.state.workAmount, 6000);
  const Visit buyVisit = visitTradingPost("\nB\n9\n", visit.state);
  EXPECT_EQ(occurrences(buyVisit.output, "|   6000  | 2147483647 |"), 1);
}

}  // namespace
}  // namespace nebulance
