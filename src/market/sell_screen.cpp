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

void sellScreen(Console& console, const ProductCounts& prices, std::int32_t& credits,
                std::int32_t& workAmount, ProductCounts& cargo, ProductCounts& stock) {
  workAmount = 0;
  shopCounterScreen(console, kSellCounter, credits, cargo, prices);
  const std::int32_t product = itemChoice(console, kSellCounter);
  if (product == kNoProduct) return console.print(kTradeHalted);

  const int i = productIndex(product);
  const std::int32_t quantity = acceptedQuantity(console, [&](std::int32_t quantity) {
    if (quantity < 0 || quantity > kLargestQuantity) return kQuantityInputError;
    if (quantity > cargo[i]) return kQuantityAboveShown;
    return std::string_view{};
  });
  // The units go back on the market, where they can be bought back today at the same price.
  workAmount = saturatingMultiply(prices[i], quantity);
  stock[i] = saturatingAdd(stock[i], quantity);
  cargo[i] = saturatingSubtract(cargo[i], quantity);
  credits = saturatingAdd(credits, workAmount);
  console.format("                 Total gain: %d\n", workAmount);
  console.print(kTradeComplete);
}

}  // namespace nebulance
