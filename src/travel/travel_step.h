// The travel step that ends every jump: four draws, then one travel event and its effect.
#pragma once

#include "random/random_generator.h"
#include "shell/console.h"
#include "shell/game_state.h"

namespace nebulance {

// Reseeds `random`, draws the event, a product, a count and the bank's new interest rate, shows
// the event and applies it. `origin` and `location` must already name this jump's two ends.
void travelStep(Console& console, RandomGenerator& random, GameState& state);

}  // namespace nebulance
