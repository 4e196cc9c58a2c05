// The daily market: prices and quantities of the eight goods at the planet just reached, and
// the dashboard that shows them with the player's money, cargo and calendar.
#pragma once

#include "random/random_generator.h"
#include "shell/console.h"
#include "shell/game_state.h"

namespace nebulance {

// Reseeds `random` and fills all eight prices and quantities of `market` for `location`.
// Tattooine sells at fixed prices; everywhere else (no planet yet included) the prices are
// drawn, then the stock.
void marketGeneration(RandomGenerator& random, Market& market, Planet location);

// Prints the main screen of the day loop, ending with the command prompt: the purse, the day,
// today's market, the hold and the location. REQUIRES: the location is a planet.
void dashboard(Console& console, const GameState& state);

}  // namespace nebulance
