#include "market/trading_post.h"

#include <string_view>

#include "market/shop_counter.h"

namespace nebulance {

namespace {

// Lines 3 to 21 of the menu, under the shop's sign.
constexpr std::string_view kTradingPostMenu = R"art(          ==========___________==========
         /| Trading _____o_____   Post  \\
        / ==========     |     ==========\\
       /  |              | Product List  ||-
      /   |   [ B ]uy    | 1-Lightsabers ||
     |====|   [ S ]ell   | 2-Comlinks    ||-
     |____|    _         | 3-Holocams    |
          ====/ \========= 4-Blasters    |
              | |       \  5-Sublight    |
              | |       |    Drives      |
              \ \       |  6-Super Lasers|
              /\ \______\  7-Vibro-axes  ||o
             /-/\________\ 8-Homing      ||
            /-/  ||       \  Beacons     ||o
   /=======/- \  ||        \_____________|
   | [ E ]xit |  //         | |      | |
   \==========/ //          |_|      |_|
               //
              |/ Enter Choice (B/S/E): )art";

constexpr std::string_view kNabooEmbargo =
    R"art(                 Naboo has closed its doors from the
                 Orvane Concordat. They will not buy
                 any product.
                 Enter any input to continue.
)art";

constexpr std::string_view kLeavingShop = "                 Leaving shop menu...\n";
constexpr std::string_view kMenuError =
    "                 Input B to purchase, S to sell, or E to exit.\n";

bool nabooRefusesSale(std::int32_t location, std::int32_t nabooTradeAllowed) {
  return location == kNaboo && nabooTradeAllowed == 0;
}

}  // namespace

void tradingPost(Console& console, const ProductCounts& prices, std::int32_t& credits,
                 std::int32_t& workAmount, ProductCounts& cargo, ProductCounts& stock,
                 std::int32_t nabooTradeAllowed, std::int32_t location,
                 std::int32_t purchaseDiscount) {
  for (;;) {
    shopSign(console, credits);
    console.print(kTradingPostMenu);
    char choice = console.letterEntry();
    switch (choice) {
      case 'B':
      case 'b':
        console.blankBlock(4);
        return buyScreen(console, prices, credits, workAmount, cargo, stock, purchaseDiscount);
      case 'S':
      case 's':
        if (!nabooRefusesSale(location, nabooTradeAllowed)) {
          console.blankBlock(4);
          return sellScreen(console, prices, credits, workAmount, cargo, stock);
        }
        console.print(kNabooEmbargo);
        console.skipChars(2);
        break;  // the menu comes straight back, without a blank block
      case 'E':
      case 'e':
        return console.print(kLeavingShop);
      default:
        console.print(kMenuError);
        console.blankBlock(5);
    }
  }
}

}  // namespace nebulance
