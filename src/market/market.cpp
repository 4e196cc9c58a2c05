#include "market/market.h"

#include <array>
#include <string_view>

namespace nebulance {

namespace {

// How a price is made at each planet: Tattooine's price is the top of the range drawn elsewhere.
struct PriceRule {
  std::int32_t tattooinePrice;
  std::int32_t lowest;
  std::int32_t spread;  // a drawn price is lowest + draw mod spread
};

constexpr std::array<PriceRule, kProductCount> kPriceRules = {{
    {6000, 5000, 1001},  // Lightsabers
    {4500, 3500, 1001},  // Comlinks
    {2700, 2000, 701},   // Holocams
    {2000, 1000, 1001},  // Blasters
    {600, 400, 201},     // Sublight Drives
    {350, 250, 101},     // Super Lasers
    {800, 100, 701},     // Vibro-axes
    {80, 20, 61},        // Homing Beacons
}};

constexpr int kStockSpread = 21;  // every market offers 0..20 units of each good

}  // namespace

void marketGeneration(RandomGenerator& random, Market& market, Planet location) {
  random.reseedFromClock();
  for (int i = 0; i < kProductCount; ++i) {
    const PriceRule& rule = kPriceRules[i];
    market.prices[i] =
        location == kTattooine ? rule.tattooinePrice : random.drawModulo(rule.spread, rule.lowest);
  }
  for (std::int32_t& quantity : market.stock) quantity = random.drawModulo(kStockSpread);
}

namespace {

// The whole dashboard. Its fields, in order: credits and loan; then each product's price, stock
// and cargo, with the Time box's day done opening row 6 and the day limit opening row 8; then
// the planet's name, padded to its box. The price field narrows with the highest price a
// product can reach.
constexpr std::string_view kDashboard = R"art(    ___________________________
   | Total Credits: %10d |
   | Current Loan: %10d  |
   |___________  ______________|_________  ____________   __________ _______
  | Navigation || Product List           :: Price List \_/ Quantity | Cargo |
  | [ S ]hop   || [ 1 ] Lightsabers      ::   %4d     |_|   %3d    |  %3d  |
  | [ B ]ank   || [ 2 ] Comlinks         ::   %4d     |=|   %3d    |  %3d  |
  | [ T ]ravel || [ 3 ] Holocams         ::   %4d     |_|   %3d    |  %3d  |
  \____________|| [ 4 ] Blasters         ::   %4d     |_|   %3d    |  %3d  |
  /   Time    //  [ 5 ] Sublight Drives  ::   %3d      |=|   %3d    |  %3d  |
  |  %2d Days ||   [ 6 ] Super Lasers     ::   %3d      |_|   %3d    |  %3d  |
  |  done of ||   [ 7 ] Vibro-axes       ::   %3d      |_|   %3d    |  %3d  |
  |  %2d Days ||   [ 8 ] Homing Beacons   ::   %2d       | |   %3d    |  %3d  |
  |__________/\__________________________/\____________/ \__________|_______|
  ||       [o] ||                      ||           |    |      /
  ||  * [o]  * || Location: %-11s|| [ E ]xit  |====|     /
  || [o]  \    ||______________________/\___________/    |====/
  || *    [o] *||                      \
  \\===========/\ Enter Choice (S)hop, (B)ank, (T)ravel, (E)xit: )art";

}  // namespace

void dashboard(Console& console, const GameState& state) {
  const ProductCounts& prices = state.market.prices;
  const ProductCounts& stock = state.market.stock;
  const ProductCounts& cargo = state.cargo;
  const std::int32_t day = state.calendar.day;
  // The values one row of the art to a line.
  // clang-format off
  console.format(kDashboard,
                 state.purse.credits,
                 state.purse.loan,
                 prices[0], stock[0], cargo[0],
                 prices[1], stock[1], cargo[1],
                 prices[2], stock[2], cargo[2],
                 prices[3], stock[3], cargo[3],
                 prices[4], stock[4], cargo[4],
                 day, prices[5], stock[5], cargo[5],
                 prices[6], stock[6], cargo[6],
                 kDayLimit, prices[7], stock[7], cargo[7],
                 placeName(state.position.location));
  // clang-format on
}

}  // namespace nebulance
