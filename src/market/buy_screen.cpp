#include <string_view>

#include "market/shop_counter.h"
#include "market/trading_post.h"
#include "shell/saturating.h"

namespace nebulance {

namespace {

constexpr double kDiscountShare = 0.1;  // the reward's 10% off every purchase

// The Buy screen's stall: "[ Buy ]", its own art at the left and rows 1 to 5.
constexpr ShopCounter kBuyCounter = {
    "",
    R"art(      |   |---[ Buy ]    | Product List  ||-|  Quantity |  Prices |  Total   |
      |   |______    \   | 1-Lightsabers || |    %3d    |   %4d  | %8d |
    + + + |____  \   |   | 2-Comlinks    ||-|    %3d    |   %4d  | %8d |
    + |___|    | |   |   | 3-Holocams    |   \   %3d    |   %4d  | %8d |
    +     ====/ /========= 4-Blasters    |   |   %3d    |   %4d  | %8d |
    +        / /        \  5-Sublight    |   |   %3d    |   %4d  | %8d |
    + + + + + |         |    Drives      |   |          |         |          |
)art",
    "purchase",
};

constexpr std::string_view kCargoBayFull =
    R"art(                 Error. Your cargo bay cannot accomodate
                 your purchase.
)art";

constexpr std::string_view kNotEnoughCredits =
    R"art(                 Transaction error. You do not have enough credits
                 to make a purchase.
)art";

// Units in the hold over all eight products.
std::int32_t holdLoad(const ProductCounts& cargo) {
  std::int32_t load = 0;
  for (const std::int32_t units : cargo) load = saturatingAdd(load, units);
  return load;
}

// A quantity asked for: the units on offer and what the quantity would cost.
struct Purchase {
  std::int32_t quantity = 0;
  std::int32_t offered = 0;
  std::int32_t cost = 0;
};

// The message of the first limit that `purchase` breaks, or nothing when it passes. Room and
// credits can only refuse a real purchase: 0 must stay the way out of the entry even when loot
// has already filled the hold past its capacity.
std::string_view purchaseRefusal(const Purchase& purchase, const ProductCounts& cargo,
                                 const Purse& purse) {
  const std::int32_t quantity = purchase.quantity;
  if (quantity < 0 || quantity > kLargestQuantity) return kQuantityInputError;
  if (quantity > purchase.offered) return kQuantityAboveShown;
  if (quantity == 0) return {};
  if (saturatingAdd(quantity, holdLoad(cargo)) > kHoldCapacity) return kCargoBayFull;
  if (purchase.cost > purse.credits) return kNotEnoughCredits;
  return {};
}

}  // namespace

std::int32_t purchaseCost(std::int32_t fullCost, bool purchaseDiscount) {
  if (!purchaseDiscount) return fullCost;
  return truncateToInt32(fullCost - fullCost * kDiscountShare);
}

void buyScreen(Console& console, Market& market, ProductCounts& cargo, Purse& purse,
               const TradeTerms& terms) {
  shopCounterScreen(console, kBuyCounter, market.stock, market, purse);
  const std::int32_t product = itemChoice(console, kBuyCounter);
  if (product == kNoProduct) return console.print(kTradeHalted);

  const int i = productIndex(product);
  const auto costOf = [&](std::int32_t quantity) {
    return purchaseCost(saturatingMultiply(market.prices[i], quantity), terms.purchaseDiscount);
  };
  const std::int32_t quantity = acceptedQuantity(console, [&](std::int32_t quantity) {
    const Purchase purchase{
        .quantity = quantity, .offered = market.stock[i], .cost = costOf(quantity)};
    return purchaseRefusal(purchase, cargo, purse);
  });
  const std::int32_t cost = costOf(quantity);
  market.stock[i] = saturatingSubtract(market.stock[i], quantity);
  cargo[i] = saturatingAdd(cargo[i], quantity);
  purse.credits = saturatingSubtract(purse.credits, cost);
  console.format("                 Total cost: %d\n", cost);
  console.print(kTradeComplete);
}

}  // namespace nebulance
