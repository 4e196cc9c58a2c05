// The three duels: one frame of turns driven by a table per duel. Both the combat simulator and
// the bank-robbery story play them, and print their own screens around the call.
#pragma once

#include "random/random_generator.h"
#include "shell/console.h"

namespace nebulance {

enum class DuelResult { won, lost, surrendered };

enum class DuelKind { blaster, lightsaber, starship };

// Plays one duel from five hit points a side, from its opening blank block to its closing one.
// Each turn reseeds `random` from the clock. Reads and changes no game state.
DuelResult playDuel(Console& console, RandomGenerator& random, DuelKind kind);

// The start menu's practice range: its menu, one duel and a win or lose screen.
void combatSimulator(Console& console, RandomGenerator& random);

}  // namespace nebulance
