#include "market/market.h"

#include <array>
#include <string_view>
#include <tuple>

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

void marketGeneration(RandomGenerator& random, ProductCounts& prices, ProductCounts& stock,
                      std::int32_t location) {
  random.reseedFromClock();
  for (int i = 0; i < kProductCount; ++i) {
    const PriceRule& rule = kPriceRules[i];
    prices[i] =
        location == kTattooine ? rule.tattooinePrice : random.drawModulo(rule.spread, rule.lowest);
  }
  for (std::int32_t& quantity : stock) quantity = random.drawModulo(kStockSpread);
}

namespace {

// The whole dashboard. Its fields, in order: credits and loan; then each product's price, stock
// and cargo, with the Time box's day done opening row 6 and the day limit opening row 8; then
// the planet's name. The price field narrows with the highest price a product can reach.
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
  ||  * [o]  * || Location: %s|| [ E ]xit  |====|     /
  || [o]  \    ||______________________/\___________/    |====/
  || *    [o] *||                      \
  \\===========/\ Enter Choice (S)hop, (B)ank, (T)ravel, (E)xit: )art";

// The integer fields: two for the money, three per product and two in the Time box.
constexpr std::size_t kDashboardFigures = 2 + 3 * kProductCount + 2;

// The planet name on the Location line, padded to eleven characters.
constexpr std::array<std::string_view, 8> kLocationNames = {
    "",
    "Tattooine  ",
    "Jundland   ",
    "Naboo      ",
    "Dagobah    ",
    "Kessel     ",
    "Alderaan   ",
    "Cloud City ",
};

}  // namespace

void dashboard(Console& console, const ProductCounts& prices, std::int32_t credits,
               std::int32_t loan, std::int32_t dayLimit, std::int32_t location, std::int32_t day,
               const ProductCounts& stock, const ProductCounts& cargo) {
  std::array<std::int32_t, kDashboardFigures> figures{};
  std::size_t next = 0;
  figures[next++] = credits;
  figures[next++] = loan;
  for (int i = 0; i < kProductCount; ++i) {
    if (i == 5) figures[next++] = day;
    if (i == 7) figures[next++] = dayLimit;
    figures[next++] = prices[i];
    figures[next++] = stock[i];
    figures[next++] = cargo[i];
  }
  const bool onPlanet = location >= kTattooine && location <= kCloudCity;
  const std::string_view locationName = onPlanet ? kLocationNames[location] : "";
  std::apply([&](auto... figure) { console.format(kDashboard, figure..., locationName); }, figures);
}

}  // namespace nebulance
