// The model of a running game: the player's purse and loan, the bank, the rewards the robbery
// story grants, the calendar, where the player is, today's market and the hold. The main loop
// owns the only instance and hands each screen the parts it works on.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

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

// Each place's name, by Planet number, as the dashboard and the travel events write it (the map
// draws its own). No planet has no name.
inline constexpr std::array<std::string_view, 9> kPlaceNames = {
    "",       "Tattooine", "Jundland",   "Naboo",      "Dagobah",
    "Kessel", "Alderaan",  "Cloud City", "the hangar",
};

// True for the numbers of the seven planets.
constexpr bool isPlanet(std::int32_t number) {
  return number >= kTattooine && number <= kCloudCity;
}

// The name of `place`; empty for no planet.
constexpr std::string_view placeName(Planet place) {
  return place >= kTattooine && place <= kHangar ? kPlaceNames[place] : std::string_view{};
}

// The goods' names in the forms the screens write them; the Trading Post's lists and the
// dashboard carry theirs in their art.
struct ProductNames {
  std::string_view name;         // the Jedi's spoils
  std::string_view foundName;    // the wreckage's find
  std::string_view lostName;     // a lost duel's cargo line
  std::string_view missingName;  // the robbery story's missing item, for the goods it asks for
};

// One row per product, in Product order.
inline constexpr std::array<ProductNames, kProductCount> kProductNames = {{
    {"Lightsabers", "Lightsabers", "Lightsabers", "Lightsabers"},
    {"Comlinks", "Comlinks", "Comlinks", ""},
    {"Holocams", "Holocam", "Holocams", ""},
    {"Blasters", "Blasters", "Blasters", "blasters"},
    {"Sublight Drives", "Sublight Drives", "Sublight Drives", ""},
    {"Super Lasers", "Super Lasers", "Super Lasers", ""},
    {"Vibro-axes", "Vibro-axes", "Vibro-axes", ""},
    {"Homing Beacons", "Homing beacons", "Beacons", "homing beacons"},
}};

using ProductCounts = std::array<std::int32_t, kProductCount>;

// Index into a ProductCounts for a product number 1..8.
constexpr int productIndex(std::int32_t product) {
  return product - 1;
}

constexpr const ProductNames& productNames(Product product) {
  return kProductNames[productIndex(product)];
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

// The player's money.
struct Purse {
  std::int32_t credits = 0;      // in hand; the grant arrives when a new game starts
  std::int32_t loan = 0;         // owed to the Federation Bank
  std::int32_t currentRate = 0;  // percent charged on the whole loan each day: the last loan's

  bool operator==(const Purse&) const = default;
};

// The Federation Bank.
struct Bank {
  // "Credits Available"; a robbery can sink it below 0 until the next day's growth.
  std::int32_t bankFunds = kStartingBankFunds;
  // Today's rate for a new loan, percent 5..20, drawn on each jump.
  std::int32_t interestRate = 0;

  bool operator==(const Bank&) const = default;
};

// What the bank-robbery story's victories grant; once granted, kept for the rest of the game.
struct Rewards {
  bool purchaseDiscount = false;   // purchases cost 10% less
  bool nabooTradeAllowed = false;  // Naboo buys from the player

  bool operator==(const Rewards&) const = default;
};

struct Calendar {
  // 1 after the first jump; the jump that makes it kDayLimit + 1 ends the game.
  std::int32_t day = 0;
  // Set once the last-day warning has been shown, which happens once. It carries to every later
  // dashboard of the game: their command reads no longer eat the line end left by the previous
  // entry first, so that line end is read as a command (Input Error) before the letter typed.
  bool lastDayWarned = false;

  bool operator==(const Calendar&) const = default;
};

struct Position {
  Planet location = kNoPlanet;  // where the player is: a planet from the first jump on
  Planet origin = kNoPlanet;    // the place left on the current jump, the hangar on the first

  bool operator==(const Position&) const = default;
};

// Today's market at the location, indexed by product number - 1.
struct Market {
  ProductCounts prices{};  // the price of one unit
  ProductCounts stock{};   // units on offer

  bool operator==(const Market&) const = default;
};

struct GameState {
  Purse purse;
  Bank bank;
  Rewards rewards;
  Calendar calendar;
  Position position;
  Market market;
  ProductCounts cargo{};  // the hold: units of each product, indexed by product number - 1
  // The answer to the in-game leave question, 1 to leave or 2 to stay. It carries from one
  // question to the next: an entry that is not a number keeps it, so after a cancel the next
  // question is cancelled at once.
  std::int32_t leaveAnswer = 0;

  bool operator==(const GameState&) const = default;
};

}  // namespace nebulance
