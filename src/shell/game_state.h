// The one record of a running game. The main loop owns the only instance and hands each screen
// references to exactly the fields that screen reads or changes.
#pragma once

#include <array>
#include <cstdint>

namespace nebulance {

// The eight goods, numbered 1..8 on every screen; arrays of eight are indexed by number - 1.
enum Product : std::int32_t {
  kLightsabers = 1,
  kComlinks = 2,
  kHolocams = 3,
  kBlasters = 4,
  kSublightDrives = 5,
  kSuperLasers = 6,
  kVibroAxes = 7,
  kHomingBeacons = 8,
};
inline constexpr int kProductCount = 8;

// The seven destinations, numbered as on the planet map; the hangar is only ever an origin.
enum Planet : std::int32_t {
  kNoPlanet = 0,
  kTattooine = 1,
  kJundland = 2,
  kNaboo = 3,
  kDagobah = 4,
  kKessel = 5,
  kAlderaan = 6,
  kCloudCity = 7,
  kHangar = 8,
};

using ProductCounts = std::array<std::int32_t, kProductCount>;

// Index into a ProductCounts for a product number 1..8.
constexpr int productIndex(std::int32_t product) {
  return product - 1;
}

// Game constants, each with its reason.
inline constexpr std::int32_t kStartingCredits = 2000;        // the grant of a new game
inline constexpr std::int32_t kDailyAllowance = 100;          // paid on each jump after the first
inline constexpr double kRateDivisor = 100.0;                 // rates are whole percentages
inline constexpr std::int32_t kBankGrowth = 100000;           // the bank's daily refill
inline constexpr std::int32_t kStartingBankFunds = 10000000;  // the bank's purse at start
inline constexpr std::int32_t kDayLimit = 30;                 // the game ends when day reaches 31
inline constexpr std::int32_t kHoldCapacity = 100;            // total units a purchase may fill to
inline constexpr std::int32_t kLargestQuantity = 100;         // most units per transaction

struct GameState {
  // Player, bank and rewards.
  std::int32_t credits = 0;                     // the player's credits
  std::int32_t loan = 0;                        // debt to the Federation Bank
  std::int32_t bankFunds = kStartingBankFunds;  // the bank's "Credits Available"
  std::int32_t interestRate = 0;                // today's offered rate, percent, 5..20
  std::int32_t currentRate = 0;                 // rate charged on the loan, percent
  std::int32_t purchaseDiscount = 0;            // 1: purchases cost 10% less
  std::int32_t nabooTradeAllowed = 0;           // 1: Naboo buys from the player

  // Calendar.
  std::int32_t day = 0;               // 1 after the first jump
  std::int32_t dayLimit = kDayLimit;  // the last day
  std::int32_t lastDayWarned = 0;     // 1 once the last-day warning was shown

  // Position.
  std::int32_t location = kNoPlanet;  // the planet where the player is
  std::int32_t origin = kNoPlanet;    // the place left on the current jump
  std::int32_t destination = 0;       // the number last typed on the planet map

  // Market and cargo, indexed by product number - 1.
  ProductCounts prices{};  // today's price of one unit here
  ProductCounts stock{};   // units on offer here today
  ProductCounts cargo{};   // units in the player's hold

  // Travel-step working values, written afresh before each read.
  std::int32_t eventRoll = 0;     // which travel event, 1..15
  std::int32_t eventProduct = 0;  // product of the wreckage loot, 1..8
  std::int32_t eventCount = 0;    // units of the wreckage loot, 1..10
  std::int32_t workAmount = 0;    // credits after the tax; value of a trade

  // Loop control of the main loop.
  std::int32_t menuPasses = 0;     // start menu passes so far
  std::int32_t menuChoice = 0;     // number typed at the start menu
  std::int32_t menuRepeat = 1;     // 1 while the start menu is to be shown again
  std::int32_t leaveAnswer = 0;    // answer to the start menu's leave question
  std::int32_t leaveSettled = 0;   // 1 once that question got 1 or 2
  std::int32_t newGameChosen = 0;  // 1 from the intro screens to the first jump
  std::int32_t gameRunning = 0;    // 1 while the day loop runs
  std::int32_t exitAnswer = 0;     // answer to the in-game leave question
  char command = 0;                // the letter read at the dashboard

  bool operator==(const GameState&) const = default;
};

}  // namespace nebulance
