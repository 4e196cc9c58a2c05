// The pieces that the Trading Post's screens share: the shop's sign, the counter of the Buy and
// Sell screens with its product table, the item choice and the quantity entry. Only the Trading
// Post's own screens include this.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>

#include "shell/console.h"
#include "shell/format.h"
#include "shell/game_state.h"

namespace nebulance {

// Art with a product row on some of its lines. A row's fields are the product's quantity, its
// price and the value of the whole quantity.
template <std::size_t Rows>
using ProductRowsFormat = IntegerFieldsFormat<3 * Rows>;

// Products 1 to 5 stand in the screen's own stall, 6 to 8 under it.
inline constexpr std::size_t kStallRows = 5;
inline constexpr std::size_t kCounterBaseRows = 3;

// What makes the Buy or the Sell screen its own; the rest of the counter is common to both.
struct ShopCounter {
  std::string_view roofIndent;  // printed before the roof line
  // Lines 6 to 12: the screen's name, its own art and the rows of products 1 to 5.
  ProductRowsFormat<kStallRows> stall;
  std::string_view verb;  // "purchase" or "sell", as the item prompts say it
};

// The answer of the item choice that leaves the screen.
inline constexpr std::int32_t kNoProduct = 0;

inline constexpr std::string_view kTradeHalted =
    "                 Transaction halted. Returning to main menu.\n";
inline constexpr std::string_view kTradeComplete =
    "                 Transaction complete. Returning to main menu.\n";
inline constexpr std::string_view kQuantityInputError = "                 Input error.\n";
inline constexpr std::string_view kQuantityAboveShown =
    R"art(                 Error. Please input a quantity not greater than
                 what is shown corresponding to the item on the
                 screen.
)art";

// The two lines of the shop's sign that every Trading Post screen starts with, `credits` on it.
void shopSign(Console& console, std::int32_t credits);

// Prints the whole Buy or Sell screen, ending with its item prompt. The Quantity column shows
// `quantities`, the Prices column the market's; the Total column each quantity times its price.
void shopCounterScreen(Console& console, const ShopCounter& counter,
                       const ProductCounts& quantities, const Market& market, const Purse& purse);

// Reads item answers until one is "1" to "9". Returns the product 1..8, or kNoProduct for "9".
std::int32_t itemChoice(Console& console, const ShopCounter& counter);

// A check of a quantity: the message lines of the first limit it breaks, or nothing if it passes.
using QuantityCheck = std::function<std::string_view(std::int32_t quantity)>;

// Asks for a quantity, starting from 0, and asks again after each refusal by `check`, whose
// message comes first. Returns the first quantity that passes. An entry that is not a number
// keeps the quantity: 0 at first, else the last one refused.
std::int32_t acceptedQuantity(Console& console, const QuantityCheck& check);

}  // namespace nebulance
