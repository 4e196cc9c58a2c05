// The daily market: prices and quantities of the eight goods at the planet just reached, and
// the dashboard that shows them with the player's money, cargo and calendar.
#pragma once

#include <cstdint>

#include "random/random_generator.h"
#include "shell/console.h"
#include "shell/game_state.h"

namespace nebulance {

// Reseeds `random` and fills all eight prices and quantities for `location`. Tattooine sells at
// fixed prices; everywhere else (the hangar's 0 included) the prices are drawn, then the stock.
void marketGeneration(RandomGenerator& random, ProductCounts& prices, ProductCounts& stock,
                      std::int32_t location);

// Prints the main screen of the day loop, ending with the command prompt.
void dashboard(Console& console, const ProductCounts& prices, std::int32_t credits,
               std::int32_t loan, std::int32_t dayLimit, std::int32_t location, std::int32_t day,
               const ProductCounts& stock, const ProductCounts& cargo);

}  // namespace nebulance
