// The bank-robbery story that the robbery rumour opens: the player's choice, an offer to buy a
// missing item, then a duel with its reward or defeat penalty, or the robbed bank's loss.
#pragma once

#include <cstdint>

#include "random/random_generator.h"
#include "shell/console.h"
#include "shell/game_state.h"

namespace nebulance {

// Runs one story from its prompt to its end screen's pause. The duels reseed `random` every
// turn; the reward and penalty draws follow on from the duel's last turn, and the robbed
// bank's draw from the travel step's.
void bankRobberyStory(Console& console, RandomGenerator& random, std::int32_t& credits,
                      std::int32_t& purchaseDiscount, std::int32_t& bankFunds, ProductCounts& cargo,
                      std::int32_t& nabooTradeAllowed, const ProductCounts& prices,
                      std::int32_t location);

}  // namespace nebulance
