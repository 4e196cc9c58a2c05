// The planet map and the destination check that moves the player to the number typed there.
#pragma once

#include <cstdint>

#include "shell/console.h"

namespace nebulance {

// Prints the star chart, ending with its prompt on the same line.
void planetMap(Console& console);

// Accepts a destination 1..7: moves the player there and marks the game running. Any other
// number changes nothing and gets the invalid input display.
void destinationCheck(Console& console, std::int32_t& destination, std::int32_t& newGameChosen,
                      std::int32_t& gameRunning, std::int32_t& location);

// True for the numbers of the seven planets.
constexpr bool isPlanet(std::int32_t number) {
  return number >= 1 && number <= 7;
}

}  // namespace nebulance
