#include "market/shop_counter.h"

#include <string>

#include "shell/saturating.h"

namespace nebulance {

namespace {

constexpr const char* kShopSign = R"art(                  _____________________
                 / Credits: %10d \
)art";

// Lines 3 to 5, the roof of the counter.
constexpr std::string_view kCounterRoof = R"art(          ==========___________==========
       ___| Trading _____o_____   Post  \\   ==========   =========
      |   ==========     |     ==========\\ /          \ /        |----------|
)art";

// Lines 13 to 20, under the screen's own stall: rows 6 to 8 and the exit sign.
constexpr std::string_view kCounterBase =
    R"art(             \ \        |  6-Super Lasers|   \   %3d    |   %4d  | %8d |
             /\ \_______\  7-Vibro-axes  ||o||   %3d    |   %4d  | %8d |
            /-/\_________\ 8-Homing      || ||   %3d    |   %4d  | %8d |
           /-/   ||       \  Beacons     ||o||          |---------|----------|
  /=======/- |   ||        \_____________|   \__________|=========|
  |  9-Exit  |   //         | |      | |      ----------
  \==========/  //          |_|      |_|       \/    \/
               //
)art";

constexpr const char* kItemPrompt = "              |/ Select item to %s (1-8/9): ";
constexpr const char* kItemError =
    "                 Input 9 to exit, or a number from 1-8 to %s.\n"
    "                 Select item to %s (1-8/9): ";
constexpr std::string_view kQuantityPrompt = "                 Enter Quantity: ";

// Prints `art` line by line. A line with fields shows the next product's quantity, its price and
// the value of the whole quantity; `product` is the index of that next product.
void printProductRows(Console& console, std::string_view art, int& product,
                      const ProductCounts& quantities, const ProductCounts& prices) {
  for (std::size_t start = 0; start < art.size();) {
    const std::size_t lineEnd = art.find('\n', start);
    const std::size_t end = lineEnd == std::string_view::npos ? art.size() : lineEnd + 1;
    const std::string line(art.substr(start, end - start));
    if (line.find('%') == std::string::npos) {
      console.print(line);
    } else {
      const int i = product++;
      console.printf(line.c_str(), quantities[i], prices[i],
                     saturatingMultiply(quantities[i], prices[i]));
    }
    start = end;
  }
}

bool isItemAnswer(char answer) {
  return answer >= '1' && answer <= '9';
}

}  // namespace

void shopSign(Console& console, std::int32_t credits) {
  console.printf(kShopSign, credits);
}

void shopCounterScreen(Console& console, const ShopCounter& counter, std::int32_t credits,
                       const ProductCounts& quantities, const ProductCounts& prices) {
  shopSign(console, credits);
  console.print(counter.roofIndent);
  console.print(kCounterRoof);
  int product = 0;
  printProductRows(console, counter.stall, product, quantities, prices);
  printProductRows(console, kCounterBase, product, quantities, prices);
  console.printf(kItemPrompt, counter.verb);
}

std::int32_t itemChoice(Console& console, char& inputChar, const ShopCounter& counter) {
  char answer = 0;
  console.letterEntry(inputChar, answer);
  while (!isItemAnswer(answer)) {
    console.printf(kItemError, counter.verb, counter.verb);
    console.letterEntry(inputChar, answer);
  }
  return answer == '9' ? kNoProduct : answer - '0';
}

std::int32_t acceptedQuantity(Console& console, char& inputChar, const QuantityCheck& check) {
  std::int32_t quantity = 0;
  console.print(kQuantityPrompt);
  console.numberEntry(inputChar, quantity);
  for (std::string_view refusal = check(quantity); !refusal.empty(); refusal = check(quantity)) {
    console.print(refusal);
    console.print(kQuantityPrompt);
    console.numberEntry(inputChar, quantity);
  }
  return quantity;
}

}  // namespace nebulance
