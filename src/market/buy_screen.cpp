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

// The message of the first limit that `quantity` breaks, or nothing when it passes. Room and
// credits can only refuse a real purchase: 0 must stay the way out of the entry even when loot
// has already filled the hold past its capacity.
std::string_view purchaseRefusal(std::int32_t quantity, std::int32_t offered,
                                 const ProductCounts& cargo, std::int32_t cost,
                                 std::int32_t credits) {
  if (quantity < 0 || quantity > kLargestQuantity) return kQuantityInputError;
  if (quantity > offered) return kQuantityAboveShown;
  if (quantity == 0) return {};
  if (saturatingAdd(quantity, holdLoad(cargo)) > kHoldCapacity) return kCargoBayFull;
  if (cost > credits) return kNotEnoughCredits;
  return {};
}

}  // namespace

std::int32_t purchaseCost(std::int32_t price, std::int32_t quantity,
                          std::int32_t purchaseDiscount) {
  const std::int32_t fullCost = saturatingMultiply(price, quantity);
  if (purchaseDiscount != 1) return fullCost;
  return truncateToInt32(fullCost - fullCost * kDiscountShare);
}

void buyScreen(Console& console, const ProductCounts& prices, std::int32_t& credits,
               std::int32_t& workAmount, ProductCounts& cargo, ProductCounts& stock,
               std::int32_t purchaseDiscount) {
  workAmount = 0;
  shopCounterScreen(console, kBuyCounter, credits, stock, prices);
  const std::int32_t product = itemChoice(console, kBuyCounter);
  if (product == kNoProduct) return console.print(kTradeHalted);

  const int i = productIndex(product);
  const std::int32_t quantity = acceptedQuantity(console, [&](std::int32_t quantity) {
    workAmount = purchaseCost(prices[i], quantity, purchaseDiscount);
    return purchaseRefusal(quantity, stock[i], cargo, workAmount, credits);
  });
  stock[i] = saturatingSubtract(stock[i], quantity);
  cargo[i] = saturatingAdd(cargo[i], quantity);
  credits = saturatingSubtract(credits, workAmount);
  console.format("                 Total cost: %d\n", workAmount);
  console.print(kTradeComplete);
}

}  // namespace nebulance
