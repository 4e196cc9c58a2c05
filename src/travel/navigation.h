// The planet map and the destination check that moves the player to the number typed there.
#pragma once

#include <cstdint>

#include "shell/console.h"
#include "shell/game_state.h"

namespace nebulance {

// Prints the star chart, ending with its prompt on the same line.
void planetMap(Console& console);

// Accepts a destination 1..7: moves the player's `location` there and returns true. Any other
// number changes nothing, gets the invalid input display and returns false.
bool destinationCheck(Console& console, std::int32_t destination, Planet& location);

}  // namespace nebulance
