// The bank-robbery story that the robbery rumour opens: the player's choice, an offer to buy a
// missing item, then a duel with its reward or defeat penalty, or the robbed bank's loss.
#pragma once

#include "random/random_generator.h"
#include "shell/console.h"
#include "shell/game_state.h"

namespace nebulance {

// Runs one story from its prompt to its end screen's pause. The duels reseed `random` every
// turn; the reward and penalty draws follow on from the duel's last turn, and the robbed
// bank's draw from the travel step's.
// A story works on the purse, the bank's funds, the hold and the rewards; it buys at today's
// prices and tracks the robbers to the location.
void bankRobberyStory(Console& console, RandomGenerator& random, GameState& state);

}  // namespace nebulance
