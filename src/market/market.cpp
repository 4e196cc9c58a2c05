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

// Each row of the product list, with the printf fields for price, quantity and cargo. The
// price field narrows with the highest price a product can reach.
constexpr std::array<const char*, kProductCount> kDashboardRows = {
    "  | [ S ]hop   || [ 1 ] Lightsabers      ::   %4d     |_|   %3d    |  %3d  |\n",
    "  | [ B ]ank   || [ 2 ] Comlinks         ::   %4d     |=|   %3d    |  %3d  |\n",
    "  | [ T ]ravel || [ 3 ] Holocams         ::   %4d     |_|   %3d    |  %3d  |\n",
    "  \\____________|| [ 4 ] Blasters         ::   %4d     |_|   %3d    |  %3d  |\n",
    "  /   Time    //  [ 5 ] Sublight Drives  ::   %3d      |=|   %3d    |  %3d  |\n",
    "  |  %2d Days ||   [ 6 ] Super Lasers     ::   %3d      |_|   %3d    |  %3d  |\n",
    "  |  done of ||   [ 7 ] Vibro-axes       ::   %3d      |_|   %3d    |  %3d  |\n",
    "  |  %2d Days ||   [ 8 ] Homing Beacons   ::   %2d       | |   %3d    |  %3d  |\n",
};

constexpr const char* kDashboardTop = R"art(    ___________________________
   | Total Credits: %10d |
   | Current Loan: %10d  |
   |___________  ______________|_________  ____________   __________ _______
  | Navigation || Product List           :: Price List \_/ Quantity | Cargo |
)art";

constexpr std::string_view kDashboardBottom =
    R"art(  |__________/\__________________________/\____________/ \__________|_______|
  ||       [o] ||                      ||           |    |      /
  ||  * [o]  * || Location: )art";

constexpr std::string_view kDashboardPrompt = R"art(|| [ E ]xit  |====|     /
  || [o]  \    ||______________________/\___________/    |====/
  || *    [o] *||                      \
  \\===========/\ Enter Choice (S)hop, (B)ank, (T)ravel, (E)xit: )art";

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
  console.printf(kDashboardTop, credits, loan);
  for (int i = 0; i < kProductCount; ++i) {
    // The Time box shares rows 6 and 8 with the list: the day done, then the day limit.
    if (i == 5 || i == 7) {
      console.printf(kDashboardRows[i], i == 5 ? day : dayLimit, prices[i], stock[i], cargo[i]);
    } else {
      console.printf(kDashboardRows[i], prices[i], stock[i], cargo[i]);
    }
  }
  console.print(kDashboardBottom);
  if (location >= kTattooine && location <= kCloudCity) console.print(kLocationNames[location]);
  console.print(kDashboardPrompt);
}

}  // namespace nebulance
