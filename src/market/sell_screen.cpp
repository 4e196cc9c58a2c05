#include <string_view>

#include "market/shop_counter.h"
#include "market/trading_post.h"
#include "shell/saturating.h"

namespace nebulance {

namespace {

// The Sell screen's stall: "[ Sell ]", its own art at the left and rows 1 to 5. Its roof line
// starts with a tab, the one other mark that sets it apart from the Buy screen.
constexpr ShopCounter kSellCounter = {
    "\t",
    R"art(      |   |---[ Sell ]   | Product List  ||-|  Quantity |  Prices |  Total   |
      |   |______     \  | 1-Lightsabers || |    %3d    |   %4d  | %8d |
    - - - |____  \    |  | 2-Comlinks    ||-|    %3d    |   %4d  | %8d |
    | |___|    | |    |  | 3-Holocams    |   \   %3d    |   %4d  | %8d |
    |     ====/ /========= 4-Blasters    |   |   %3d    |   %4d  | %8d |
    |        / /        \  5-Sublight    |   |   %3d    |   %4d  | %8d |
    | - - - - |         |    Drives      |   |          |         |          |
)art",
    "sell",
};

}  // namespace

void sellScreen(Console& console, Market& market, ProductCounts& cargo, Purse& purse) {
  shopCounterScreen(console, kSellCounter, cargo, market, purse);
  const std::int32_t product = itemChoice(console, kSellCounter);
  if (product == kNoProduct) return console.print(kTradeHalted);

  const int i = productIndex(product);
  const std::int32_t quantity = acceptedQuantity(console, [&](std::int32_t quantity) {
    if (quantity < 0 || quantity > kLargestQuantity) return kQuantityInputError;
    if (quantity > cargo[i]) return kQuantityAboveShown;
    return std::string_view{};
  });
  // The units go back on the market, where they can be bought back today at the same price.
  const std::int32_t gain = saturatingMultiply(market.prices[i], quantity);
  market.stock[i] = saturatingAdd(market.stock[i], quantity);
  cargo[i] = saturatingSubtract(cargo[i], quantity);
  purse.credits = saturatingAdd(purse.credits, gain);
  console.format("                 Total gain: %d\n", gain);
  console.print(kTradeComplete);
}

}  // namespace nebulance
