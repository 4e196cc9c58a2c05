// The Trading Post of the current planet: one purchase or one sale per visit.
#pragma once

#include <cstdint>

#include "shell/console.h"
#include "shell/game_state.h"

namespace nebulance {

// What the robbery story's rewards and the planet make of a visit.
struct TradeTerms {
  bool purchaseDiscount = false;  // purchases cost 10% less
  bool saleRefused = false;       // Naboo buys nothing until its trade is allowed
};

// The terms of a visit at `location`.
TradeTerms tradeTerms(const Rewards& rewards, Planet location);

// The menu reached with S from the dashboard; returns when the visit's one transaction is done
// or abandoned. Under `terms`, the Sell choice may be refused.
void tradingPost(Console& console, Market& market, ProductCounts& cargo, Purse& purse,
                 const TradeTerms& terms);

// One purchase: moves units of one product from the market's stock into `cargo` for their cost
// in credits, 10% less under the purchase discount. A quantity passes only within 0..100, the
// stock, a hold of 100 units and the credits; 0 always passes and buys nothing.
void buyScreen(Console& console, Market& market, ProductCounts& cargo, Purse& purse,
               const TradeTerms& terms);

// One sale: moves units of one product from `cargo` back into the market's stock for their value
// at today's price, added to the credits. A quantity passes only within 0..100 and the units
// held.
void sellScreen(Console& console, Market& market, ProductCounts& cargo, Purse& purse);

// What a purchase whose `fullCost` is the price times the quantity costs: with the discount, a
// tenth is taken off and the rest truncated.
std::int32_t purchaseCost(std::int32_t fullCost, bool purchaseDiscount);

}  // namespace nebulance
