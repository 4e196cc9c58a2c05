#include "market/shop_counter.h"

#include <array>
#include <cstddef>
#include <tuple>

#include "shell/saturating.h"

namespace nebulance {

namespace {

constexpr std::string_view kShopSign = R"art(                  _____________________
                 / Credits: %10d \
)art";

// Lines 3 to 5, the roof of the counter.
constexpr std::string_view kCounterRoof = R"art(          ==========___________==========
       ___| Trading _____o_____   Post  \\   ==========   =========
      |   ==========     |     ==========\\ /          \ /        |----------|
)art";

// Lines 13 to 20, under the screen's own stall: rows 6 to 8 and the exit sign.
constexpr ProductRowsFormat<kCounterBaseRows> kCounterBase =
    R"art(             \ \        |  6-Super Lasers|   \   %3d    |   %4d  | %8d |
             /\ \_______\  7-Vibro-axes  ||o||   %3d    |   %4d  | %8d |
            /-/\_________\ 8-Homing      || ||   %3d    |   %4d  | %8d |
           /-/   ||       \  Beacons     ||o||          |---------|----------|
  /=======/- |   ||        \_____________|   \__________|=========|
  |  9-Exit  |   //         | |      | |      ----------
  \==========/  //          |_|      |_|       \/    \/
               //
)art";

constexpr std::string_view kItemPrompt = "              |/ Select item to %s (1-8/9): ";
constexpr std::string_view kItemError =
    "                 Input 9 to exit, or a number from 1-8 to %s.\n"
    "                 Select item to %s (1-8/9): ";
constexpr std::string_view kQuantityPrompt = "                 Enter Quantity: ";

// Prints `art`, its rows showing the products from `first` on.
template <std::size_t Rows>
void printProductRows(Console& console, const ProductRowsFormat<Rows>& art, std::size_t first,
                      const ProductCounts& quantities, const Market& market) {
  const ProductCounts& prices = market.prices;
  std::array<std::int32_t, 3 * Rows> fields{};
  for (std::size_t row = 0; row < Rows; ++row) {
    const std::size_t i = first + row;
    fields[3 * row] = quantities[i];
    fields[3 * row + 1] = prices[i];
    fields[3 * row + 2] = saturatingMultiply(quantities[i], prices[i]);
  }
  std::apply([&](auto... field) { console.format(art, field...); }, fields);
}

bool isItemAnswer(char answer) {
  return answer >= '1' && answer <= '9';
}

}  // namespace

void shopSign(Console& console, std::int32_t credits) {
  console.format(kShopSign, credits);
}

void shopCounterScreen(Console& console, const ShopCounter& counter,
                       const ProductCounts& quantities, const Market& market, const Purse& purse) {
  shopSign(console, purse.credits);
  console.print(counter.roofIndent);
  console.print(kCounterRoof);
  printProductRows<kStallRows>(console, counter.stall, 0, quantities, market);
  printProductRows<kCounterBaseRows>(console, kCounterBase, kStallRows, quantities, market);
  console.format(kItemPrompt, counter.verb);
}

std::int32_t itemChoice(Console& console, const ShopCounter& counter) {
  char answer = console.letterEntry();
  while (!isItemAnswer(answer)) {
    console.format(kItemError, counter.verb, counter.verb);
    answer = console.letterEntry();
  }
  return answer == '9' ? kNoProduct : answer - '0';
}

std::int32_t acceptedQuantity(Console& console, const QuantityCheck& check) {
  std::int32_t quantity = 0;
  console.print(kQuantityPrompt);
  checkedNumberEntry(console, quantity, [&](std::int32_t quantity) {
    return EntryRefusal{check(quantity), kQuantityPrompt};
  });
  return quantity;
}

}  // namespace nebulance
