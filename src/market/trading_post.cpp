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

}  // namespace

TradeTerms tradeTerms(const Rewards& rewards, Planet location) {
  return {.purchaseDiscount = rewards.purchaseDiscount,
          .saleRefused = location == kNaboo && !rewards.nabooTradeAllowed};
}

void tradingPost(Console& console, Market& market, ProductCounts& cargo, Purse& purse,
                 const TradeTerms& terms) {
  for (;;) {
    shopSign(console, purse.credits);
    console.print(kTradingPostMenu);
    switch (console.letterEntry()) {
      case 'B':
      case 'b':
        console.blankBlock(4);
        return buyScreen(console, market, cargo, purse, terms);
      case 'S':
      case 's':
        if (!terms.saleRefused) {
          console.blankBlock(4);
          return sellScreen(console, market, cargo, purse);
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
