// The Trading Post of the current planet: one purchase or one sale per visit.
#pragma once

#include <cstdint>

#include "shell/console.h"
#include "shell/game_state.h"

namespace nebulance {

// The menu reached with S from the dashboard; returns when the visit's one transaction is done
// or abandoned. At Naboo the Sell
// choice is refused while `nabooTradeAllowed` is 0.
void tradingPost(Console& console, const ProductCounts& prices, std::int32_t& credits,
                 std::int32_t& workAmount, ProductCounts& cargo, ProductCounts& stock,
                 std::int32_t nabooTradeAllowed, std::int32_t location,
                 std::int32_t purchaseDiscount);

// One purchase: moves units of one product from `stock` into `cargo` for their cost in
// `credits`, 10% less while `purchaseDiscount` is 1. A quantity passes only within 0..100, the
// stock, a hold of 100 units and the credits; 0 always passes and buys nothing. `workAmount`
// is 0 from the start and ends holding the cost of the last quantity checked.
void buyScreen(Console& console, const ProductCounts& prices, std::int32_t& credits,
               std::int32_t& workAmount, ProductCounts& cargo, ProductCounts& stock,
               std::int32_t purchaseDiscount);

// One sale: moves units of one product from `cargo` back into `stock` for their value at
// today's price, added to `credits`. A quantity passes only within 0..100 and the units held.
// `workAmount` is 0 from the start and ends holding the value of the sale.
void sellScreen(Console& console, const ProductCounts& prices, std::int32_t& credits,
                std::int32_t& workAmount, ProductCounts& cargo, ProductCounts& stock);

// What a purchase of `quantity` units at `price` costs: the price times the quantity, with a
// tenth taken off and the rest truncated while `purchaseDiscount` is 1.
std::int32_t purchaseCost(std::int32_t price, std::int32_t quantity, std::int32_t purchaseDiscount);

}  // namespace nebulance
